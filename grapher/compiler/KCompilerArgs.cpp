// Ordinal values in CPU registers: arguments of ordinal and by-reference
// parameters, small-integer variables converted for fild, ordinal call results.
#include "compiler/KCompilerCode.h"

#include <cstring>

namespace kx {

namespace {

uint32_t AddressOf(const void* p) { return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p)); }
bool IsSignedOrdinal(uint8_t type) { return type == tcI08 || type == tcI16 || type == tcI32 || type == tcI64; }

}  // namespace

// Loads an ordinal argument into EAX (EDX:EAX for an i64 parameter), widened
// by the source's signedness and negated when it carried a minus.
void TKCompiler::LoadOrdinalToEax(TTreeNode* arg, const TVarDefItem& param) {
  const bool wide = param.TypeCode == tcI64;
  static constexpr uint8_t MovEaxImm[] = {0xB8}, MovEdxImm[] = {0xBA};
  if (param.ByRef) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    EmitImm32(MovEaxImm, 1, AddressOf(v.Address));
    return;
  }
  if (IsConstNode(arg)) {
    int64_t value;
    std::memcpy(&value, arg->Text.data() + 2, 8);
    if (arg->Negate) value = -value;
    EmitImm32(MovEaxImm, 1, static_cast<uint32_t>(value));
    if (wide) EmitImm32(MovEdxImm, 1, static_cast<uint32_t>(static_cast<uint64_t>(value) >> 32));
    return;
  }
  uint8_t type;
  if (IsVarNode(arg)) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    type = v.VarType;
    const uint32_t addr = AddressOf(v.Address);
    static constexpr uint8_t Movsx8[] = {0x0F, 0xBE, 0x05}, Movzx8[] = {0x0F, 0xB6, 0x05};
    static constexpr uint8_t Movsx16[] = {0x0F, 0xBF, 0x05}, Movzx16[] = {0x0F, 0xB7, 0x05};
    static constexpr uint8_t MovEax[] = {0x8B, 0x05}, MovEdx[] = {0x8B, 0x15};
    if (wide && !IsSignedOrdinal(type)) EmitBytes({0x31, 0xD2});
    switch (type) {
      case tcI08:
        EmitImm32(Movsx8, 3, addr);
        break;
      case tcU08:
        EmitImm32(Movzx8, 3, addr);
        break;
      case tcI16:
        EmitImm32(Movsx16, 3, addr);
        break;
      case tcU16:
        EmitImm32(Movzx16, 3, addr);
        break;
      default:
        EmitImm32(MovEax, 2, addr);
        break;
    }
    if (wide && type == tcI64)
      EmitImm32(MovEdx, 2, addr + 4);
    else if (wide && IsSignedOrdinal(type))
      EmitBytes({0x99});
  } else {
    // A call with an ordinal result ran ahead; its widened value waits in a temporary.
    CompileCall(arg);
    type = OperandType(arg);
    const bool eight = type == tcI64 || type == tcU32;
    static constexpr uint8_t MovEaxEsp[] = {0x8B, 0x04, 0x24}, MovEaxEspD[] = {0x8B, 0x84, 0x24};
    const int32_t eff = EmitTempRef(MovEaxEsp, MovEaxEspD, LastTempDisp(eight ? tcI64 : tcI32), eight ? akF64 : akF32);
    if (wide) {
      if (eight) {
        static constexpr uint8_t MovEdxEspD[] = {0x8B, 0x94, 0x24};
        EmitImm32(MovEdxEspD, 3, static_cast<uint32_t>(eff < 0 ? -1 : eff + 4));
      } else {
        EmitBytes({0x99});
      }
    }
  }
  if (arg->Negate) {
    if (wide)
      EmitBytes({0xF7, 0xD8, 0x83, 0xD2, 0x00, 0xF7, 0xDA});
    else
      EmitBytes({0xF7, 0xD8});
  }
}

void TKCompiler::PlaceArg(TTreeNode* arg, const TVarDefItem& param, int reg, int32_t disp) {
  if (reg > 0 && IsVarNode(arg) && !arg->Negate && !param.ByRef) {
    TVariable v;
    GetVariable(NodeId(arg), v);
    if (v.VarType == tcI32 || v.VarType == tcU32) {
      static constexpr uint8_t MovEdx[] = {0x8B, 0x15}, MovEcx[] = {0x8B, 0x0D};
      EmitImm32(reg == 1 ? MovEdx : MovEcx, 2, AddressOf(v.Address));
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
    EmitBytes({0x8B, 0xD0});
    return;
  }
  if (reg == 2) {
    EmitBytes({0x8B, 0xC8});
    return;
  }
  if (reg == 0) return;
  // A CPU-stack slot; its displacement is known in both passes.
  const int32_t eff = disp + Lvl().StackBytes;
  static constexpr uint8_t StoreEax[] = {0x89, 0x04, 0x24}, StoreEaxD8[] = {0x89, 0x44, 0x24},
                           StoreEaxD32[] = {0x89, 0x84, 0x24};
  static constexpr uint8_t StoreEdxD8[] = {0x89, 0x54, 0x24}, StoreEdxD32[] = {0x89, 0x94, 0x24};
  EmitEspForm(StoreEax, StoreEaxD8, StoreEaxD32, eff);
  if (param.TypeCode == tcI64 && !param.ByRef) EmitEspForm(StoreEdxD8, StoreEdxD8, StoreEdxD32, eff + 4);
}

void TKCompiler::StoreImmediate(int32_t disp, uint32_t value) {
  static constexpr uint8_t Store[] = {0xC7, 0x04, 0x24}, StoreD8[] = {0xC7, 0x44, 0x24},
                           StoreD32[] = {0xC7, 0x84, 0x24};
  if (disp == 0)
    EmitImm32(Store, 3, value);
  else if (disp < 128)
    EmitImm8Imm32(StoreD8, 3, static_cast<uint8_t>(disp), value);
  else
    EmitImm32Imm32(StoreD32, 3, static_cast<uint32_t>(disp), value);
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
  static constexpr uint8_t StoreEax[] = {0x89, 0x04, 0x24}, StoreEaxD32[] = {0x89, 0x84, 0x24};
  static constexpr uint8_t StoreEdxD32[] = {0x89, 0x94, 0x24};
  if (type == tcU32) {
    static constexpr uint8_t MovEax[] = {0x8B, 0x05};
    EmitBytes({0x31, 0xD2});
    EmitImm32(MovEax, 2, addr);
    EmitImm32(StoreEdxD32, 3, static_cast<uint32_t>(off < 0 ? -1 : off + 4));
  } else {
    static constexpr uint8_t Movsx8[] = {0x0F, 0xBE, 0x05}, Movzx8[] = {0x0F, 0xB6, 0x05},
                             Movzx16[] = {0x0F, 0xB7, 0x05};
    EmitImm32(type == tcI08 ? Movsx8 : type == tcU08 ? Movzx8 : Movzx16, 3, addr);
  }
  EmitTempRef(StoreEax, StoreEaxD32, off, type == tcU32 ? akF64 : akF32);
  level_ = saved;
  intInfo_.push_back(TIntInfo{id, off});
  return off;
}

void TKCompiler::StoreOrdinalResult(uint8_t type) {
  static constexpr uint8_t StoreEax[] = {0x89, 0x04, 0x24}, StoreEaxD32[] = {0x89, 0x84, 0x24};
  static constexpr uint8_t StoreEdxD32[] = {0x89, 0x94, 0x24};
  if (type == tcI64 || type == tcU32) {
    if (type == tcU32) EmitBytes({0x31, 0xD2});
    const int32_t eff = EmitTempRef(StoreEax, StoreEaxD32, AllocTemp(tcI64), akF64);
    EmitImm32(StoreEdxD32, 3, static_cast<uint32_t>(eff < 0 ? -1 : eff + 4));
    return;
  }
  switch (type) {
    case tcI08:
      EmitBytes({0x0F, 0xBE, 0xC0});
      break;
    case tcU08:
      EmitBytes({0x0F, 0xB6, 0xC0});
      break;
    case tcI16:
      EmitBytes({0x0F, 0xBF, 0xC0});
      break;
    case tcU16:
      EmitBytes({0x0F, 0xB7, 0xC0});
      break;
    default:
      break;
  }
  EmitTempRef(StoreEax, StoreEaxD32, AllocTemp(tcI32), akF32);
}

}  // namespace kx
