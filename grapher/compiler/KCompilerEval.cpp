// The constant stack and the evaluation of constant calls while compiling.
#include "compiler/ExecMemory.h"
#include "compiler/KCompilerBase.h"
#include "compiler/KCompilerFpu.h"
#include "compiler/X87Encoder.h"

#include <cfloat>
#include <cmath>
#include <cstring>

namespace kx {

namespace {

// value -> its narrowest exact form: 4, 8 or 10 bytes (a NaN counts as exact in 32 bits).
size_t EncodeConst(long double value, uint8_t bytes[10]) {
  TMaskedFpu masked;
  const float single = static_cast<float>(value);
  if (std::isnan(value) || static_cast<long double>(single) == value) {
    std::memcpy(bytes, &single, 4);
    return 4;
  }
  const double dbl = static_cast<double>(value);
  if (static_cast<long double>(dbl) == value) {
    std::memcpy(bytes, &dbl, 8);
    return 8;
  }
  std::memcpy(bytes, &value, 10);
  return 10;
}

long double DecodeConst(const uint8_t* bytes, size_t size) {
  TMaskedFpu masked;
  if (size == 4) {
    float single;
    std::memcpy(&single, bytes, 4);
    return single;
  }
  if (size == 8) {
    double dbl;
    std::memcpy(&dbl, bytes, 8);
    return dbl;
  }
  long double value = 0;
  std::memcpy(&value, bytes, 10);
  return value;
}

// Narrowing for a CPU-stack slot: infinity on overflow, 0 on underflow.
template <typename T>
T Narrow(long double value, long double smallest) {
  TMaskedFpu masked;
  if (value != 0 && std::fabs(value) < smallest) return std::signbit(value) ? -T(0) : T(0);
  return static_cast<T>(value);
}

long double WidenResult(uint8_t type, const TCallFrame& frame) {
  const uint32_t eax = frame.IntResult[0];
  switch (type) {
    case tcI08:
      return static_cast<int8_t>(eax);
    case tcU08:
      return static_cast<uint8_t>(eax);
    case tcI16:
      return static_cast<int16_t>(eax);
    case tcU16:
      return static_cast<uint16_t>(eax);
    case tcI32:
      return static_cast<int32_t>(eax);
    case tcU32:
      return eax;
    case tcI64:
      return static_cast<int64_t>((static_cast<uint64_t>(frame.IntResult[1]) << 32) | eax);
    default:
      return frame.Result;
  }
}

// Wraps inline code so that it can be called: the return address is parked in
// EBX while the body runs.
TExecBlock MakeCallStub(const TAByte& code) {
  using namespace x86;
  const TCode stubCode =
      TCode{Mov(Ebx, AtEsp()), AddImm8(Esp)}.Imm8(4)(code)(SubImm8(Esp)).Imm8(4)(Mov(AtEsp(), Ebx))(Ret());
  TExecBlock stub(stubCode.Size());
  std::memcpy(stub.Data(), stubCode.Bytes().data(), stubCode.Size());
  return stub;
}

}  // namespace

void TSimpler::PushConst(long double value) { InsertConst(constStack_.size(), ConstCount(), value); }

void TSimpler::InsertConst(size_t byteOffset, size_t index, long double value) {
  uint8_t bytes[10];
  const size_t size = EncodeConst(value, bytes);
  constStack_.insert(constStack_.begin() + byteOffset, bytes, bytes + size);
  constSizes_.insert(constSizes_.begin() + index, static_cast<uint8_t>(size));
}

long double TSimpler::PopConst() { return TakeConst(ConstCount() - 1); }

long double TSimpler::TakeConst(size_t index) {
  size_t offset = 0;
  for (size_t i = 0; i < index; ++i) offset += constSizes_[i];
  const size_t size = constSizes_[index];
  const long double value = DecodeConst(&constStack_[offset], size);
  constStack_.erase(constStack_.begin() + offset, constStack_.begin() + offset + size);
  constSizes_.erase(constSizes_.begin() + index);
  return value;
}

long double TSimpler::EvaluateCall(const TFunction& f, const std::string& codedArgs) {
  // Float arguments are the last constants on the stack; ordinal ones are
  // integer constants inside the coded list.
  size_t floatCount = 0;
  for (const TVarDefItem& p : f.Params) floatCount += IsFloatType(p.TypeCode);
  std::vector<long double> floats(floatCount);
  for (size_t k = floatCount; k-- > 0;) floats[k] = PopConst();

  const bool registers = f.CallConv == 0 || f.CallConv == 4;
  const size_t x87Places = f.CallConv == 4 ? 8 - f.ExtraRegs : 0;
  const bool lowUpward = f.CallConv == 2 || f.CallConv == 3;
  std::vector<uint8_t> block(FunctionStackBytes(f));
  size_t low = 0, high = block.size();
  const auto place = [&](const void* value, size_t size, size_t slot) {
    if (lowUpward) {
      std::memcpy(&block[low], value, size);
      low += slot;
    } else {
      high -= slot;
      std::memcpy(&block[high], value, size);
    }
  };

  TCallFrame frame{};
  std::vector<long double> x87;
  size_t regCount = 0, nextFloat = 0, pos = 0;
  for (const TVarDefItem& p : f.Params) {
    if (IsFloatType(p.TypeCode)) {
      const long double value = floats[nextFloat++];
      if (x87.size() < x87Places) {
        x87.push_back(value);
      } else if (p.TypeCode == tcF32) {
        const float single = Narrow<float>(value, FLT_MIN);
        place(&single, 4, 4);
      } else if (p.TypeCode == tcF64) {
        const double dbl = Narrow<double>(value, DBL_MIN);
        place(&dbl, 8, 8);
      } else {
        place(&value, 10, 12);
      }
      pos += 2;  // placeholder and ","
      continue;
    }
    int64_t value;
    std::memcpy(&value, &codedArgs[pos + 2], 8);
    pos += 11;
    if (p.TypeCode != tcI64 && registers && regCount < 3)
      frame.Regs[regCount++] = static_cast<uint32_t>(value);
    else if (p.TypeCode == tcI64)
      place(&value, 8, 8);
    else
      place(&value, 4, 4);
  }

  TExecBlock stub;
  if (f.Address == nullptr) stub = MakeCallStub(f.Code);
  frame.Target = f.Address != nullptr ? f.Address : stub.Data();
  frame.StackArgs = block.data();
  frame.StackBytes = static_cast<uint32_t>(block.size());
  frame.X87Count = static_cast<uint32_t>(x87.size());
  frame.X87Args = x87.data();
  frame.FloatResult = IsFloatType(f.ResultType);
  if (KCallMasked(&frame) != 0) {
    compError_ = eDomain;
    return 0;
  }
  return WidenResult(f.ResultType, frame);
}

}  // namespace kx
