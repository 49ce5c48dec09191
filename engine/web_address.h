// Which addresses a link may hand to the shell: web pages only. A file:
// address, a local path or another protocol's handler would open or run
// something on the user's machine, and link addresses can come from the
// network.
#pragma once

#include <string_view>

namespace nightlatch {

// "http://" or "https://" (in any case) followed by a host, without blanks
// or control characters.
bool IsWebAddress(std::u16string_view address);
bool IsWebAddress(std::wstring_view address);

}  // namespace nightlatch
