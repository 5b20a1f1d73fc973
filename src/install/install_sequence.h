// The installation that the wizard's Install button runs: the temporary folder, the extraction with
// its journal, the read-only programs, the shortcuts, the DirectX update, the registry entry, the
// registration run, the uninstall log, and the cleanup of the temporary files.
#pragma once

#include "install/install_ports.h"
#include "install/progress_surface.h"

#include <string>

class CInstallApp;

namespace install {

// The installed programs' paths, filled as the payload announces them (the progress page's members).
struct installed_programs {
    std::wstring& mainProgramPath;
    std::wstring& uninstallerPath;
};

// True when the sequence reached its end; only the temporary folder and the extraction fail it (a
// failed extraction is rolled back).  Later steps that fail end their log line in "Failed".
[[nodiscard]] bool DoInstall(CInstallApp& app, const install_ports& ports, progress_surface& surface,
                             installed_programs programs);

}  // namespace install
