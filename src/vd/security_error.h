// The Win32 errors the security code reports for bad bytes, in the HRESULT form its operations throw.
#pragma once

#include "os/win_error.h"
#include "vd/hresult_error.h"

#include <cstdint>

namespace vd::security {

namespace win32_error {
inline constexpr std::uint32_t invalid_parameter = 87;
inline constexpr std::uint32_t invalid_acl = 1336;
inline constexpr std::uint32_t invalid_sid = 1337;
inline constexpr std::uint32_t invalid_security_descriptor = 1338;
inline constexpr std::uint32_t allotted_space_exceeded = 1344;
}  // namespace win32_error

[[noreturn]] inline void throw_win32(std::uint32_t error) { throw hresult_error(os::hr::from_win32(error)); }

}  // namespace vd::security
