// The program's web site, which the links open. It lies outside the program;
// the host is a reserved name that reaches nothing.
#pragma once

#include <string_view>

namespace nightlatch {

inline constexpr std::u16string_view kVendorHost = u"nightlatch.invalid";
inline constexpr std::u16string_view kVendorSite = u"https://nightlatch.invalid/";

}  // namespace nightlatch
