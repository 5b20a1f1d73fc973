// The scripted processes double (see processes_double.h).
#include "os/native/processes_double.h"

#include "os/win_error.h"

namespace os::native {

namespace {

constexpr std::uint32_t still_active = 259;

}  // namespace

std::error_code scripted_processes::start(const process_start& start, process_handle& process) {
    started.push_back(start);
    // The program "runs" at once; its exit code is known when the caller looks after a wait.
    const auto code = program_ ? program_(start) : std::nullopt;
    if (!code) return win_error(errc::file_not_found);
    process = next_;
    next_ += 4;
    processes_[process] = {*code, false};
    ++open_handles;
    return {};
}

wait_result scripted_processes::wait(process_handle process, std::uint32_t) {
    const auto found = processes_.find(process);
    if (found == processes_.end()) return wait_result::failed;
    found->second.ended = true;
    return wait_result::signaled;
}

std::error_code scripted_processes::exit_code(process_handle process, std::uint32_t& code) {
    const auto found = processes_.find(process);
    if (found == processes_.end()) return win_error(errc::invalid_handle);
    code = found->second.ended ? found->second.exit_code : still_active;
    return {};
}

void scripted_processes::close(process_handle process) noexcept {
    if (processes_.erase(process) != 0) --open_handles;
}

}  // namespace os::native
