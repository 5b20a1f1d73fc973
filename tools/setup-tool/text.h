// UTF-8 at the tool's boundary: command lines, manifests and what it prints.
#pragma once

#include "vd/utf16.h"

#include <filesystem>
#include <string_view>

namespace setup_tool {

// Strict UTF-8 in (nullopt for a malformed sequence) and UTF-8 out, as the support library codes it.
using vd::from_utf8;
using vd::to_utf8;
// A host path from UTF-8 whatever the process locale.
[[nodiscard]] std::filesystem::path host_path(std::string_view utf8);

}  // namespace setup_tool
