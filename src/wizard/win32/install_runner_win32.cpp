// Win32-only: the Install runner over the real system (see install_runner_win32.h).
#include "wizard/win32/install_runner_win32.h"

#include "os/win32/modules_win32.h"
#include "os/win32/processes_win32.h"
#include "os/win32/shell_links_win32.h"
#include "wizard/install_runner.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>

namespace wizard {

namespace {

// Handles every waiting message without waiting; a quit message goes back into the queue for the
// program's own loop and ends the pump.
void pump_messages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

struct system_install_ports {
    os::win32::processes_adapter processes;
    os::win32::modules_adapter modules;
    os::win32::shell_links_adapter links;
    install::install_ports ports{processes, modules, links,
                                 [] { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr); }};
};

}  // namespace

InstallationRunner SystemInstallationRunner(CInstallApp& app) {
    auto system = std::make_shared<system_install_ports>();
    auto previous = std::make_shared<HCURSOR>(nullptr);
    InstallationHooks hooks{pump_messages, [previous](bool shown) {
                                if (shown)
                                    *previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
                                else
                                    SetCursor(*previous ? *previous : LoadCursorW(nullptr, IDC_ARROW));
                            }};
    InstallationRunner run = SequenceRunner(app, system->ports, std::move(hooks));
    return [system, run = std::move(run)](CDlgInstall& page) { return run(page); };
}

}  // namespace wizard
