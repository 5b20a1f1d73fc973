// UTF-8 at the tool's boundary: command lines, manifests and what it prints.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace setup_tool {

// Decodes UTF-8; nullopt for a malformed sequence.
[[nodiscard]] std::optional<std::wstring> from_utf8(std::string_view text);
[[nodiscard]] std::string to_utf8(std::wstring_view text);
// A host path from UTF-8 whatever the process locale.
[[nodiscard]] std::filesystem::path host_path(std::string_view utf8);

}  // namespace setup_tool
