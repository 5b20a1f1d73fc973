// Win32-only: the three functions of the DirectX setup library that the setup program calls, as the
// library exports them (stdcall, undecorated names), and the values they exchange.
#pragma once

#include <windows.h>

namespace directx_setup_api {

// DirectX 9 as the version function reports it, and the revision of this runtime.
inline constexpr DWORD runtime_version = 0x00040009;
inline constexpr DWORD runtime_revision = 904;

// The callback's reason for a progress report, and the information that comes with it.
inline constexpr DWORD callback_progress = 18;
struct progress_info {
    DWORD phase;
    DWORD phaseMaximum;
    DWORD phaseProgress;
    DWORD overallMaximum;
    DWORD overallProgress;
};

// Results of the setup function.
inline constexpr INT success = 0;
inline constexpr INT success_restart = 1;
// The source folder lacks a file of the runtime (the companion library).
inline constexpr INT source_file_missing = -2;

// The components of a full runtime installation (core, display and sound drivers).
inline constexpr DWORD install_directx = 0x10018;

using callback = DWORD(CALLBACK*)(DWORD reason, DWORD messageType, LPSTR message, LPSTR name, void* info);
using get_version_function = INT(WINAPI*)(DWORD* version, DWORD* revision);
using set_callback_function = INT(WINAPI*)(callback);
using setup_function = INT(WINAPI*)(HWND owner, LPWSTR sourceFolder, DWORD flags);

}  // namespace directx_setup_api
