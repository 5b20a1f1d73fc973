// Win32-only: the processes port over CreateProcessW, WaitForSingleObject and GetExitCodeProcess.
#pragma once

#include "os/processes.h"

namespace os::win32 {

class processes_adapter final : public processes {
public:
    std::error_code start(const process_start& start, process_handle& process) override;
    wait_result wait(process_handle process, std::uint32_t milliseconds) override;
    std::error_code exit_code(process_handle process, std::uint32_t& code) override;
    void close(process_handle process) noexcept override;
};

}  // namespace os::win32
