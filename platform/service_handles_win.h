// Owners of the service manager's handles, event-log sources and memory the
// system allocated for a caller (FormatMessageW), each closed its own way.
#pragma once

#include <utility>

#include <windows.h>

namespace nightlatch {

template <typename Handle, auto Close>
class UniqueSystemHandle {
 public:
  UniqueSystemHandle() = default;
  explicit UniqueSystemHandle(Handle handle) : handle_(handle) {}
  UniqueSystemHandle(const UniqueSystemHandle&) = delete;
  UniqueSystemHandle& operator=(const UniqueSystemHandle&) = delete;
  UniqueSystemHandle(UniqueSystemHandle&& other) noexcept : handle_(other.Release()) {}
  UniqueSystemHandle& operator=(UniqueSystemHandle&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ~UniqueSystemHandle() { Reset(); }

  explicit operator bool() const { return handle_ != nullptr; }
  Handle get() const { return handle_; }
  void Reset(Handle handle = nullptr) {
    if (handle_)
      Close(handle_);
    handle_ = handle;
  }
  [[nodiscard]] Handle Release() { return std::exchange(handle_, nullptr); }

 private:
  Handle handle_ = nullptr;
};

using ScopedServiceHandle = UniqueSystemHandle<SC_HANDLE, &::CloseServiceHandle>;
using ScopedEventSource = UniqueSystemHandle<HANDLE, &::DeregisterEventSource>;
using ScopedLocalMemory = UniqueSystemHandle<HLOCAL, &::LocalFree>;

}  // namespace nightlatch
