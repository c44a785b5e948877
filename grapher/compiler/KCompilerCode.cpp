// Emission primitives and the x87 register model: loads, exchanges, spills,
// reloads and the queues of waiting register operations.
#include "compiler/KCompilerCode.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace kx {

using namespace x86;

namespace {

const std::string NoName(1, '\0');

int FloatKind(uint8_t type) { return type == tcF32 ? akF32 : type == tcF64 ? akF64 : akF80; }

}  // namespace

void TKCompiler::Emit(const uint8_t* bytes, size_t count) {
  if (count == 0) return;
  TLevelInfo& l = Lvl();
  if (writing_) {
    if (l.Cursor + count > l.Limit) throw std::logic_error("code level overrun");
    std::memcpy(code_.Data() + l.Cursor, bytes, count);
  }
  l.Cursor += static_cast<uint32_t>(count);
}

void TKCompiler::EmitBytes(std::initializer_list<uint8_t> bytes) { Emit(bytes.begin(), bytes.size()); }

void TKCompiler::EmitImm8(const uint8_t* tpl, size_t len, uint8_t value) {
  Emit(tpl, len);
  Emit(&value, 1);
}

void TKCompiler::EmitImm32(const uint8_t* tpl, size_t len, uint32_t value) {
  Emit(tpl, len);
  const uint8_t b[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
  Emit(b, 4);
}

void TKCompiler::EmitImm8Imm32(const TOp& op, uint8_t first, uint32_t second) {
  EmitImm8(op, first);
  EmitImm32(nullptr, 0, second);
}

void TKCompiler::EmitImm32Imm32(const TOp& op, uint32_t first, uint32_t second) {
  EmitImm32(op, first);
  EmitImm32(nullptr, 0, second);
}

void TKCompiler::EmitAddress(const TOp& op, uint32_t extra, uint32_t varId) {
  TVariable v;
  GetVariable(varId, v);
  EmitImm32(op, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(v.Address)) + extra);
}

void TKCompiler::EmitCall(const TFunction& f) {
  if (!f.Address) {
    if (!f.Code.empty()) Emit(f.Code.data(), f.Code.size());
    return;
  }
  uint32_t rel = 0;
  if (writing_) {
    const uintptr_t next = reinterpret_cast<uintptr_t>(code_.Data()) + Lvl().Cursor + 5;
    rel = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(f.Address) - next);
  }
  EmitImm32(CallRel32(), rel);
}

void TKCompiler::EmitEspAdjust(bool reserve, int32_t n) {
  if (n < 128)
    EmitImm8(reserve ? SubImm8(Esp) : AddImm8(Esp), static_cast<uint8_t>(n));
  else
    EmitImm32(reserve ? SubImm32(Esp) : AddImm32(Esp), static_cast<uint32_t>(n));
}

bool TKCompiler::ReuseRegister(const std::string& code, uint8_t type, uintptr_t addr) {
  // An aligned 32- or 64-bit float is as quick to read again as to copy.
  if (SmartLoad() && ((type == tcF64 && addr % 8 == 0) || (type == tcF32 && addr % 4 == 0))) return false;
  const TLevelInfo& l = Lvl();
  for (int r = l.RegsInUse - 1; r >= 0; --r)
    if (l.Slots[r].Name == code) {
      DuplicateReg(r);
      return true;
    }
  return false;
}

void TKCompiler::DuplicateReg(int i) {
  if (i < 0 || i > 6) return;
  Emit(FldSt(i));
}

void TKCompiler::ExchangeRegs(int i, int j) {
  (void)j;  // always ST(0)
  TLevelInfo& l = Lvl();
  if (i <= 0 || i >= l.RegsInUse) return;
  Emit(Fxch(i));
  std::swap(l.Slots[i], l.Slots[0]);
}

int TKCompiler::RegOfPos(int32_t pos) const {
  const TLevelInfo& l = levels_[level_];
  for (int r = 0; r < l.RegsInUse; ++r)
    if (l.Slots[r].Pos == pos) return r;
  throw std::logic_error("x87 value lost");
}

void TKCompiler::DropSlot(int reg, bool byOperation) {
  TLevelInfo& l = Lvl();
  const int32_t removed = l.Slots[reg].Pos;
  for (int r = reg; r < 7; ++r) l.Slots[r] = l.Slots[r + 1];
  l.Slots[7] = TFPUSlot{};
  --l.RegsInUse;
  for (int r = 0; r < l.RegsInUse; ++r)
    if (l.Slots[r].Pos > removed) --l.Slots[r].Pos;
  // A value stored or passed away also moves down the waiting operations above it;
  // an emitted operation does that itself.
  if (byOperation) return;
  for (TOpQueue& q : l.Queues)
    for (int k = 0; k < q.Count; ++k)
      if (q.Entries[k].Pos > removed + 1) --q.Entries[k].Pos;
}

void TKCompiler::PushSlot(const std::string& name) {
  TLevelInfo& l = Lvl();
  if (l.RegsInUse >= 8) throw std::logic_error("x87 stack overflow");
  for (int r = 7; r > 0; --r) l.Slots[r] = l.Slots[r - 1];
  l.Slots[0] = TFPUSlot{l.RegsInUse, name, -1};
}

void TKCompiler::StoreToStack(int kind, int32_t disp, int reg) {
  ExchangeRegs(reg);
  EmitEspForm([kind](TRm m) { return FstpFloat(kind, m); }, disp);
  DropSlot(0);
}

void TKCompiler::LoadVariable(uint32_t id, bool negate) {
  EnsureFree(1);
  TVariable v;
  GetVariable(id, v);
  std::string code(1, ckVar);
  AppendCode32(code, id);
  if (!ReuseRegister(code, v.VarType, reinterpret_cast<uintptr_t>(v.Address))) {
    switch (v.VarType) {
      case tcI16:
        EmitAddress(FildWord(Abs32()), 0, id);
        break;
      case tcI32:
        EmitAddress(FildDword(Abs32()), 0, id);
        break;
      case tcI64:
        EmitAddress(FildQword(Abs32()), 0, id);
        break;
      case tcI08:
      case tcU08:
      case tcU16:
      case tcU32: {
        const int32_t off = ConvertVariable(id, v.VarType);
        if (v.VarType == tcU32)
          EmitTempRef(FildQword, off, akF64);
        else
          EmitTempRef(FildDword, off, akF32);
        break;
      }
      default:
        EmitAddress(FldFloat(FloatKind(v.VarType), Abs32()), 0, id);
        break;
    }
  }
  if (negate) Emit(Fchs());
  PushSlot(negate ? NoName : code);
  PushedValue();
}

void TKCompiler::LoadConstant(int32_t dispOrOffset, uint8_t type, bool onStack, bool negate) {
  EnsureFree(1);
  std::string code = NoName;
  if (!onStack) {
    code = std::string(1, ckConst) + static_cast<char>(type);
    AppendCode32(code, static_cast<uint32_t>(dispOrOffset));
    const uintptr_t addr = reinterpret_cast<uintptr_t>(PoolData()) + static_cast<uint32_t>(dispOrOffset);
    if (!ReuseRegister(code, type, addr)) EmitImm32(FldFloat(FloatKind(type), Abs32()), static_cast<uint32_t>(addr));
  } else if (IsFloatType(type)) {
    const int k = FloatKind(type);
    EmitTempRef([k](TRm m) { return FldFloat(k, m); }, dispOrOffset, k);
  } else {
    const int k = type == tcI16 ? 0 : (type == tcU32 || type == tcI64) ? 2 : 1;
    EmitTempRef([k](TRm m) { return FildInt(k, m); }, dispOrOffset, k == 2 ? akF64 : akF32);
  }
  if (negate) Emit(Fchs());
  PushSlot(negate ? NoName : code);
  PushedValue();
}

void TKCompiler::EnsureFree(int n) {
  TLevelInfo& l = Lvl();
  int excess = l.RegsInUse + n - 8;
  for (int rounds = PendingCount(0); excess > 0 && rounds > 0 && PendingCount(0) > 0; --rounds) {
    EmitWaiting();
    excess = l.RegsInUse + n - 8;
  }
  if (excess <= 0) return;
  const int32_t slot = AlignMode() ? 16 : 12;
  for (int k = 0; k < excess; ++k) {
    ExchangeRegs(RegOfPos(0));
    const int32_t index = spillCount_ + k;
    EmitEspForm(FstpTbyte, index * slot + l.StackBytes);
    if (static_cast<int32_t>(spillTags_.size()) <= index) spillTags_.resize(index + 1, -1);
    spillTags_[index] = l.Slots[0].Tag;
    DropSlot(0);
  }
  spillCount_ += excess;
  peakSpill_ = std::max(peakSpill_, spillCount_);
}

bool TKCompiler::Reload() {
  TLevelInfo& l = Lvl();
  if (spillCount_ == 0 || PendingCount(0) + 1 != l.RegsInUse) return false;
  EnsureFree(1);
  --spillCount_;
  const int32_t slot = AlignMode() ? 16 : 12;
  EmitEspForm(FldTbyte, spillCount_ * slot + l.StackBytes);
  PushSlot(NoName);
  l.Slots[0].Tag = spillTags_[spillCount_];
  ++l.RegsInUse;
  return true;
}

void TKCompiler::PushedValue() {
  TLevelInfo& l = Lvl();
  ++l.RegsInUse;
  if (l.Queues.empty()) return;
  TOpQueue& q = l.Queues.back();
  --q.LeavesLeft;
  if (q.Started) return;
  q.Started = 1;
  l.Slots[0].Tag = q.Tag;
  if (!q.StoreResult) {
    ExchangeRegs(l.RegsInUse - q.Disp - 1);
  } else if (q.LeavesLeft == 0 && q.OpsLeft == 0) {
    StoreToStack(q.Kind, q.Disp + l.StackBytes, 0);
    RemoveQueue(l.Queues.size() - 1);
  }
}

void TKCompiler::QueueOperation(uint8_t op) {
  if ((op & opSourceMask) == opSrcReg && Reload()) op ^= opReversed;
  TLevelInfo& l = Lvl();
  if (l.Queues.empty() || l.Queues.back().Count == 8) throw std::logic_error("operation queue overrun");
  TOpQueue& q = l.Queues.back();
  q.Entries[q.Count++] = TOpEntry{l.RegsInUse, op};
  if (!BackOperation()) EmitWaiting();
}

int TKCompiler::PendingCount(size_t from) const {
  const TLevelInfo& l = levels_[level_];
  int n = 0;
  for (size_t i = from; i < l.Queues.size(); ++i) n += l.Queues[i].Count;
  return n;
}

void TKCompiler::RemoveQueue(size_t index) {
  TLevelInfo& l = Lvl();
  for (int32_t& s : l.QueueStarts)
    if (s > static_cast<int32_t>(index)) --s;
  l.Queues.erase(l.Queues.begin() + static_cast<std::ptrdiff_t>(index));
  if (l.QueueIndex >= static_cast<int32_t>(index) && l.QueueIndex > 0) --l.QueueIndex;
}

void TKCompiler::FinishQueueIfDone(size_t index) {
  TLevelInfo& l = Lvl();
  TOpQueue& q = l.Queues[index];
  if (q.OpsLeft > 0 || q.LeavesLeft > 0 || q.Count > 0) return;
  // Only a memory operation completes a tree here; its result is in ST(0).
  if (q.StoreResult) StoreToStack(q.Kind, q.Disp + l.StackBytes, 0);
  RemoveQueue(index);
}

void TKCompiler::EmitWaiting(size_t fromQueue) {
  TLevelInfo& l = Lvl();
  if (PendingCount(fromQueue) == 0) return;
  const int32_t n = static_cast<int32_t>(l.Queues.size());
  const int32_t first = static_cast<int32_t>(fromQueue);
  int32_t qi = l.QueueIndex + 1;
  if (qi >= n || qi < first) qi = first;
  while (l.Queues[qi].Count == 0) qi = qi + 1 >= n ? first : qi + 1;
  l.QueueIndex = qi;
  TOpQueue& q = l.Queues[qi];
  if (ParallelExecution()) {
    // Let independent operations of the queue overlap in the x87 pipeline.
    for (bool changed = true; changed;) {
      changed = false;
      for (int k = 1; k < q.Count - 1; ++k) {
        TOpEntry* e = q.Entries;
        if (e[k].Pos == e[0].Pos + k && e[k + 1].Pos >= e[k].Pos + 2 && e[k + 1].Pos > e[k - 1].Pos + 1) {
          std::swap(e[k], e[k + 1]);
          ++e[k + 1].Pos;
          changed = true;
          break;
        }
      }
    }
  }
  const TOpEntry entry = q.Entries[0];
  const int result = EmitOperation(entry.Op, 0, entry.Pos);
  for (int k = 1; k < q.Count; ++k) q.Entries[k - 1] = q.Entries[k];
  --q.Count;
  --q.OpsLeft;
  for (int32_t j = qi; j < n; ++j)
    for (int k = 0; k < l.Queues[j].Count; ++k) --l.Queues[j].Entries[k].Pos;
  if (q.OpsLeft == 0 && q.LeavesLeft == 0) {
    if (q.StoreResult) StoreToStack(q.Kind, q.Disp + l.StackBytes, result);
    RemoveQueue(static_cast<size_t>(qi));
  }
}

void TKCompiler::EmitAllWaiting(size_t fromQueue) {
  while (PendingCount(fromQueue) > 0) EmitWaiting(fromQueue);
}

int TKCompiler::EmitOperation(uint8_t op, uint32_t addrOrDisp, int32_t p) {
  TLevelInfo& l = Lvl();
  const int oper = op & opOperatorMask;
  const bool reversed = (op & opReversed) != 0;
  const bool negate = (op & opNegate) != 0;
  const int source = op & opSourceMask;
  static constexpr TFArith Operators[] = {faAdd, faSub, faMul, faDiv};
  if (source != opSrcReg) {
    TFArith arith = reversed ? Reversed(Operators[oper]) : Operators[oper];
    if (oper == opAdd && negate) arith = faSub;
    const bool integer = (op & opInteger) != 0;
    const TFSource operand =
        integer ? (source == opSrcMem16 ? fsInt16 : fsInt32) : (source == opSrcMem16 ? fsFloat32 : fsFloat64);
    ExchangeRegs(RegOfPos(p - 1));
    if (negate) Emit(Fchs());
    if (op & opOnStack) {
      if (addrOrDisp == 0) {
        ++l.ZeroDispRefs[source == opSrcMem32 && !integer ? akF64 : akF32];
        Emit(FArith(arith, operand, AtEsp()));
      } else {
        EmitImm32(FArith(arith, operand, AtEspD32()), addrOrDisp);
      }
    } else {
      EmitImm32(FArith(arith, operand, Abs32()), addrOrDisp);
    }
    l.Slots[0].Name = NoName;
    return 0;
  }
  TFArith arith = reversed ? Reversed(Operators[oper]) : Operators[oper];
  int i;
  if (l.Slots[0].Pos == p - 1) {
    i = RegOfPos(p - 2);
  } else if (l.Slots[0].Pos == p - 2) {
    // The operands' roles are exchanged: the first one is on top.
    arith = Reversed(arith);
    i = RegOfPos(p - 1);
  } else {
    ExchangeRegs(RegOfPos(p - 1));
    i = RegOfPos(p - 2);
  }
  if (negate) {
    Emit(Fchs());
    if (oper == opAdd) arith = faSubR;
  }
  Emit(FArithP(arith, i));
  TFPUSlot& target = l.Slots[i];
  if (target.Tag < 0) target.Tag = l.Slots[0].Tag;
  target.Pos = p - 2;
  target.Name = NoName;
  DropSlot(0, true);
  return i - 1;
}

}  // namespace kx
