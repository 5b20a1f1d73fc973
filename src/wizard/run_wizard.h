// The last step of start-up: the modal wizard over the application object.
#pragma once

#include "wizard/folder_browser.h"
#include "wizard/framework/dialog_system.h"
#include "wizard/pages/folder_pickers.h"
#include "wizard/pages/install_page.h"

class CInstallApp;

namespace wizard {

// Runs CInstallDlg modally.  While it runs, the frame is the application's main window and the
// wizard's boxes are the application's; answers the dialog's result (IDOK after a successful
// installation, IDCANCEL otherwise, -1 when the frame could not be shown).
int RunWizard(CInstallApp& app, dialog_system& system, FolderPickers pickers, InstallationRunner runInstallation);

// The Browse buttons' pickers over the shell's folder picker.  `ports` must outlive the pickers.
[[nodiscard]] FolderPickers ShellFolderPickers(const FolderBrowserPorts& ports);

}  // namespace wizard
