// A fresh folder for one test under the system's temporary folder, removed
// with the object. Its name carries the test's name, a time stamp and a
// count, so repeated tests and parallel runs never share one; the prefix
// may hold non-ASCII text and blanks, so UTF-16 paths reach the file system
// intact.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace nightlatch::testing {

class TempFolder {
 public:
  explicit TempFolder(std::u16string_view prefix = u"nightlatch") {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = test ? test->name() : "fixture";
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::u16string leaf(prefix);
      leaf += u"-" + std::u16string(name.begin(), name.end()) + u"-" + Digits(stamp) + u"-" +
              Digits(attempt);
      path_ = std::filesystem::temp_directory_path() / std::filesystem::path(leaf);
      std::error_code error;
      if (std::filesystem::create_directory(path_, error))
        return;
    }
    ADD_FAILURE() << "cannot create a test folder under "
                  << std::filesystem::temp_directory_path().string();
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::u16string u16() const { return path_.u16string(); }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }

 private:
  template <typename Number>
  static std::u16string Digits(Number value) {
    const std::string text = std::to_string(value);
    return std::u16string(text.begin(), text.end());
  }

  std::filesystem::path path_;
};

}  // namespace nightlatch::testing
