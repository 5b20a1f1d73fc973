// The DirectX setup library's functions as the program calls them: their export names, types and
// the codes they answer.  Without <windows.h>: DWORD is 32 bits, HWND a pointer.
#pragma once

#include <cstdint>

// The setup library's functions and its callback use the system's standard calling convention.
#if defined(_WIN32) && defined(__i386__)
#define LIGNOTEK_DSETUP_CALL __attribute__((stdcall))
#else
#define LIGNOTEK_DSETUP_CALL
#endif

namespace install::dsetup {

using callback = std::uint32_t(LIGNOTEK_DSETUP_CALL*)(std::uint32_t reason, std::uint32_t messageType, char* message,
                                                      char* name, void* info);
using get_version_function = std::int32_t(LIGNOTEK_DSETUP_CALL*)(std::uint32_t* version, std::uint32_t* revision);
using set_callback_function = std::int32_t(LIGNOTEK_DSETUP_CALL*)(callback function);
using setup_function = std::int32_t(LIGNOTEK_DSETUP_CALL*)(void* owner, wchar_t* sourceFolder, std::uint32_t flags);

inline constexpr const char* get_version_name = "DirectXSetupGetVersion";
inline constexpr const char* set_callback_name = "DirectXSetupSetCallback";
inline constexpr const char* setup_name = "DirectXSetupW";

inline constexpr std::uint32_t directx_components = 0x10018;  // DSETUP_DIRECTX: core, display and sound drivers
inline constexpr std::uint32_t progress_reason = 18;          // DSETUP_CB_MSG_PROGRESS
inline constexpr std::int32_t success = 0;                    // DSETUPERR_SUCCESS
inline constexpr std::int32_t success_restart = 1;            // DSETUPERR_SUCCESS_RESTART
inline constexpr std::uint32_t minimum_version = 0x00040009;  // DirectX 9
inline constexpr std::uint32_t minimum_revision = 903;

}  // namespace install::dsetup
