#include "compiler/ExecMemory.h"

#include <windows.h>

#include <new>
#include <utility>

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

TExecBlock::TExecBlock(size_t bytes) : FData(static_cast<uint8_t*>(KExecAlloc(bytes))) {
  if (FData == nullptr) throw std::bad_alloc();
  FSize = bytes;
}

TExecBlock::~TExecBlock() { KExecFree(FData); }

TExecBlock::TExecBlock(TExecBlock&& other) noexcept
    : FData(std::exchange(other.FData, nullptr)), FSize(std::exchange(other.FSize, 0)) {}

TExecBlock& TExecBlock::operator=(TExecBlock&& other) noexcept {
  if (this != &other) {
    KExecFree(FData);
    FData = std::exchange(other.FData, nullptr);
    FSize = std::exchange(other.FSize, 0);
  }
  return *this;
}
