// The processes port's contract: what the system and the double must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/processes.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class processes_subject : public port_subject {
public:
    [[nodiscard]] virtual os::processes& processes() = 0;
    // A command line whose program ends at once with `code`.
    [[nodiscard]] virtual std::wstring command_exiting_with(std::uint32_t code) = 0;
    // A command line whose program does not exist.
    [[nodiscard]] virtual std::wstring missing_program() = 0;
    // An existing folder to start programs in.
    [[nodiscard]] virtual std::wstring working_folder() = 0;
};

class ProcessesContract : public port_suite<processes_subject> {
protected:
};

}  // namespace contract
