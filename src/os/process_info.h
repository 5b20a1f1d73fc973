// The process-information port: where the running program's file is.
#pragma once

#include <string>

namespace os {

class process_info {
public:
    virtual ~process_info() = default;

    // The C run-time library's record of the program's wide path (_wpgmptr).  False when the
    // run time holds none (a program started through a narrow entry point) or reports an error;
    // `path` is unchanged then.
    [[nodiscard]] virtual bool runtime_program_path(std::wstring& path) = 0;

    // GetModuleFileNameW(no module, buffer of 260 zero-filled characters): the text in the buffer,
    // cut by the system call when the path is longer.  Does not fail; empty when the call fails.
    [[nodiscard]] virtual std::wstring module_file_name() = 0;
};

}  // namespace os
