// Ordinal values in CPU registers: arguments of ordinal and by-reference
// parameters, small-integer variables converted for fild, ordinal call results.
#include "compiler/KCompilerCode.h"

#include <cstring>

namespace kx {

using namespace x86;

namespace {

uint32_t AddressOf(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
bool IsSignedOrdinal(uint8_t type) { return type == tcI08 || type == tcI16 || type == tcI32 || type == tcI64; }

// mov [esp...], reg for the operand forms of EmitEspForm.
auto StoreFrom(TReg reg) {
  return [reg](TRm m) { return Mov(m, reg); };
}

}  // namespace

// Loads an ordinal argument into EAX (EDX:EAX for an i64 parameter), widened
// by the source's signedness and negated when it carried a minus.
void TKCompiler::LoadOrdinalToEax(TTreeNode* arg, const TVarDefItem& param) {
  const bool wide = param.TypeCode == tcI64;
  if (param.ByRef) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    EmitImm32(MovImm32(Eax), AddressOf(v.Address));
    return;
  }
  if (IsConstNode(arg)) {
    int64_t value;
    std::memcpy(&value, arg->Text.data() + 2, 8);
    if (arg->Negate) value = -value;
    EmitImm32(MovImm32(Eax), static_cast<uint32_t>(value));
    if (wide) EmitImm32(MovImm32(Edx), static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
    return;
  }
  uint8_t type;
  if (IsVarNode(arg)) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    type = v.VarType;
    const uint32_t addr = AddressOf(v.Address);
    if (wide && !IsSignedOrdinal(type)) Emit(Xor(Edx, Edx));
    switch (type) {
      case tcI08:
        EmitImm32(Movsx8(Eax, Abs32()), addr);
        break;
      case tcU08:
        EmitImm32(Movzx8(Eax, Abs32()), addr);
        break;
      case tcI16:
        EmitImm32(Movsx16(Eax, Abs32()), addr);
        break;
      case tcU16:
        EmitImm32(Movzx16(Eax, Abs32()), addr);
        break;
      default:
        EmitImm32(Mov(Eax, Abs32()), addr);
        break;
    }
    if (wide && type == tcI64)
      EmitImm32(Mov(Edx, Abs32()), addr + 4);
    else if (wide && IsSignedOrdinal(type))
      Emit(Cdq());
  } else {
    // A call with an ordinal result ran ahead; its widened value waits in a temporary.
    CompileCall(arg);
    type = OperandType(arg);
    const bool eight = type == tcI64 || type == tcU32;
    const int32_t eff =
        EmitTempRef([](TRm m) { return Mov(Eax, m); }, LastTempDisp(eight ? tcI64 : tcI32), eight ? akF64 : akF32);
    if (wide) {
      if (eight)
        EmitImm32(Mov(Edx, AtEspD32()), static_cast<uint32_t>(eff < 0 ? -1 : eff + 4));
      else
        Emit(Cdq());
    }
  }
  if (arg->Negate) {
    // A 64-bit value is negated as its low half, the carry into the high half and the high half.
    Emit(Neg(Eax));
    if (wide) {
      EmitImm8(AdcImm8(Edx), 0);
      Emit(Neg(Edx));
    }
  }
}

void TKCompiler::PlaceArg(TTreeNode* arg, const TVarDefItem& param, int reg, int32_t disp) {
  if (reg > 0 && IsVarNode(arg) && !arg->Negate && !param.ByRef) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    if (v.VarType == tcI32 || v.VarType == tcU32) {
      EmitImm32(Mov(reg == 1 ? Edx : Ecx, Abs32()), AddressOf(v.Address));
      return;
    }
  }
  if (reg < 0 && IsConstNode(arg) && !param.ByRef) {
    // A constant goes straight into its slot, the high half of a 64-bit one above.
    int64_t value;
    std::memcpy(&value, arg->Text.data() + 2, 8);
    if (arg->Negate) value = -value;
    const int32_t eff = disp + Lvl().StackBytes;
    StoreImmediate(eff, static_cast<uint32_t>(value));
    if (param.TypeCode == tcI64) StoreImmediate(eff + 4, static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
    return;
  }
  LoadOrdinalToEax(arg, param);
  if (reg == 1) {
    Emit(Mov(Edx, InReg(Eax)));
    return;
  }
  if (reg == 2) {
    Emit(Mov(Ecx, InReg(Eax)));
    return;
  }
  if (reg == 0) return;
  // A CPU-stack slot; its displacement is known in both passes.
  const int32_t eff = disp + Lvl().StackBytes;
  EmitEspForm(StoreFrom(Eax), eff);
  if (param.TypeCode == tcI64 && !param.ByRef) EmitEspForm(StoreFrom(Edx), eff + 4);
}

void TKCompiler::StoreImmediate(int32_t disp, uint32_t value) {
  if (disp == 0)
    EmitImm32(MovImm32(AtEsp()), value);
  else if (disp < 128)
    EmitImm8Imm32(MovImm32(AtEspD8()), static_cast<uint8_t>(disp), value);
  else
    EmitImm32Imm32(MovImm32(AtEspD32()), static_cast<uint32_t>(disp), value);
}

int32_t TKCompiler::ConvertVariable(uint32_t id, uint8_t type) {
  for (const TIntInfo& info : intInfo_)
    if (info.VarId == id) return info.Disp;
  const int saved = level_;
  level_ = static_cast<int>(levels_.size()) - 2;
  const int32_t off = AllocTemp(type == tcU32 ? tcI64 : tcI32);
  TVariable v;
  GetVariable(id, v);
  const uint32_t addr = AddressOf(v.Address);
  if (type == tcU32) {
    Emit(Xor(Edx, Edx));
    EmitImm32(Mov(Eax, Abs32()), addr);
    EmitImm32(Mov(AtEspD32(), Edx), static_cast<uint32_t>(off < 0 ? -1 : off + 4));
  } else {
    const TOp widen = type == tcI08   ? Movsx8(Eax, Abs32())
                      : type == tcU08 ? Movzx8(Eax, Abs32())
                                      : Movzx16(Eax, Abs32());
    EmitImm32(widen, addr);
  }
  EmitTempRef(StoreFrom(Eax), off, type == tcU32 ? akF64 : akF32);
  level_ = saved;
  intInfo_.push_back(TIntInfo{id, off});
  return off;
}

void TKCompiler::StoreOrdinalResult(uint8_t type) {
  if (type == tcI64 || type == tcU32) {
    if (type == tcU32) Emit(Xor(Edx, Edx));
    const int32_t eff = EmitTempRef(StoreFrom(Eax), AllocTemp(tcI64), akF64);
    EmitImm32(Mov(AtEspD32(), Edx), static_cast<uint32_t>(eff < 0 ? -1 : eff + 4));
    return;
  }
  switch (type) {
    case tcI08:
      Emit(Movsx8(Eax, InReg(Eax)));
      break;
    case tcU08:
      Emit(Movzx8(Eax, InReg(Eax)));
      break;
    case tcI16:
      Emit(Movsx16(Eax, InReg(Eax)));
      break;
    case tcU16:
      Emit(Movzx16(Eax, InReg(Eax)));
      break;
    default:
      break;
  }
  EmitTempRef(StoreFrom(Eax), AllocTemp(tcI32), akF32);
}

}  // namespace kx
