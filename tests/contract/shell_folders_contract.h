// The shell-folders port's contract: what the shell and the double must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/shell_folders.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class shell_folders_subject : public port_subject {
public:
    [[nodiscard]] virtual os::shell_folders& shell() = 0;
};

class ShellFoldersContract : public port_suite<shell_folders_subject> {
protected:
    os::shell_folders& shell() { return subject().shell(); }
};

}  // namespace contract
