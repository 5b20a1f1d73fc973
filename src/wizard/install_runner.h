// The installation sequence as the progress page's Install runner: the page behind the sequence's
// progress surface.
#pragma once

#include "install/install_ports.h"
#include "wizard/pages/install_page.h"

#include <functional>

class CInstallApp;

namespace wizard {

// What the page cannot do through its dialog host.
struct InstallationHooks {
    std::function<void()> pumpMessages;          // handles the waiting window messages
    std::function<void(bool shown)> waitCursor;  // the wait cursor on and off
};

// Runs install::DoInstall over `app` with the page as its surface.  `ports` must outlive the runner.
[[nodiscard]] InstallationRunner SequenceRunner(CInstallApp& app, const install::install_ports& ports,
                                                InstallationHooks hooks);

}  // namespace wizard
