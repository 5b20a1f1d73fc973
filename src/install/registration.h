// The registration run: the installed main program started once with the registration switches,
// without the setup program's single-instance mutex, so that the product registers itself.
#pragma once

#include "app/named_mutex.h"
#include "os/processes.h"
#include "records/uninstall_log.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace install {

// The product's answer for a successful registration (-10).
inline constexpr std::uint32_t registration_succeeded = 0xFFFFFFF6u;

// The main program's path (quoted when it has spaces), " /Register /Background", and on an update
// " /update=" with the previous version in sixteen lower-case hexadecimal digits.
[[nodiscard]] std::wstring registration_command_line(std::wstring_view mainProgramPath, std::uint64_t previousVersion);

struct registration_inputs {
    os::processes& processes;
    UninstallLog& journal;
    app::NamedMutex& singleInstance;
    // Shown around the shell's notice after a successful registration; may be empty.
    std::function<void(bool shown)> wait_cursor;
    std::function<void()> associations_changed;
};

// Records the run, releases the mutex, starts the program in its own folder and waits for it
// without pumping, takes the mutex back and completes the record with whether it answered -10.
// Answers `registryOk` and that outcome together.
[[nodiscard]] bool run_registration(const registration_inputs& inputs, std::wstring_view mainProgramPath,
                                    std::uint64_t previousVersion, bool registryOk);

}  // namespace install
