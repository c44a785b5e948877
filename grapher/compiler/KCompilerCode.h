// Formula compiler: x87 code generation into an executable buffer (TKCompiler).
#pragma once

#include "compiler/ExecMemory.h"
#include "compiler/KCompilerTree.h"
#include "compiler/X87Encoder.h"

#include <string>
#include <vector>

namespace kx {

// One x87 register of the model; index 0 is ST(0).
struct TFPUSlot {
  int32_t Pos = 0;   // place in push order, 0 = the deepest value of the level
  std::string Name;  // operand code of the value, or the byte 0 when it has none
  int32_t Tag = -1;  // identity of a call argument's value, -1 for none
};

struct TOpEntry {
  int32_t Pos = 0;  // values in use when queued; the operands are Pos-1 and Pos-2
  uint8_t Op = 0;
};

// Operation byte: operator, operand source and flags.
enum : uint8_t {
  opAdd = 0,
  opSub = 1,
  opMul = 2,
  opDiv = 3,
  opOperatorMask = 3,
  opSrcReg = 0,
  opSrcMem16 = 4,
  opSrcMem32 = 8,
  opSourceMask = 12,  // memory: 32-bit float or 16-bit int / 64-bit float or 32-bit int
  opReversed = 16,
  opInteger = 32,
  opOnStack = 64,
  opNegate = 128
};

// Waiting register operations of one tree being compiled.
struct TOpQueue {
  TOpEntry Entries[8];
  int32_t Count = 0;
  int32_t Disp = 0;  // stack displacement of a stored result, or the x87 target position
  uint8_t Kind = akF80;
  int32_t OpsLeft = 0;
  int32_t LeavesLeft = 0;
  uint8_t StoreResult = 0;
  uint8_t Started = 0;
  int32_t Tag = -1;  // identity given to the tree's first value
};

struct TLevelInfo {
  uint32_t Cursor = 0;
  uint32_t Limit = 0;  // end of the level's part of the code buffer (writing pass)
  int32_t RegsInUse = 0;
  int32_t StackBytes = 0;
  int32_t ZeroDispRefs[3] = {};
  TFPUSlot Slots[8];
  std::vector<TOpQueue> Queues;
  int32_t QueueIndex = 0;
  std::vector<int32_t> QueueStarts;
};

struct TIntInfo {
  uint32_t VarId;
  int32_t Disp;
};

class TKCompiler : public TBuilder {
  KX_CLASS(TKCompiler, TBuilder)
 public:
  explicit TKCompiler(TComponent* owner = nullptr);
  ~TKCompiler() override = default;

  bool AutoCompile() const { return autoCompile_; }
  void SetAutoCompile(bool value) { autoCompile_ = value; }
  const std::string& Expression() const { return expression_; }
  void SetExpression(const std::string& text);

  virtual void Compile();
  // Runs the compiled code; NaN while no formula is compiled.
  long double Calculate() const;

  const uint8_t* Code() const { return code_.Data(); }
  size_t CodeSize() const { return codeSize_; }

 protected:
  virtual void LoadVariable(uint32_t id, bool negate);
  virtual void LoadConstant(int32_t dispOrOffset, uint8_t type, bool onStack, bool negate);
  virtual void ExchangeRegs(int i, int j = 0);
  virtual void DuplicateReg(int i);
  virtual void StoreToStack(int kind, int32_t disp, int reg);
  virtual void EmitImm8(const uint8_t* tpl, size_t len, uint8_t value);
  virtual void EmitImm32(const uint8_t* tpl, size_t len, uint32_t value);
  virtual void Emit(const uint8_t* bytes, size_t count);
  virtual int EmitOperation(uint8_t op, uint32_t addrOrDisp, int32_t pos);

  void EmitBytes(std::initializer_list<uint8_t> bytes);
  void Emit(const x86::TOp& op) { Emit(op.Bytes, op.Size); }
  void EmitImm8(const x86::TOp& op, uint8_t value) { EmitImm8(op.Bytes, op.Size, value); }
  void EmitImm32(const x86::TOp& op, uint32_t value) { EmitImm32(op.Bytes, op.Size, value); }
  void EmitImm8Imm32(const x86::TOp& op, uint8_t first, uint32_t second);
  void EmitImm32Imm32(const x86::TOp& op, uint32_t first, uint32_t second);
  void EmitAddress(const x86::TOp& op, uint32_t extra, uint32_t varId);
  void EmitCall(const TFunction& f);
  // An instruction whose memory operand is ESP plus disp; make gives it for an
  // operand form: [esp] for 0, [esp+d8] when allowed and short, else [esp+d32].
  template <typename TMake>
  void EmitEspForm(TMake make, int32_t disp, bool shortAllowed = true) {
    if (disp == 0)
      Emit(make(x86::AtEsp()));
    else if (shortAllowed && disp > 0 && disp < 128)
      EmitImm8(make(x86::AtEspD8()), static_cast<uint8_t>(disp));
    else
      EmitImm32(make(x86::AtEspD32()), static_cast<uint32_t>(disp));
  }
  // A frame temporary seen from the current level; returns the displacement used.
  template <typename TMake>
  int32_t EmitTempRef(TMake make, int32_t temp, int area) {
    // The frame is laid out after the measuring pass: a temporary at 0 may move
    // (its reference is counted, to be measured long), and -1 marks one that will;
    // every other displacement takes the d32 form, so both passes agree on length.
    TLevelInfo& l = Lvl();
    const int32_t disp = temp < 0 ? -1 : temp + l.StackBytes;
    if (disp == 0) ++l.ZeroDispRefs[area];
    EmitEspForm(make, disp, false);
    return disp;
  }
  // sub esp, n or add esp, n.
  void EmitEspAdjust(bool reserve, int32_t n);
  // Copies a register that already holds the value; true when it did.
  bool ReuseRegister(const std::string& code, uint8_t type, uintptr_t addr);

  // Register model.
  TLevelInfo& Lvl() { return levels_[level_]; }
  void EnsureFree(int n);
  bool Reload();
  void PushedValue();
  void PushSlot(const std::string& name);
  void QueueOperation(uint8_t op);
  int PendingCount(size_t from) const;
  void EmitWaiting(size_t fromQueue = 0);
  void EmitAllWaiting(size_t fromQueue = 0);
  void RemoveQueue(size_t index);
  void FinishQueueIfDone(size_t index);
  int RegOfPos(int32_t pos) const;
  void DropSlot(int reg, bool byOperation = false);

  // Code generation walk.
  void CompileTree(int tree, int32_t disp, uint8_t kind, bool store, int32_t tag = -1);
  void CompileNode(TTreeNode* node);
  void CompileCall(TTreeNode* node);
  void PlaceArg(TTreeNode* arg, const TVarDefItem& param, int reg, int32_t disp);
  void LoadOrdinalToEax(TTreeNode* arg, const TVarDefItem& param);
  void StoreImmediate(int32_t disp, uint32_t value);
  void OrderX87Args(const std::vector<int32_t>& tags);
  int32_t ConvertVariable(uint32_t id, uint8_t type);
  void StoreOrdinalResult(uint8_t type);
  void EnterHigherLevel();
  int32_t AllocTemp(uint8_t type);
  int32_t LastTempDisp(uint8_t type) const;
  void EmitFrame();
  void RunPass(bool writing);
  void CompileText();
  void ResetCode();
  static unsigned long __stdcall CompileOnThread(void* job);

 private:
  std::string expression_;
  int32_t peakTemp_[3] = {};
  int32_t spillCount_ = 0;
  int32_t peakSpill_ = 0;
  std::vector<int32_t> spillTags_;
  TExecBlock code_;
  size_t codeSize_ = 0;
  bool writing_ = false;
  std::vector<TLevelInfo> levels_;
  std::vector<TIntInfo> intInfo_;
  int32_t lastTemp_[3] = {};
  int32_t nextTag_ = 0;
  bool autoCompile_ = true;
};

}  // namespace kx
