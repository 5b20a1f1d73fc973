// The loadable-modules port's contract: what the system's loader and the double must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/modules.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class modules_subject : public port_subject {
public:
    [[nodiscard]] virtual os::modules& modules() = 0;
    // The full path of a library that exists and exports `export_name()`.
    [[nodiscard]] virtual std::wstring library_path() = 0;
    [[nodiscard]] virtual const char* export_name() = 0;
    // A full path where no library is.
    [[nodiscard]] virtual std::wstring missing_library() = 0;
};

class ModulesContract : public port_suite<modules_subject> {
protected:
};

}  // namespace contract
