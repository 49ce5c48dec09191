#include <windows.h>

#include "engine/task_file.h"
#include "platform/scoped_handle_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {

bool ReadFileBytes(const std::u16string& path, std::vector<uint8_t>& bytes) {
  ScopedHandle file(::CreateFileW(AsWide(path.c_str()), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size{};
  if (!file.valid() || !::GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF)
    return false;
  bytes.resize(static_cast<std::size_t>(size.QuadPart));
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data() + offset, static_cast<DWORD>(bytes.size() - offset),
                    &read, nullptr))
      return false;
    if (read == 0)
      break;  // the file shrank meanwhile
    offset += read;
  }
  bytes.resize(offset);
  return true;
}

bool ReplaceFileBytes(const std::u16string& path, std::span<const uint8_t> bytes) {
  const std::u16string temporary = path + u".tmp";
  ScopedHandle file(::CreateFileW(AsWide(temporary.c_str()), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid())
    return false;
  bool written = true;
  for (std::size_t offset = 0; written && offset < bytes.size();) {
    DWORD count = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1 << 20));
    written = ::WriteFile(file.get(), bytes.data() + offset, chunk, &count, nullptr) && count > 0;
    offset += count;
  }
  written = written && ::FlushFileBuffers(file.get());
  if (!file.Close() || !written ||
      !::MoveFileExW(AsWide(temporary.c_str()), AsWide(path.c_str()),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ::DeleteFileW(AsWide(temporary.c_str()));
    return false;
  }
  return true;
}

}  // namespace nightlatch
