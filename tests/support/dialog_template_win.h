// A dialog template read back from the program's resources as the dialog
// manager reads it: the dialog's size and font, and each control's id,
// kind and text, in order. For tests of what the templates hold.
#pragma once

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <cwctype>
#include <string>
#include <vector>

#include "framework/message_handler_win.h"

namespace nightlatch::testing {

struct TemplateItem {
  int id = 0;
  // "static", "check box", "button", "edit", "password edit", "read-only
  // edit", or the window class's name.
  std::wstring kind;
  std::wstring text;
  friend bool operator==(const TemplateItem&, const TemplateItem&) = default;
};

struct DialogTemplate {
  int width = 0;  // dialog units
  int height = 0;
  int pointSize = 0;
  std::wstring font;
  std::vector<TemplateItem> items;
};

namespace template_detail {

class Reader {
 public:
  explicit Reader(const unsigned char* data) : data_(data) {}
  template <typename T>
  T Take() {
    T value{};
    std::memcpy(&value, data_ + at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::wstring Text() {
    std::wstring text;
    while (const auto unit = Take<wchar_t>())
      text += unit;
    return text;
  }
  // A name or, after 0xFFFF, an ordinal (given back as "#n").
  std::wstring NameOrOrdinal() {
    if (Peek() == 0xFFFF) {
      Take<uint16_t>();
      return L"#" + std::to_wstring(Take<uint16_t>());
    }
    return Text();
  }
  void AlignToFour() { at_ = (at_ + 3) & ~std::size_t{3}; }
  void Skip(std::size_t bytes) { at_ += bytes; }

 private:
  uint16_t Peek() const {
    uint16_t value = 0;
    std::memcpy(&value, data_ + at_, sizeof value);
    return value;
  }
  const unsigned char* data_;
  std::size_t at_ = 0;
};

inline std::wstring Kind(const std::wstring& windowClass, DWORD style) {
  if (windowClass == L"#128") {
    const DWORD type = style & BS_TYPEMASK;
    return type == BS_AUTOCHECKBOX || type == BS_CHECKBOX ? L"check box" : L"button";
  }
  if (windowClass == L"#129") {
    if (style & ES_PASSWORD)
      return L"password edit";
    return (style & ES_READONLY) ? L"read-only edit" : L"edit";
  }
  if (windowClass == L"#130")
    return L"static";
  // Resource compilers may store a class name in capitals.
  std::wstring lower = windowClass;
  for (wchar_t& c : lower)
    c = static_cast<wchar_t>(std::towlower(c));
  return lower;
}

}  // namespace template_detail

// The extended template `id` of this program; empty when there is none.
inline DialogTemplate ReadDialogTemplate(UINT id) {
  DialogTemplate result;
  HRSRC found = ::FindResourceW(ModuleInstance(), MAKEINTRESOURCEW(id), RT_DIALOG);
  HGLOBAL loaded = found ? ::LoadResource(ModuleInstance(), found) : nullptr;
  const auto* data = loaded ? static_cast<const unsigned char*>(::LockResource(loaded)) : nullptr;
  if (!data)
    return result;
  template_detail::Reader in(data);
  in.Take<uint16_t>();  // version
  if (in.Take<uint16_t>() != 0xFFFF)
    return result;  // not an extended template
  in.Skip(4 + 4);   // help id, extended style
  const DWORD style = in.Take<DWORD>();
  const uint16_t count = in.Take<uint16_t>();
  in.Skip(2 + 2);  // x, y
  result.width = in.Take<int16_t>();
  result.height = in.Take<int16_t>();
  in.NameOrOrdinal();  // menu
  in.NameOrOrdinal();  // class
  in.Text();           // caption
  if (style & (DS_SETFONT | DS_SHELLFONT)) {
    result.pointSize = in.Take<uint16_t>();
    in.Skip(2 + 1 + 1);  // weight, italic, charset
    result.font = in.Text();
  }
  for (uint16_t i = 0; i < count; ++i) {
    in.AlignToFour();
    in.Skip(4 + 4);  // help id, extended style
    const DWORD itemStyle = in.Take<DWORD>();
    in.Skip(4 * 2);  // x, y, width, height
    TemplateItem item;
    item.id = static_cast<int>(in.Take<int32_t>());
    const std::wstring windowClass = in.NameOrOrdinal();
    item.kind = template_detail::Kind(windowClass, itemStyle);
    item.text = in.NameOrOrdinal();
    in.Skip(in.Take<uint16_t>());  // creation data
    result.items.push_back(item);
  }
  return result;
}

}  // namespace nightlatch::testing
