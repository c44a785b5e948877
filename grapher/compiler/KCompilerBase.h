// Formula compiler: symbol tables (TCtrlBlck) and parser with constant folding (TSimpler).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Classes.h"

namespace kx {

enum TError : uint8_t {
  eNone,
  eDomain,
  eNumFormat,
  eValExpected,
  eOpExpected,
  eEdge,
  eUnknown,
  eOutOfRange,
  eType,
  eVarParameter,
  eParameter
};

KX_ENUM_NAMES(TError, "eNone", "eDomain", "eNumFormat", "eValExpected", "eOpExpected", "eEdge", "eUnknown",
              "eOutOfRange", "eType", "eVarParameter", "eParameter")

enum TTrigMode : uint8_t { tmSafe, tmNothing, tmRuntime };
KX_ENUM_NAMES(TTrigMode, "tmSafe", "tmNothing", "tmRuntime")
enum TEliminateBrackets : uint8_t { ebStandart, ebSoft, ebAgressive };
KX_ENUM_NAMES(TEliminateBrackets, "ebStandart", "ebSoft", "ebAgressive")
enum TOutOfOrder : uint8_t { ooStandart, ooSoft, ooAgressive };
KX_ENUM_NAMES(TOutOfOrder, "ooStandart", "ooSoft", "ooAgressive")

// Type codes of variables, parameters and results; 0..6 are ordinal, 7..9 float.
enum : uint8_t { tcI08, tcU08, tcI16, tcU16, tcI32, tcU32, tcI64, tcF32, tcF64, tcF80 };
constexpr uint8_t MaxTypeCode = tcF80;
constexpr uint8_t MaxCallConv = 4;

inline bool IsFloatType(uint8_t code) { return code >= tcF32 && code <= tcF80; }
inline bool IsOrdinalType(uint8_t code) { return code <= tcI64; }
// Bytes of a value of the type in a CPU-stack slot (an 80-bit float takes 12).
int TypeSlotSize(uint8_t code);

// Kind bytes of the coded operand string.
constexpr char ckConst = 0x0A, ckArgTree = 0x0B, ckVar = 0x0C, ckArgNode = 0x0D, ckCall = 0x1F;

constexpr uint32_t KCompilerIdVar = 2000000;
constexpr int MaxFunctions = 50;
constexpr int MaxVariables = 10;

using TAByte = std::vector<uint8_t>;

struct TVarDefItem {
  uint8_t TypeCode;
  uint8_t ByRef;
};
using TAVarDef = std::vector<TVarDefItem>;

struct TFunction {
  std::string Name;  // lower case; empty = empty entry
  TAVarDef Params;
  uint8_t CallConv = 0;
  uint8_t ResultType = 0;
  int32_t ExtraRegs = 0;    // x87 registers the body pushes beyond its float arguments
  void* Address = nullptr;  // routine; null = inline Code
  bool Foldable = false;
  TAByte Code;
};

struct TVariable {
  std::string Name;  // lower case
  uint8_t VarType = 0;
  void* Address = nullptr;
};

// The function table is shared between compilers by reference; a compiler that
// changes a shared table first takes a private copy.
using TFunctionTable = std::shared_ptr<std::vector<TFunction>>;

bool IsIdentifier(const std::string& name);
std::string LowerName(const std::string& name);

// The compiler is a component: an owner frees it, and its options are published.
class TCtrlBlck : public TComponent {
  KX_CLASS(TCtrlBlck, TComponent)
 public:
  explicit TCtrlBlck(TComponent* owner = nullptr);
  ~TCtrlBlck() override;

  uint32_t AddFunction(const std::string& name, const std::string& signature, uint8_t callConv, uint8_t resultType,
                       int32_t extraRegs, void* address, bool foldable, const TAByte& code);
  uint32_t AddVariable(const std::string& name, uint8_t varType, void* address);
  uint32_t FindFunction(const std::string& name) const;
  uint32_t FindVariable(const std::string& name) const;
  bool GetFunction(uint32_t id, TFunction& out) const;
  bool GetVariable(uint32_t id, TVariable& out) const;
  void ClearFunctions();
  void ClearVariables();
  int FunctionFPUNeed(uint32_t id) const;
  int FunctionStackBytes(const TFunction& f) const;

  const TFunctionTable& Functions() const { return functions_; }
  void SetFunctions(const TFunctionTable& table);
  int FunctionCount() const { return static_cast<int>(functions_->size()); }
  int VariableCount() const { return static_cast<int>(variables_.size()); }

  TTrigMode TrigMode() const { return static_cast<TTrigMode>(trigMode_); }
  void SetTrigMode(TTrigMode value);
  bool ParallelExecution() const { return parallelExecution_ != 0; }
  void SetParallelExecution(bool value) { parallelExecution_ = value; }
  TEliminateBrackets EliminateBrackets() const { return static_cast<TEliminateBrackets>(eliminateBrackets_); }
  void SetEliminateBrackets(TEliminateBrackets value);
  TOutOfOrder OutOfOrder() const { return static_cast<TOutOfOrder>(outOfOrder_); }
  void SetOutOfOrder(TOutOfOrder value);
  bool AlignMode() const { return alignMode_ != 0; }
  void SetAlignMode(bool value) { alignMode_ = value; }
  bool BackOperation() const { return backOperation_ != 0; }
  void SetBackOperation(bool value) { backOperation_ = value; }
  bool SmartLoad() const { return smartLoad_ != 0; }
  void SetSmartLoad(bool value) { smartLoad_ = value; }

 private:
  std::vector<TFunction>& WritableFunctions();
  bool NameInUse(const std::string& lowerName) const;

  TFunctionTable functions_;
  std::vector<TVariable> variables_;
  uint8_t trigMode_ = 1;
  uint8_t parallelExecution_ = 1;
  uint8_t eliminateBrackets_ = 1;
  uint8_t outOfOrder_ = 1;
  uint8_t alignMode_ = 1;
  uint8_t backOperation_ = 1;
  uint8_t smartLoad_ = 1;
};

class TSimpler : public TCtrlBlck {
  KX_CLASS(TSimpler, TCtrlBlck)
 public:
  explicit TSimpler(TComponent* owner = nullptr) : TCtrlBlck(owner) {}

  TError CompError() const { return compError_; }
  // eDomain still leaves usable code: the failing constant is meaningless, the rest is sound.
  bool HasError() const { return compError_ != eNone && compError_ != eDomain; }

  // Formula text -> coded operand string; the floating constants go to the constant stack.
  std::string Parse(const std::string& text);

  // Runs a foldable function on constant arguments while compiling.
  long double EvaluateCall(const TFunction& f, const std::string& codedArgs);

 protected:
  std::string ParseSum(const std::string& text);
  std::string ParseProduct(const std::string& text);
  std::string ParseFactor(const std::string& text, size_t& pos);
  std::string ParseArgs(const std::string& text, uint32_t funcId, bool& allConst);
  std::string ParseTypedArg(const std::string& text, const TVarDefItem& param, bool& isConst);

  // Constant stack: entries in the order of the placeholders of the coded string.
  size_t ConstCount() const { return constSizes_.size(); }
  void PushConst(long double value);
  void InsertConst(size_t byteOffset, size_t index, long double value);
  long double PopConst();
  long double TakeConst(size_t index);

  size_t nextConst_ = 0;  // the tree builder's cursor over the constant stack
  TError compError_ = eNone;
  std::vector<uint8_t> constStack_;  // entry bytes
  std::vector<uint8_t> constSizes_;  // 4 (float), 8 (double) or 10 (80-bit) per entry

 private:
  enum TFoldOp { foAdd, foSub, foMul, foDiv };

  std::string Fail(TError error);
  // Stops every level: an error, or a fold that raised (see Parse).
  bool Failed() const { return HasError() || foldFailed_; }
  void Fold(long double& acc, long double value, TFoldOp op);
  std::string ParseCall(uint32_t funcId, const std::string& argText, bool bracketed, bool& folded, long double& value);
  std::string ParseOrdinalArg(const std::string& text, const TVarDefItem& param, bool& isConst);

  bool foldFailed_ = false;
};

}  // namespace kx
