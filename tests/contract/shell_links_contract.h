// The shell-links port's contract: what the shell's link object and the double must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/file_system.h"
#include "os/shell_links.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class shell_links_subject : public port_subject {
public:
    [[nodiscard]] virtual os::shell_links& links() = 0;
    // The file system the links are saved to, and an empty scratch folder in it.
    [[nodiscard]] virtual os::file_system& files() = 0;
    [[nodiscard]] virtual std::wstring scratch() const = 0;
};

class ShellLinksContract : public port_suite<shell_links_subject> {
protected:
};

}  // namespace contract
