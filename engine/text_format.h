// printf-style formatting of UTF-16 texts, so the program's texts can be
// written exactly as they read: "%d天%02d小时". Knows %d with an optional
// width and zero flag, %s, and %%.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace nightlatch {

class FormatArg {
 public:
  FormatArg(int64_t number) : number_(number) {}
  FormatArg(int32_t number) : number_(number) {}
  FormatArg(std::u16string_view text) : text_(text), isText_(true) {}
  FormatArg(const std::u16string& text) : text_(text), isText_(true) {}
  FormatArg(const char16_t* text) : text_(text), isText_(true) {}

  int64_t number() const { return number_; }
  std::u16string_view text() const { return text_; }
  bool isText() const { return isText_; }

 private:
  int64_t number_ = 0;
  std::u16string_view text_;
  bool isText_ = false;
};

// A directive without a matching argument, or of the wrong kind, prints
// nothing.
std::u16string FormatText(std::u16string_view pattern, std::initializer_list<FormatArg> args);

}  // namespace nightlatch
