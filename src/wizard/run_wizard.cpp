// The wizard's run: boxes through the application, the frame as the main window.
#include "wizard/run_wizard.h"

#include "app/install_app.h"
#include "wizard/install_dlg.h"

namespace wizard {

int RunWizard(CInstallApp& app, dialog_system& system, FolderPickers pickers, InstallationRunner runInstallation) {
    system.set_message_box(
        [&app](const std::wstring& text, std::uint32_t type) { return app.ShowMessage(text, type); });
    CInstallDlg frame(system, app, std::move(pickers), std::move(runInstallation));
    const int result = frame.DoModal();
    app.SetMainWindow(os::window_handle::none);
    system.set_message_box({});
    return result;
}

FolderPickers ShellFolderPickers(const FolderBrowserPorts& ports) {
    return {[&ports](const std::wstring& initial, std::wstring_view tail, const std::wstring& title) {
                return BrowseInstallFolder(ports, initial, tail, title);
            },
            [&ports](const std::wstring& initial, std::wstring_view tail, const std::wstring& title) {
                return BrowseMenuFolder(ports, initial, tail, title);
            }};
}

}  // namespace wizard
