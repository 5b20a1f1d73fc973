// The registration run (see registration.h).
#include "install/registration.h"

#include "vd/win_path.h"

#include <boost/format.hpp>

namespace install {

std::wstring registration_command_line(std::wstring_view mainProgramPath, std::uint64_t previousVersion) {
    std::wstring line = vd::path::quote_spaces(mainProgramPath) + L" /Register /Background";
    if (previousVersion != 0) line += (boost::wformat(L" /update=%|1$016x|") % previousVersion).str();
    return line;
}

bool run_registration(const registration_inputs& inputs, std::wstring_view mainProgramPath,
                      std::uint64_t previousVersion, bool registryOk) {
    inputs.journal.RecordRegistration();
    const os::process_start start{registration_command_line(mainProgramPath, previousVersion),
                                  vd::path::remove_file_spec(mainProgramPath), os::high_priority_class,
                                  os::sw_shownoactivate};
    // The product refuses to run beside a setup program that holds the mutex.
    inputs.singleInstance.Release();
    os::process_handle handle = 0;
    if (inputs.processes.start(start, handle)) {
        inputs.journal.CompleteLast(false);
        (void)inputs.singleInstance.TryLock();
        return false;
    }
    std::uint32_t exitCode = 0;
    {
        const os::unique_process process(inputs.processes, handle);
        (void)inputs.processes.wait(process.get(), os::infinite_wait);
        if (inputs.processes.exit_code(process.get(), exitCode)) exitCode = 0;
    }
    (void)inputs.singleInstance.TryLock();
    const bool registered = exitCode == registration_succeeded;
    inputs.journal.CompleteLast(registered);
    if (registered) {
        if (inputs.wait_cursor) inputs.wait_cursor(true);
        if (inputs.associations_changed) inputs.associations_changed();
        if (inputs.wait_cursor) inputs.wait_cursor(false);
    }
    return registryOk && registered;
}

}  // namespace install
