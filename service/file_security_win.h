// The access list of a file or folder as the install check reads it.
#pragma once

#include <cstdint>
#include <string_view>

#include "service/install_safety.h"

namespace nightlatch {

// False, with the system's error, when the list cannot be read.
bool ReadFileSecurity(std::u16string_view path, ObjectSecurity& security, uint32_t& error);

}  // namespace nightlatch
