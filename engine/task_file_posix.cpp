#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "engine/task_file.h"
#include "engine/utf8.h"

namespace nightlatch {
namespace {

class ScopedFd {
 public:
  explicit ScopedFd(int fd) : fd_(fd) {}
  ScopedFd(const ScopedFd&) = delete;
  ScopedFd& operator=(const ScopedFd&) = delete;
  ~ScopedFd() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  // Closes now, reporting the result (a deferred write error shows here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR)
      continue;
    if (written <= 0)
      return false;
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool ReadFileBytes(const std::u16string& path, std::vector<uint8_t>& bytes) {
  ScopedFd file(::open(ToUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.valid())
    return false;
  struct stat status {};
  if (::fstat(file.get(), &status) != 0)
    return false;
  bytes.resize(static_cast<std::size_t>(status.st_size));
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    const ssize_t count = ::read(file.get(), bytes.data() + offset, bytes.size() - offset);
    if (count < 0 && errno == EINTR)
      continue;
    if (count < 0)
      return false;
    if (count == 0)
      break;  // the file shrank meanwhile
    offset += static_cast<std::size_t>(count);
  }
  bytes.resize(offset);
  return true;
}

bool ReplaceFileBytes(const std::u16string& path, std::span<const uint8_t> bytes) {
  const std::string target = ToUtf8(path);
  const std::string temporary = target + ".tmp";
  ScopedFd file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (!file.valid())
    return false;
  const bool written = WriteAll(file.get(), bytes) && ::fsync(file.get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  const std::size_t slash = target.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  ScopedFd directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.valid())
    ::fsync(directory.get());
  return true;
}

}  // namespace nightlatch
