// The ports the installation sequence needs beyond the application's own: starting the installed
// product, loading the DirectX setup library, saving shell links, and the shell's notice that file
// associations changed.
#pragma once

#include "os/modules.h"
#include "os/processes.h"
#include "os/shell_links.h"

#include <functional>

namespace install {

struct install_ports {
    os::processes& processes;
    os::modules& modules;
    os::shell_links& links;
    // SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH); may be empty.
    std::function<void()> associations_changed;
};

}  // namespace install
