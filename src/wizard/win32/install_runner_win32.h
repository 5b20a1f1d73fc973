// Win32-only: the Install runner over the real system: the processes, loader and shell-link
// adapters, the thread's message pump, the wait cursor and the shell's association notice.
#pragma once

#include "wizard/pages/install_page.h"

class CInstallApp;

namespace wizard {

// The adapters live as long as the runner.
[[nodiscard]] InstallationRunner SystemInstallationRunner(CInstallApp& app);

}  // namespace wizard
