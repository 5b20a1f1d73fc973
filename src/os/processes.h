// The processes port: starting a program with a command line, waiting for it and reading its exit
// code (CreateProcessW, WaitForSingleObject, GetExitCodeProcess).
//
// Process handles are opaque numbers of the port; 0 is "no process".  Operations that fail return
// a Windows error code and leave their out parameters as they were.
#pragma once

#include "os/kernel_objects.h"
#include "os/unique_port_handle.h"

#include <cstdint>
#include <string>
#include <system_error>

namespace os {

using process_handle = std::uintptr_t;

// CreateProcessW's creation flags and ShowWindow states the program uses.
inline constexpr std::uint32_t high_priority_class = 0x80;
inline constexpr std::uint16_t sw_shownoactivate = 4;

struct process_start {
    std::wstring command_line;       // the program's path (quoted when it has spaces) and arguments
    std::wstring working_directory;  // never quoted; empty: the caller's current directory
    std::uint32_t creation_flags = 0;
    std::uint16_t show_window = sw_shownoactivate;  // with STARTF_USESHOWWINDOW
};

class processes {
public:
    virtual ~processes() = default;

    // CreateProcessW(no application name, a writable copy of the command line, no inherited
    // handles, the flags, this process's environment, the working directory, a STARTUPINFOW of its
    // own size with STARTF_USESHOWWINDOW and the show state).  The thread handle is closed at once.
    [[nodiscard]] virtual std::error_code start(const process_start& start, process_handle& process) = 0;
    // WaitForSingleObject on the process.
    [[nodiscard]] virtual wait_result wait(process_handle process, std::uint32_t milliseconds) = 0;
    // GetExitCodeProcess: 259 (STILL_ACTIVE) while it runs.
    [[nodiscard]] virtual std::error_code exit_code(process_handle process, std::uint32_t& code) = 0;
    // CloseHandle.  Closing 0 does nothing.
    virtual void close(process_handle process) noexcept = 0;
};

// A started process's handle, closed when this object ends.  Move-only.
using unique_process = unique_port_handle<processes, process_handle, &processes::close>;

}  // namespace os
