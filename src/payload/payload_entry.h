// One entry of the payload archive's table of contents, and the kinds of entry.
#pragma once

#include <cstdint>
#include <string>

namespace payload {

// What the installation does with an entry's file; the reader passes it on.
namespace entry_kind {
inline constexpr std::uint32_t language_library = 0;
inline constexpr std::uint32_t main_program = 1;
inline constexpr std::uint32_t uninstaller = 2;
inline constexpr std::uint32_t shared_data = 3;
inline constexpr std::uint32_t sample = 4;
inline constexpr std::uint32_t temporary = 5;
inline constexpr std::uint32_t last = temporary;
}  // namespace entry_kind

struct payload_entry {
    std::wstring source;       // the path the archive was built from; only its file name is used
    std::wstring destination;  // the folder field as read, then the full destination file path
    std::uint32_t kind = 0;
    std::uint64_t size = 0;
    std::uint32_t crc = 0;
    // The folder the destination's token stands for (the system's or the user's choice, trusted as
    // it is); the levels below it are the payload's and must not be links.  The root of the
    // destination when the folder has no token.
    std::wstring destination_root{};
};

}  // namespace payload
