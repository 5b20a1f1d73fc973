// Win32-only: the portable path-character classification that checks typed folders agrees with
// the shell's PathGetCharTypeW: exactly for ASCII, and for every other character in whether it is
// invalid, a wildcard or a separator.
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include "vd/path_char_type.h"

namespace {

TEST(FolderPickerCharType, AgreesWithPathGetCharType) {
    constexpr std::uint32_t kind_bits = vd::path::gct::wild | vd::path::gct::separator;
    for (std::uint32_t code = 0; code <= 0xFFFF; ++code) {
        const auto c = static_cast<wchar_t>(code);
        const std::uint32_t system = ::PathGetCharTypeW(c);
        const std::uint32_t portable = vd::path::char_type(c);
        if (code < 0x80) {
            ASSERT_EQ(portable, system) << "U+" << std::hex << code;
        } else {
            ASSERT_EQ(portable == vd::path::gct::invalid, system == GCT_INVALID) << "U+" << std::hex << code;
            ASSERT_EQ(portable & kind_bits, system & kind_bits) << "U+" << std::hex << code;
        }
    }
}

}  // namespace
