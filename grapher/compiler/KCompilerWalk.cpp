// Code generation walk over the planned trees, calls and their arguments,
// temporaries and the frame, and the two-pass compile.
#include "compiler/KCompilerCode.h"

#include <windows.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace kx {

using namespace x86;

namespace {

int AreaOfSlot(int slotBytes) { return slotBytes <= 4 ? akF32 : slotBytes == 8 ? akF64 : akF80; }
int KindOfType(uint8_t type) { return type == tcF32 ? akF32 : type == tcF64 ? akF64 : akF80; }
int32_t RoundUp4(int32_t n) { return (n + 3) & ~3; }

// The parser and the tree walks recurse once per bracket level or chained term,
// that is at most once per character. Texts up to this length fit the caller's
// stack; longer ones are compiled on a thread whose stack grows with the text.
constexpr size_t LongText = 2000;
constexpr size_t StackPerChar = 2048;

struct TCompileJob {
  TKCompiler* Compiler;
  uint16_t ControlWord;  // constant folding runs under the caller's control word
};

}  // namespace

KX_PUBLISH(TKCompiler) {
  p.Property("CompError", &TKCompiler::CompError, nullptr);
  p.Property("AutoCompile", &TKCompiler::AutoCompile, &TKCompiler::SetAutoCompile).Default(1);
}

TKCompiler::TKCompiler(TComponent* owner) : TBuilder(owner) {
  compError_ = eValExpected;
  ResetCode();
}

void TKCompiler::SetExpression(const std::string& text) {
  expression_ = text;
  if (autoCompile_) Compile();
}

long double TKCompiler::Calculate() const {
  // The lone RET leaves no value: the caller would read an empty register.
  if (codeSize_ <= 1 || !code_.Data()) return std::numeric_limits<long double>::quiet_NaN();
  auto* code = reinterpret_cast<long double (*)()>(code_.Data());
  return code();
}

DWORD WINAPI TKCompiler::CompileOnThread(void* job) {
  auto* j = static_cast<TCompileJob*>(job);
  asm volatile("fldcw %0" : : "m"(j->ControlWord));
  j->Compiler->CompileText();
  return 0;
}

void TKCompiler::Compile() {
  if (expression_.size() <= LongText) {
    CompileText();
    return;
  }
  TCompileJob job{this, 0};
  asm volatile("fnstcw %0" : "=m"(job.ControlWord));
  HANDLE thread = CreateThread(nullptr, (expression_.size() + 1024) * StackPerChar, &TKCompiler::CompileOnThread, &job,
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
  if (!thread) {
    // No room for the stack such a text needs: refuse it rather than overflow.
    compError_ = eValExpected;
    ResetCode();
    return;
  }
  WaitForSingleObject(thread, INFINITE);
  CloseHandle(thread);
}

void TKCompiler::ResetCode() {
  code_ = TExecBlock(1);
  if (code_.Data()) code_.Data()[0] = Ret().Bytes[0];
  codeSize_ = 1;
}

void TKCompiler::CompileText() {
  bool built = false;
  try {
    PrepareTrees(expression_);
    if (!HasError()) {
      levels_.assign(static_cast<size_t>(maxLevel_) + 3, TLevelInfo{});
      areaStart_[0] = areaStart_[1] = areaStart_[2] = 0;
      peakTemp_[0] = peakTemp_[1] = peakTemp_[2] = 0;
      peakSpill_ = 0;
      RunPass(false);

      if (AlignMode()) {
        areaStart_[akF80] = peakSpill_ * 16;
        areaStart_[akF64] = (peakSpill_ + peakTemp_[akF80]) * 16;
        areaStart_[akF32] = areaStart_[akF64] + peakTemp_[akF64] * 8;
      } else {
        areaStart_[0] = areaStart_[1] = areaStart_[2] = peakSpill_ * 12;
      }
      uint32_t total = 0;
      for (TLevelInfo& l : levels_) {
        if (!AlignMode()) {
          l.ZeroDispRefs[0] += l.ZeroDispRefs[1] + l.ZeroDispRefs[2];
          l.ZeroDispRefs[1] = l.ZeroDispRefs[2] = 0;
        }
        for (int a = 0; a < 3; ++a)
          if (areaStart_[a] != 0) l.Cursor += 4 * static_cast<uint32_t>(l.ZeroDispRefs[a]);
        total += l.Cursor;
      }
      code_ = TExecBlock(total);
      if (!code_.Data()) throw std::runtime_error("no executable memory");
      codeSize_ = total;
      uint32_t offset = 0;
      for (size_t i = levels_.size(); i-- > 0;) {
        TLevelInfo& l = levels_[i];
        const uint32_t size = l.Cursor;
        l.Cursor = offset;
        l.Limit = offset + size;
        offset += size;
        l.QueueIndex = 0;
        l.RegsInUse = 0;
      }
      RunPass(true);
      for (const TLevelInfo& l : levels_)
        if (l.Cursor != l.Limit) throw std::logic_error("measured and written code differ");
      built = true;
    }
  } catch (const std::exception&) {
    // An internal failure must not leave half-written code behind; the formula
    // then reports that it holds no code.
    compError_ = eValExpected;
  }
  if (!built) ResetCode();
  FreeAllTrees();
  levels_.clear();
  intInfo_.clear();
}

void TKCompiler::RunPass(bool writing) {
  writing_ = writing;
  level_ = 0;
  for (TLevelInfo& l : levels_) {
    l.RegsInUse = 0;
    l.StackBytes = 0;
    l.ZeroDispRefs[0] = l.ZeroDispRefs[1] = l.ZeroDispRefs[2] = 0;
    for (TFPUSlot& s : l.Slots) s = TFPUSlot{};
    l.Queues.clear();
    l.QueueIndex = 0;
    l.QueueStarts.clear();
  }
  spillCount_ = 0;
  spillTags_.clear();
  tempCount_[0] = tempCount_[1] = tempCount_[2] = 0;
  intInfo_.clear();
  nextTag_ = 0;
  CompileTree(0, 0, akF80, false);
  EmitAllWaiting(0);
  if (writing) {
    EmitFrame();
    Emit(Ret());
  } else {
    Emit(Ret());
    levels_[0].RegsInUse = 0;
    levels_[0].Queues.clear();
    EmitFrame();
  }
}

void TKCompiler::EnterHigherLevel() {
  // The two top levels hold the conversions and the frame.
  if (level_ + 3 >= static_cast<int>(levels_.size())) throw std::logic_error("code level outside the plan");
  ++level_;
}

int32_t TKCompiler::AllocTemp(uint8_t type) {
  const int32_t slot = RoundUp4(TypeSlotSize(type));
  const int area = AreaOfSlot(slot);
  const bool align = AlignMode();
  const bool spills = spillCount_ > 0;
  int32_t disp;
  bool othersInUse;
  if (!align) {
    disp = areaStart_[akF32] + tempCount_[akF32];
    tempCount_[akF32] += slot;
    peakTemp_[akF32] = std::max(peakTemp_[akF32], tempCount_[akF32]);
    othersInUse = spills || disp != areaStart_[akF32];
  } else {
    const int32_t n = tempCount_[area]++;
    peakTemp_[area] = std::max(peakTemp_[area], tempCount_[area]);
    if (area == akF32) {
      const int32_t shared = peakSpill_ + peakTemp_[akF80];
      disp = n < shared ? n * 16 + 12 : areaStart_[akF32] + 4 * (n - shared);
      othersInUse = spills || tempCount_[akF64] > 0 || tempCount_[akF80] > 0;
    } else if (area == akF64) {
      disp = areaStart_[akF64] + 8 * n;
      othersInUse = spills || tempCount_[akF80] > 0;
    } else {
      disp = areaStart_[akF80] + 16 * n;
      othersInUse = spills;
    }
  }
  // Such a slot moves away from ESP once the frame is laid out: keep the long form.
  if (disp == 0 && othersInUse) disp = -1;
  lastTemp_[area] = disp;
  return disp;
}

int32_t TKCompiler::LastTempDisp(uint8_t type) const {
  // An u32 value is kept zero-extended to 64 bits.
  const int32_t slot = type == tcU32 ? 8 : RoundUp4(TypeSlotSize(type));
  return lastTemp_[AreaOfSlot(slot)];
}

void TKCompiler::EmitFrame() {
  int32_t size;
  const bool align = AlignMode();
  if (align)
    size = (peakSpill_ + peakTemp_[akF80]) * 16 + peakTemp_[akF64] * 8 +
           4 * std::max(0, peakTemp_[akF32] - (peakSpill_ + peakTemp_[akF80]));
  else
    size = peakSpill_ * 12 + peakTemp_[akF32];
  const bool ebpFrame = align && (peakSpill_ > 0 || peakTemp_[akF80] > 0 || peakTemp_[akF64] > 0);
  const int saved = level_;
  level_ = static_cast<int>(levels_.size()) - 1;
  if (ebpFrame) {
    Emit(Push(Ebp));
    Emit(Mov(Ebp, InReg(Esp)));
    const int32_t a = (peakSpill_ > 0 || peakTemp_[akF80] > 0) ? 16 : 8;
    const int32_t r = size % a;
    if (r > 0) EmitEspAdjust(true, r);
    EmitImm32(AndImm32(Esp), static_cast<uint32_t>(-a));
    if (r > 0) EmitEspAdjust(false, r);
  }
  if (size > 0) EmitEspAdjust(true, size);
  level_ = 0;
  if (ebpFrame) {
    Emit(Mov(Esp, InReg(Ebp)));
    Emit(Pop(Ebp));
  } else if (size > 0) {
    EmitEspAdjust(false, size);
  }
  level_ = saved;
}

void TKCompiler::CompileTree(int tree, int32_t disp, uint8_t kind, bool store, int32_t tag) {
  TTreeNode* root = trees_[static_cast<size_t>(tree)];
  const bool hoistedArg = root->Hoisted && !IsCallNode(root);
  int32_t temp = 0;
  if (hoistedArg) {
    EnterHigherLevel();
    temp = AllocTemp(tcF80);
  }
  TLevelInfo& l = Lvl();
  const size_t queueIndex = l.Queues.size();
  TOpQueue q;
  q.Disp = hoistedArg ? 0 : disp;
  q.Kind = kind;
  q.StoreResult = store && !hoistedArg ? 1 : 0;
  q.OpsLeft = CountOperators(root);
  q.LeavesLeft = CountLeaves(root);
  q.Tag = hoistedArg ? -1 : tag;
  l.Queues.push_back(q);
  CompileNode(root);
  if (!hoistedArg) return;

  EmitAllWaiting(0);
  EmitTempRef(FstpTbyte, temp, akF80);
  DropSlot(0);
  while (l.Queues.size() > queueIndex) RemoveQueue(l.Queues.size() - 1);
  --level_;

  // Read back where the argument belongs, as a tree of one leaf.
  TOpQueue reload;
  reload.Disp = disp;
  reload.Kind = kind;
  reload.StoreResult = store ? 1 : 0;
  reload.LeavesLeft = 1;
  reload.Tag = tag;
  Lvl().Queues.push_back(reload);
  LoadConstant(temp, tcF80, true, false);
}

void TKCompiler::CompileNode(TTreeNode* node) {
  if (IsConstNode(node)) {
    LoadConstant(static_cast<int32_t>(ReadCode32(node->Text, 2)), static_cast<uint8_t>(node->Text[1]), false,
                 node->Negate != 0);
    return;
  }
  if (IsVarNode(node)) {
    LoadVariable(NodeId(node), node->Negate != 0);
    return;
  }
  if (IsCallNode(node)) {
    CompileCall(node);
    if (node->Hoisted) {
      const uint8_t type = OperandType(node);
      LoadConstant(LastTempDisp(type), type, true, node->Negate != 0);
      return;
    }
    PushSlot(std::string(1, '\0'));
    if (node->Negate) Emit(Fchs());
    PushedValue();
    return;
  }

  uint8_t op = static_cast<uint8_t>(std::string("+-*/").find(node->Text[0]));
  bool rightFirst = node->Right->CallNeed > node->Left->CallNeed;
  if (node->Right->CallNeed == node->Left->CallNeed) {
    TTreeNode* left = node->Left;
    if (IsVarNode(left)) {
      const uint8_t t = OperandType(left);
      rightFirst = t == tcI08 || t == tcU08 || t == tcU16 || t == tcU32;
    } else if (IsCallNode(left) && left->Hoisted) {
      rightFirst = true;
    }
  }
  if (rightFirst) op |= opReversed;
  TTreeNode* first = rightFirst ? node->Right : node->Left;
  TTreeNode* second = rightFirst ? node->Left : node->Right;
  CompileNode(first);
  if (node->Negate) op |= opNegate;

  TLevelInfo& l = Lvl();
  if (l.RegsInUse == 8 && PendingCount(0) == 0) {
    // With every register taken, a memory operand saves a load.
    uint8_t source = 0;
    uint32_t where = 0;
    if (IsConstNode(second)) {
      const uint8_t t = static_cast<uint8_t>(second->Text[1]);
      if (t != tcF80) {
        source = t == tcF32 ? opSrcMem16 : opSrcMem32;
        where = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(PoolData())) + ReadCode32(second->Text, 2);
      }
    } else if (IsVarNode(second)) {
      TVariable v;
      GetVariable(NodeId(second), v);
      const uint32_t addr = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(v.Address));
      switch (v.VarType) {
        case tcI16:
          source = opSrcMem16 | opInteger;
          where = addr;
          break;
        case tcI32:
          source = opSrcMem32 | opInteger;
          where = addr;
          break;
        case tcF32:
          source = opSrcMem16;
          where = addr;
          break;
        case tcF64:
          source = opSrcMem32;
          where = addr;
          break;
        case tcI08:
        case tcU08:
        case tcU16: {
          const int32_t off = ConvertVariable(NodeId(second), v.VarType);
          source = opSrcMem32 | opInteger | opOnStack;
          where = static_cast<uint32_t>(off < 0 ? -1 : off + l.StackBytes);
          break;
        }
        default:
          break;
      }
    } else if (IsCallNode(second) && second->Hoisted) {
      const uint8_t t = OperandType(second);
      if (t != tcF80 && t != tcU32 && t != tcI64) {
        CompileCall(second);
        const int32_t off = LastTempDisp(t);
        source = opOnStack;
        if (t == tcI16)
          source |= opSrcMem16 | opInteger;
        else if (t == tcF32)
          source |= opSrcMem16;
        else if (t == tcF64)
          source |= opSrcMem32;
        else
          source |= opSrcMem32 | opInteger;
        where = static_cast<uint32_t>(off < 0 ? -1 : off + l.StackBytes);
      }
    }
    if (source != 0) {
      TOpQueue& q = l.Queues.back();
      --q.LeavesLeft;
      EmitOperation(static_cast<uint8_t>(op | source), where, l.RegsInUse);
      --q.OpsLeft;
      FinishQueueIfDone(l.Queues.size() - 1);
      return;
    }
  }
  CompileNode(second);
  QueueOperation(op);
}

void TKCompiler::OrderX87Args(const std::vector<int32_t>& tags) {
  // Each argument must sit in its own register: the first one deepest.
  TLevelInfo& l = Lvl();
  const int n = static_cast<int>(tags.size());
  auto find = [&](int32_t tag) {
    for (int r = 0; r < l.RegsInUse; ++r)
      if (l.Slots[r].Tag == tag) return r;
    throw std::logic_error("call argument lost");
  };
  for (int i = n - 1; i >= 0; --i) {
    const int32_t want = tags[static_cast<size_t>(n - 1 - i)];
    if (l.Slots[i].Tag == want) continue;
    const int j = find(want);
    if (i == 0) {
      ExchangeRegs(j);
    } else if (j == 0) {
      ExchangeRegs(i);
    } else {
      ExchangeRegs(j);
      ExchangeRegs(i);
    }
  }
}

void TKCompiler::CompileCall(TTreeNode* node) {
  TFunction f;
  GetFunction(NodeId(node), f);
  if (node->Hoisted) EnterHigherLevel();
  TLevelInfo& l = Lvl();
  l.QueueStarts.push_back(static_cast<int32_t>(l.Queues.size()));
  const int32_t n = FunctionStackBytes(f);
  if (n > 0) {
    EmitEspAdjust(true, n);
    l.StackBytes += n;
  }
  const int32_t blockBase = l.StackBytes;

  struct TX87Arg {
    int Tree;
    int Target;
  };
  struct TRegArg {
    int Reg;  // 0 EAX, 1 EDX, 2 ECX
    TTreeNode* Arg;
    TVarDefItem Param;
  };
  std::vector<TX87Arg> x87;
  std::vector<TRegArg> regs;
  const std::vector<std::string> items = CallArgItems(node);
  const int places = f.CallConv == 4 ? 8 - f.ExtraRegs : 0;
  const bool regConv = f.CallConv == 0 || f.CallConv == 4;
  int32_t stackUsed = 0;
  for (size_t i = 0; i < items.size() && i < f.Params.size(); ++i) {
    const TVarDefItem& param = f.Params[i];
    const uint32_t index = ReadCode32(items[i], 1);
    const bool floatArg = items[i][0] == ckArgTree;
    if (floatArg && static_cast<int>(x87.size()) < places) {
      x87.push_back({static_cast<int>(index), static_cast<int>(x87.size())});
      continue;
    }
    if (!floatArg && (param.ByRef || param.TypeCode <= tcU32) && regConv && regs.size() < 3) {
      regs.push_back({static_cast<int>(regs.size()), argNodes_[index], param});
      continue;
    }
    const int32_t slot = param.ByRef ? 4 : RoundUp4(TypeSlotSize(param.TypeCode));
    const int32_t off = (f.CallConv == 2 || f.CallConv == 3) ? stackUsed : n - stackUsed - slot;
    stackUsed += slot;
    if (floatArg)
      CompileTree(static_cast<int>(index), off - blockBase, static_cast<uint8_t>(KindOfType(param.TypeCode)), true);
    else
      PlaceArg(argNodes_[index], param, -1, off - blockBase);
  }

  // Arguments that need the most registers go first; those computed ahead last.
  std::vector<TX87Arg> order = x87;
  std::stable_sort(order.begin(), order.end(), [&](const TX87Arg& a, const TX87Arg& b) {
    const TTreeNode* ra = trees_[static_cast<size_t>(a.Tree)];
    const TTreeNode* rb = trees_[static_cast<size_t>(b.Tree)];
    if (ra->Hoisted != rb->Hoisted) return rb->Hoisted != 0;
    return ra->CallNeed > rb->CallNeed;
  });
  std::vector<int32_t> tags;
  for (size_t i = 0; i < x87.size(); ++i) tags.push_back(nextTag_++);
  const int32_t below = l.RegsInUse;
  for (const TX87Arg& a : order)
    CompileTree(a.Tree, below + a.Target, akF80, false, tags[static_cast<size_t>(a.Target)]);
  EmitAllWaiting(static_cast<size_t>(l.QueueStarts.back()));
  // EAX is loaded last: the others pass through it.
  for (auto it = regs.rbegin(); it != regs.rend(); ++it) PlaceArg(it->Arg, it->Param, it->Reg, 0);

  // Room for what the callee needs beyond its arguments.
  const int nx87 = static_cast<int>(x87.size());
  EnsureFree(std::max(0, FunctionFPUNeed(NodeId(node)) - nx87));
  OrderX87Args(tags);
  for (int k = 0; k < nx87; ++k) DropSlot(0);
  const size_t start = static_cast<size_t>(l.QueueStarts.back());
  while (l.Queues.size() > start) RemoveQueue(l.Queues.size() - 1);
  l.QueueStarts.pop_back();

  EmitCall(f);
  if (f.CallConv == 2 && n > 0) EmitEspAdjust(false, n);
  l.StackBytes -= n;
  if (!node->Hoisted) return;
  if (IsOrdinalType(f.ResultType)) {
    StoreOrdinalResult(f.ResultType);
  } else {
    const int kind = KindOfType(f.ResultType);
    EmitTempRef([kind](TRm m) { return FstpFloat(kind, m); }, AllocTemp(f.ResultType), kind);
  }
  --level_;
}

}  // namespace kx
