// Owns an open registry key.
#pragma once

#include <utility>

#include <windows.h>

namespace nightlatch {

class ScopedRegKey {
 public:
  ScopedRegKey() = default;
  explicit ScopedRegKey(HKEY key) : key_(key) {}
  ScopedRegKey(const ScopedRegKey&) = delete;
  ScopedRegKey& operator=(const ScopedRegKey&) = delete;
  ScopedRegKey(ScopedRegKey&& other) noexcept : key_(other.Release()) {}
  ScopedRegKey& operator=(ScopedRegKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = other.Release();
    }
    return *this;
  }
  ~ScopedRegKey() { Reset(); }

  bool Open(HKEY root, const wchar_t* path, REGSAM access) {
    Reset();
    return ::RegOpenKeyExW(root, path, 0, access, &key_) == ERROR_SUCCESS;
  }
  HKEY get() const { return key_; }
  void Reset() {
    if (key_)
      ::RegCloseKey(key_);
    key_ = nullptr;
  }
  [[nodiscard]] HKEY Release() { return std::exchange(key_, nullptr); }

 private:
  HKEY key_ = nullptr;
};

}  // namespace nightlatch
