// UTF-8 at the tool's boundary (see text.h).
#include "text.h"

namespace setup_tool {

std::filesystem::path host_path(std::string_view utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

}  // namespace setup_tool
