// Owns a kernel handle; INVALID_HANDLE_VALUE and null both mean "none".
#pragma once

#include <windows.h>

namespace nightlatch {

class ScopedHandle {
 public:
  ScopedHandle() = default;
  explicit ScopedHandle(HANDLE handle) : handle_(handle) {}
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : handle_(other.Release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ~ScopedHandle() { Reset(); }

  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

  void Reset(HANDLE handle = nullptr) {
    if (valid())
      ::CloseHandle(handle_);
    handle_ = handle;
  }

  // Closes now and reports the result.
  bool Close() {
    const bool closed = valid() && ::CloseHandle(handle_);
    handle_ = nullptr;
    return closed;
  }

  [[nodiscard]] HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  HANDLE handle_ = nullptr;
};

}  // namespace nightlatch
