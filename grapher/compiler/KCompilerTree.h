// Formula compiler: expression trees, rewriting, call planning and the constant pool (TBuilder).
#pragma once

#include "compiler/KCompilerBase.h"

#include <memory>
#include <string>
#include <vector>

namespace kx {

// One node of an expression tree. Operators hold "+", "-", "*" or "/" in Text;
// operands hold their operand code (constant, variable or call).
struct TTreeNode {
  TTreeNode* Left = nullptr;
  TTreeNode* Right = nullptr;
  uint8_t Negate = 0;
  uint8_t Hoisted = 0;  // computed one code level higher, read back from a temporary
  std::string Text;
  int32_t Need = 0;      // x87 registers the subtree needs
  int32_t CallNeed = 0;  // the same with its calls taken into account
};

// Width indices of the constant pool areas and of the temporary frame areas.
enum : int { akF32 = 0, akF64 = 1, akF80 = 2 };

// Little-endian 32-bit value stored in a coded string at pos.
uint32_t ReadCode32(const std::string& s, size_t pos);
void AppendCode32(std::string& s, uint32_t value);
bool IsOperatorNode(const TTreeNode* node);
// Length of the operand item that starts at pos of a coded string (1 for a plain byte).
size_t CodedItemLength(const std::string& s, size_t pos);

class TBuilder : public TSimpler {
  KX_CLASS(TBuilder, TSimpler)
 public:
  explicit TBuilder(TComponent* owner = nullptr) : TSimpler(owner) {}
  ~TBuilder() override;

  // The constant pool the compiled code reads by absolute address.
  const uint8_t* PoolData() const { return pool_; }
  size_t PoolSize() const { return poolSize_; }

 protected:
  // Parse, build the pool and the trees, push negations, count and plan.
  void PrepareTrees(const std::string& text);
  int BuildTree(const std::string& coded);
  void FreeTree(TTreeNode* node);
  void FreeAllTrees();

  TTreeNode* BuildSum(const std::string& s, size_t& pos);
  TTreeNode* BuildProduct(const std::string& s, size_t& pos);
  TTreeNode* BuildOperand(const std::string& s, size_t& pos);
  // Extends tree into a left-deep chain of the two operators, each followed by the next operand.
  TTreeNode* BuildChain(TTreeNode* tree, const std::string& s, size_t& pos, const char (&ops)[3],
                        TTreeNode* (TBuilder::*next)(const std::string&, size_t&));
  TTreeNode* BuildCall(const std::string& s, size_t& pos);
  TTreeNode* BalanceSum(TTreeNode* top);
  TTreeNode* BalanceProduct(TTreeNode* top);
  void PushNegations(TTreeNode* node);
  void ComputeNeed(TTreeNode* node);
  int ComputeCallNeed(TTreeNode* node);
  void PlanNode(TTreeNode* node, int budget);
  int PlanCallArgs(TTreeNode* call, int budget);
  void HoistCall(TTreeNode* node);
  void PlanHoistedArgs(TTreeNode* call);

  // Constant pool.
  void BuildConstantPool();
  uint32_t LookupConstant32(float value) const;
  uint32_t LookupConstant64(double value) const;
  uint32_t LookupConstant80(long double value) const;

  static int CountLeaves(const TTreeNode* node);
  static int CountOperators(const TTreeNode* node);

  // Operand helpers shared with the code generator.
  static bool IsConstNode(const TTreeNode* n) { return !n->Text.empty() && n->Text[0] == ckConst; }
  static bool IsVarNode(const TTreeNode* n) { return !n->Text.empty() && n->Text[0] == ckVar; }
  static bool IsCallNode(const TTreeNode* n) { return !n->Text.empty() && n->Text[0] == ckCall; }
  static uint32_t NodeId(const TTreeNode* n) { return ReadCode32(n->Text, 1); }
  // Type of an operand's value: pool constant width, variable type or call result type.
  uint8_t OperandType(const TTreeNode* n) const;
  // The items of a call node's argument list (each 0Bh or 0Dh and a 4-byte index).
  static std::vector<std::string> CallArgItems(const TTreeNode* call);

  std::vector<TTreeNode*> trees_;     // index 0 is the formula
  std::vector<TTreeNode*> argNodes_;  // ordinal and by-reference arguments
  int level_ = 0;
  int maxLevel_ = 0;
  int32_t areaStart_[3] = {};  // pool areas, later temporary frame areas (by akF32..akF80)
  int32_t tempCount_[3] = {};  // running temporaries (byte offset without AlignMode in akF32)

  std::vector<float> consts32_;
  std::vector<double> consts64_;
  std::vector<long double> consts80_;
  std::vector<uint8_t> constCopy_;  // the constant stack as parsed, for the tree builder
  std::vector<uint8_t> constCopySizes_;
  size_t constCopyPos_ = 0;
  uint32_t poolAlign_ = 0;

 private:
  std::unique_ptr<uint8_t[]> poolMem_;
  uint8_t* pool_ = nullptr;
  size_t poolSize_ = 0;
};

}  // namespace kx
