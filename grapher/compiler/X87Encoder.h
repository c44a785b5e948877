// Encodings of the x87 and x86 instructions the formula compiler emits.
//
// Each function gives the bytes of one instruction; where a memory operand has a
// displacement, address or immediate, the function gives what comes before it
// and the caller appends the value. Memory operands are an absolute address or
// ESP plus a displacement, the only two kinds compiled code uses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <vector>

namespace kx::x86 {

// One instruction, or the part of it before its trailing value.
struct TOp {
  uint8_t Bytes[4] = {};
  uint8_t Size = 0;

  const uint8_t* begin() const { return Bytes; }
  const uint8_t* end() const { return Bytes + Size; }
};

enum TReg : uint8_t { Eax = 0, Ecx = 1, Edx = 2, Ebx = 3, Esp = 4, Ebp = 5 };

// The register-or-memory operand: ModRM mode and register, SIB byte when ESP is the base.
struct TRm {
  uint8_t Mod;
  uint8_t Rm;
};

constexpr TRm Abs32() { return {0, 5}; }     // a 32-bit address follows
constexpr TRm AtEsp() { return {0, 4}; }     // [esp]
constexpr TRm AtEspD8() { return {1, 4}; }   // [esp+d8]: an 8-bit displacement follows
constexpr TRm AtEspD32() { return {2, 4}; }  // [esp+d32]: a 32-bit displacement follows
constexpr TRm InReg(TReg r) { return {3, r}; }

namespace detail {

// One or two opcode bytes (a negative second byte: none).
constexpr TOp Plain(uint8_t a, int b = -1) {
  TOp op;
  op.Bytes[op.Size++] = a;
  if (b >= 0) op.Bytes[op.Size++] = static_cast<uint8_t>(b);
  return op;
}

// Opcode (one byte, or 0Fh and one), then ModRM with the given register field, then SIB for ESP.
constexpr TOp WithRm(uint8_t opcode, uint8_t field, TRm rm, int secondOpcode = -1) {
  TOp op = Plain(opcode, secondOpcode);
  op.Bytes[op.Size++] = static_cast<uint8_t>(rm.Mod << 6 | field << 3 | rm.Rm);
  if (rm.Mod != 3 && rm.Rm == 4) op.Bytes[op.Size++] = 0x24;
  return op;
}

// Register-stack forms: an opcode byte and a second byte plus the register number.
constexpr TOp WithSt(uint8_t opcode, uint8_t base, int i) { return Plain(opcode, base + (i & 7)); }

}  // namespace detail

// x87 loads and stores of memory, by width.
constexpr TOp FldDword(TRm m) { return detail::WithRm(0xD9, 0, m); }
constexpr TOp FldQword(TRm m) { return detail::WithRm(0xDD, 0, m); }
constexpr TOp FldTbyte(TRm m) { return detail::WithRm(0xDB, 5, m); }
constexpr TOp FstpDword(TRm m) { return detail::WithRm(0xD9, 3, m); }
constexpr TOp FstpQword(TRm m) { return detail::WithRm(0xDD, 3, m); }
constexpr TOp FstpTbyte(TRm m) { return detail::WithRm(0xDB, 7, m); }
constexpr TOp FildWord(TRm m) { return detail::WithRm(0xDF, 0, m); }
constexpr TOp FildDword(TRm m) { return detail::WithRm(0xDB, 0, m); }
constexpr TOp FildQword(TRm m) { return detail::WithRm(0xDF, 5, m); }

// By width index 0, 1, 2: floats of 32, 64 and 80 bits, integers of 16, 32 and 64 bits.
constexpr TOp FldFloat(int width, TRm m) { return width == 0 ? FldDword(m) : width == 1 ? FldQword(m) : FldTbyte(m); }
constexpr TOp FstpFloat(int width, TRm m) {
  return width == 0 ? FstpDword(m) : width == 1 ? FstpQword(m) : FstpTbyte(m);
}
constexpr TOp FildInt(int width, TRm m) { return width == 0 ? FildWord(m) : width == 1 ? FildDword(m) : FildQword(m); }

// The x87 arithmetic. Reversed forms take their operands the other way round:
// fsubr computes source minus ST(0), fsubrp st(i),st computes ST(0) minus ST(i).
enum TFArith : uint8_t { faAdd, faMul, faSub, faSubR, faDiv, faDivR };

constexpr TFArith Reversed(TFArith op) {
  switch (op) {
    case faSub:
      return faSubR;
    case faSubR:
      return faSub;
    case faDiv:
      return faDivR;
    case faDivR:
      return faDiv;
    default:
      return op;
  }
}

// The memory operand of an arithmetic instruction: a float or an integer of a width.
enum TFSource : uint8_t { fsFloat32, fsFloat64, fsInt16, fsInt32 };

// ST(0) := ST(0) op memory.
constexpr TOp FArith(TFArith op, TFSource source, TRm m) {
  constexpr uint8_t Opcodes[] = {0xD8, 0xDC, 0xDE, 0xDA};
  constexpr uint8_t Fields[] = {0, 1, 4, 5, 6, 7};
  return detail::WithRm(Opcodes[source], Fields[op], m);
}

// ST(i) := ST(i) op ST(0), then pop.
constexpr TOp FArithP(TFArith op, int i) {
  constexpr uint8_t Bases[] = {0xC0, 0xC8, 0xE8, 0xE0, 0xF8, 0xF0};
  return detail::WithSt(0xDE, Bases[op], i);
}
constexpr TOp Fdivrp(int i) { return FArithP(faDivR, i); }
// ST(0) := ST(0) * ST(i).
constexpr TOp FmulSt(int i) { return detail::WithSt(0xD8, 0xC8, i); }

// The register stack.
constexpr TOp FldSt(int i) { return detail::WithSt(0xD9, 0xC0, i); }
constexpr TOp Fxch(int i) { return detail::WithSt(0xD9, 0xC8, i); }
constexpr TOp FstpSt(int i) { return detail::WithSt(0xDD, 0xD8, i); }
constexpr TOp Fcomi(int i) { return detail::WithSt(0xDB, 0xF0, i); }
constexpr TOp Fcmovb(int i) { return detail::WithSt(0xDA, 0xC0, i); }
constexpr TOp Fcmovnbe(int i) { return detail::WithSt(0xDB, 0xD0, i); }

// x87 instructions without operands.
constexpr TOp Fchs() { return detail::Plain(0xD9, 0xE0); }
constexpr TOp Fabs() { return detail::Plain(0xD9, 0xE1); }
constexpr TOp Fld1() { return detail::Plain(0xD9, 0xE8); }
constexpr TOp Fldpi() { return detail::Plain(0xD9, 0xEB); }
constexpr TOp Fldlg2() { return detail::Plain(0xD9, 0xEC); }
constexpr TOp Fldln2() { return detail::Plain(0xD9, 0xED); }
constexpr TOp Fyl2x() { return detail::Plain(0xD9, 0xF1); }
constexpr TOp Fptan() { return detail::Plain(0xD9, 0xF2); }
constexpr TOp Fpatan() { return detail::Plain(0xD9, 0xF3); }
constexpr TOp Fsqrt() { return detail::Plain(0xD9, 0xFA); }
constexpr TOp Fsincos() { return detail::Plain(0xD9, 0xFB); }
constexpr TOp Frndint() { return detail::Plain(0xD9, 0xFC); }
constexpr TOp Fsin() { return detail::Plain(0xD9, 0xFE); }
constexpr TOp Fcos() { return detail::Plain(0xD9, 0xFF); }
constexpr TOp FnstswAx() { return detail::Plain(0xDF, 0xE0); }

// x86 moves. A memory operand's address or displacement follows first, then
// the value of MovImm32.
constexpr TOp MovImm32(TReg dst) { return detail::Plain(0xB8 + dst); }
constexpr TOp MovImm32(TRm dst) { return detail::WithRm(0xC7, 0, dst); }
constexpr TOp Mov(TReg dst, TRm src) { return detail::WithRm(0x8B, dst, src); }
constexpr TOp Mov(TRm dst, TReg src) { return detail::WithRm(0x89, src, dst); }
constexpr TOp Movsx8(TReg dst, TRm src) { return detail::WithRm(0x0F, dst, src, 0xBE); }
constexpr TOp Movzx8(TReg dst, TRm src) { return detail::WithRm(0x0F, dst, src, 0xB6); }
constexpr TOp Movsx16(TReg dst, TRm src) { return detail::WithRm(0x0F, dst, src, 0xBF); }
constexpr TOp Movzx16(TReg dst, TRm src) { return detail::WithRm(0x0F, dst, src, 0xB7); }

// x86 arithmetic. The Imm8 and Imm32 forms are followed by their immediate.
constexpr TOp Xor(TReg dst, TReg src) { return detail::WithRm(0x31, src, InReg(dst)); }
constexpr TOp Neg(TReg r) { return detail::WithRm(0xF7, 3, InReg(r)); }
constexpr TOp AddImm8(TReg r) { return detail::WithRm(0x83, 0, InReg(r)); }
constexpr TOp AdcImm8(TReg r) { return detail::WithRm(0x83, 2, InReg(r)); }
constexpr TOp SubImm8(TReg r) { return detail::WithRm(0x83, 5, InReg(r)); }
constexpr TOp AddImm32(TReg r) { return detail::WithRm(0x81, 0, InReg(r)); }
constexpr TOp SubImm32(TReg r) { return detail::WithRm(0x81, 5, InReg(r)); }
constexpr TOp AndImm32(TReg r) { return detail::WithRm(0x81, 4, InReg(r)); }
constexpr TOp TestAhImm8() { return detail::Plain(0xF6, 0xC4); }
constexpr TOp Cdq() { return detail::Plain(0x99); }
constexpr TOp Push(TReg r) { return detail::Plain(0x50 + r); }
constexpr TOp Pop(TReg r) { return detail::Plain(0x58 + r); }

// Control flow. The jumps are followed by an 8-bit distance, the call by a 32-bit one.
constexpr TOp Jz8() { return detail::Plain(0x74); }
constexpr TOp Jmp8() { return detail::Plain(0xEB); }
constexpr TOp CallRel32() { return detail::Plain(0xE8); }
constexpr TOp Ret() { return detail::Plain(0xC3); }

// Instructions laid one after another, each followed by its value where it has one.
class TCode {
 public:
  TCode() = default;
  TCode(std::initializer_list<TOp> ops) {
    for (const TOp& op : ops) (*this)(op);
  }

  TCode& operator()(const TOp& op) {
    bytes_.insert(bytes_.end(), op.begin(), op.end());
    return *this;
  }
  TCode& operator()(const std::vector<uint8_t>& code) {
    bytes_.insert(bytes_.end(), code.begin(), code.end());
    return *this;
  }
  TCode& operator()(const TCode& code) { return (*this)(code.bytes_); }
  TCode& Imm8(uint8_t value) {
    bytes_.push_back(value);
    return *this;
  }
  TCode& Imm32(uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(value >> (8 * i)));
    return *this;
  }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  size_t Size() const { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace kx::x86
