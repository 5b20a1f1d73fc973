// How the security code reports bad bytes: a Win32 error (os::errc) in the HRESULT form its operations throw.
#pragma once

#include "os/win_error.h"
#include "vd/hresult_error.h"

#include <cstdint>

namespace vd::security {

[[noreturn]] inline void throw_win32(std::uint32_t error) { throw hresult_error(os::hr::from_win32(error)); }

}  // namespace vd::security
