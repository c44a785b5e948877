// Executable memory for compiled formulas and call stubs.
//
// Programs are linked NX-compatible, so generated code may only run from memory
// that was handed out as executable: all of it comes from one private heap made
// with HEAP_CREATE_ENABLE_EXECUTE.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kx {

// nullptr when the heap cannot supply the block.
void* KExecAlloc(size_t bytes);
// Accepts nullptr.
void KExecFree(void* p);

// One owned block of executable memory.
class TExecBlock {
 public:
  TExecBlock() = default;
  explicit TExecBlock(size_t bytes);
  ~TExecBlock();
  TExecBlock(TExecBlock&& other) noexcept;
  TExecBlock& operator=(TExecBlock&& other) noexcept;
  TExecBlock(const TExecBlock&) = delete;
  TExecBlock& operator=(const TExecBlock&) = delete;

  uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }

 private:
  uint8_t* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace kx
