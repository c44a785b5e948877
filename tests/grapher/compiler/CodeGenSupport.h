// Helpers for the code generator's tests: the register-checking call, a
// compiler that shows its trees, and a byte-pattern builder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/KCompiler.h"
#include "compiler/KCompilerCode.h"
#include "CallHarness.h"

namespace kx {

struct TEvalResult {
  long double Value = 0;
  bool RegistersKept = false;  // EBX, ESI, EDI, EBP and ESP as before
  bool StackClean = false;     // exactly the result on the x87 stack, no overflow on the way
};

// Runs the compiled code of a compiler through the checking harness.
TEvalResult EvaluateChecked(const TKCompiler& compiler);
// The same for code bytes in executable memory.
TEvalResult EvaluateChecked(const void* code);

// A compiler that exposes its trees and pool for inspection.
class TProbeCompiler : public TKCompiler {
 public:
  // Builds and plans the trees of a formula without generating code.
  void Prepare(const std::string& text) { PrepareTrees(text); }
  void Release() { FreeAllTrees(); }
  // Renders tree i: operators in brackets, "-" for a negated node, "^" for a hoisted one.
  std::string Render(int tree) const;
  const TTreeNode* Root(int tree) const { return trees_[static_cast<size_t>(tree)]; }
  size_t TreeCount() const { return trees_.size(); }
  int MaxLevel() const { return maxLevel_; }

 private:
  std::string RenderNode(const TTreeNode* node) const;
};

// Little-endian byte sequences for expected code.
class TBytes {
 public:
  TBytes& operator()(std::initializer_list<uint8_t> b) {
    data_.insert(data_.end(), b);
    return *this;
  }
  TBytes& Append(const std::vector<uint8_t>& b) {
    data_.insert(data_.end(), b.begin(), b.end());
    return *this;
  }
  TBytes& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  TBytes& Addr(const void* p) { return U32(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p))); }
  const std::vector<uint8_t>& Data() const { return data_; }

 private:
  std::vector<uint8_t> data_;
};

std::vector<uint8_t> CodeOf(const TKCompiler& compiler);
std::string Hex(const std::vector<uint8_t>& bytes);

}  // namespace kx
