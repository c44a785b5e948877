#include "compiler/ExecMemory.h"

#include <windows.h>

#include <new>
#include <utility>

namespace kx {

namespace {

HANDLE ExecHeap() {
  // Lives until the process ends: compiled code may be called up to the very end.
  static const HANDLE heap = HeapCreate(HEAP_CREATE_ENABLE_EXECUTE, 0, 0);
  return heap;
}

}  // namespace

void* KExecAlloc(size_t bytes) {
  const HANDLE heap = ExecHeap();
  if (heap == nullptr) return nullptr;
  return HeapAlloc(heap, 0, bytes == 0 ? 1 : bytes);
}

void KExecFree(void* p) {
  if (p != nullptr) HeapFree(ExecHeap(), 0, p);
}

TExecBlock::TExecBlock(size_t bytes) : data_(static_cast<uint8_t*>(KExecAlloc(bytes))) {
  if (data_ == nullptr) throw std::bad_alloc();
  size_ = bytes;
}

TExecBlock::~TExecBlock() { KExecFree(data_); }

TExecBlock::TExecBlock(TExecBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

TExecBlock& TExecBlock::operator=(TExecBlock&& other) noexcept {
  if (this != &other) {
    KExecFree(data_);
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

}  // namespace kx
