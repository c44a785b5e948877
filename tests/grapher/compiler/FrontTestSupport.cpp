#include "FrontTestSupport.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "compiler/KLib.h"

namespace kx {

namespace {

const char* const VariableNames[] = {"x", "y", "z", "a", "b", "c", "d", "e"};

}  // namespace

TTestFront::TTestFront() {
  AddGrapherBuiltins(this);
  for (int i = 0; i < 8; ++i) AddVariable(VariableNames[i], tcF80, &cells_[i]);
}

std::string ShowValue(long double value) {
  if (std::isnan(value)) return "nan";
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", static_cast<double>(value));
  return text;
}

std::string TTestFront::Decode(const std::string& coded) const {
  std::string out;
  size_t constIndex = 0, offset = 0;
  for (size_t i = 0; i < coded.size();) {
    const char kind = coded[i];
    uint32_t id = 0;
    if (i + 5 <= coded.size()) std::memcpy(&id, &coded[i + 1], 4);
    if (kind == ckConst && i + 1 < coded.size() && static_cast<uint8_t>(coded[i + 1]) < 7) {
      int64_t value;
      std::memcpy(&value, &coded[i + 2], 8);
      out += "[" + std::to_string(coded[i + 1]) + ":" + std::to_string(value) + "]";
      i += 10;
    } else if (kind == ckConst) {
      long double value = 0;
      if (constIndex < constSizes_.size()) {
        const int size = constSizes_[constIndex++];
        if (size == 4) {
          float f;
          std::memcpy(&f, &constStack_[offset], 4);
          value = f;
        } else if (size == 8) {
          double d;
          std::memcpy(&d, &constStack_[offset], 8);
          value = d;
        } else {
          std::memcpy(&value, &constStack_[offset], 10);
        }
        offset += size;
      }
      out += "{" + ShowValue(value) + "}";
      ++i;
    } else if (kind == ckVar) {
      TVariable v;
      out += GetVariable(id, v) ? v.Name : "?var";
      i += 5;
    } else if (kind == ckCall) {
      TFunction f;
      out += GetFunction(id, f) ? f.Name : "?func";
      i += 5;
    } else {
      out += kind;
      ++i;
    }
  }
  if (constIndex != constSizes_.size()) out += " (unused constants)";
  return out;
}

std::string TTestFront::Coded(const std::string& text) { return Decode(Parse(text)); }

long double TTestFront::Folded(const std::string& text) {
  const std::string coded = Parse(text);
  if (coded != std::string(1, ckConst) || ConstCount() != 1) return NAN;
  return PopConst();
}

TControlWord::TControlWord(uint16_t word) {
  asm volatile("fnstcw %0" : "=m"(saved_)::"memory");
  asm volatile("fnclex\n\tfldcw %0" ::"m"(word) : "memory");
}

TControlWord::~TControlWord() { asm volatile("fnclex\n\tfldcw %0" ::"m"(saved_) : "memory"); }

}  // namespace kx
