// Native double of the processes port: every start is recorded, and what a started program does
// (its exit code, or that it cannot be found) is the test's script, played when the caller waits.
#pragma once

#include "os/processes.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace os::native {

class scripted_processes final : public processes {
public:
    // What a program does when it runs: its exit code.  Answering nothing makes the start fail
    // with 2 (ERROR_FILE_NOT_FOUND), as for a program that is not there.
    using program = std::function<std::optional<std::uint32_t>(const process_start&)>;

    // Without a script every start fails with 2.
    void script(program behaviour) { program_ = std::move(behaviour); }

    std::vector<process_start> started;  // every start asked for, in order
    int open_handles = 0;                // processes started and not closed yet

    std::error_code start(const process_start& start, process_handle& process) override;
    wait_result wait(process_handle process, std::uint32_t milliseconds) override;
    std::error_code exit_code(process_handle process, std::uint32_t& code) override;
    void close(process_handle process) noexcept override;

private:
    struct running {
        std::uint32_t exit_code = 0;
        bool ended = false;
    };
    program program_;
    std::map<process_handle, running> processes_;
    process_handle next_ = 0x100;
};

}  // namespace os::native
