// Win32-only: the entry point of LignotekSetup.exe.  Narrows the library search, builds the ports over
// the real system, runs the library start-up, creates the one application object and runs its
// start-up sequence; what escapes ends in a box.
#include "app/install_app.h"
#include "app/instance_counter.h"
#include "app/language_state.h"
#include "app/library_startup.h"
#include "app/startup_guard.h"
#include "app/win32/library_search.h"
#include "res/product_identity.h"
#include "os/registry.h"
#include "os/security.h"
#include "os/win32/code_page_win32.h"
#include "os/win32/folder_picker_win32.h"
#include "os/win32/file_system_win32.h"
#include "os/win32/kernel_objects_win32.h"
#include "os/win32/locale_win32.h"
#include "os/win32/process_environment_win32.h"
#include "os/win32/process_info_win32.h"
#include "os/win32/resources_win32.h"
#include "os/win32/shell_folders_win32.h"
#include "os/win32/system_text_win32.h"
#include "os/win32/user_interface_win32.h"
#include "vd/program_path.h"
#include "vd/ui_hooks_defaults.h"
#include "vd/known_folders.h"
#include "vd/version_info.h"
#include "wizard/framework/win32/win32_dialog_system.h"
#include "wizard/run_wizard.h"
#include "wizard/win32/install_runner_win32.h"
#include "os/win32/registry_win32.h"
#include "os/win32/security_win32.h"

#include <windows.h>

namespace {

// The adapters of every port, for the life of the process.
struct Win32System {
    os::win32::process_environment_adapter environment;
    os::win32::process_info_adapter process;
    os::win32::locale_adapter locale;
    os::win32::code_page_adapter codePage;
    os::win32::resources_adapter resources;
    std::unique_ptr<os::registry> registry = os::win32::make_system_registry();
    os::win32::file_system_adapter files;
    os::win32::shell_folders_adapter shell;
    os::win32::kernel_objects_adapter kernel;
    std::unique_ptr<os::security> security = os::win32::make_system_security();
    os::win32::user_interface_adapter ui;
    os::win32::system_text_adapter systemText;
    os::win32::folder_picker_adapter folderPicker;

    app::SystemPorts Ports() {
        return {environment, process, locale, codePage,  resources, *registry,
                files,       shell,   kernel, *security, ui,        systemText};
    }
};

// Everything the program does, from the library start-up to the end of the wizard.
int RunSetup() {
    Win32System system;
    const app::SystemPorts ports = system.Ports();

    vd::known_folders knownFolders;
    if (auto exitCode = app::RunLibraryStartup(ports, knownFolders)) return *exitCode;
    app::InstanceCounter counter(ports.kernel, app::DetermineApplicationId(ports));
    counter.Start();

    LanguageState language(ports.locale, ports.resources);
    // The library's default user-interface hooks come before the application object; their owner
    // is the application's main window, the wizard frame while it runs.
    vd::ui_hooks hooks;
    const CInstallApp* running = nullptr;
    vd::install_default_ui_hooks(
        hooks, ports.ui, {[&running] { return running ? running->MainWindow() : os::window_handle::none; }, {}});
    hooks.set_title_sources([&] { return vd::version_info(ports.resources).product_title(language.Lcid()); },
                            [&] { return vd::program_stem(ports.process); });
    CInstallApp application(ports, hooks, language, counter, vd::program_stem(ports.process));
    running = &application;

    wizard::win32_dialog_system dialogs(::GetModuleHandleW(nullptr));
    const wizard::FolderBrowserPorts browsing{
        system.folderPicker, ports.ui,     ports.systemText,
        ports.shell,         knownFolders, [&language] {
            return language.IsRightToLeft(language.DefaultLanguage(0)); }};
    application.SetWizardRunner([&](CInstallApp& app) {
        (void)wizard::RunWizard(app, dialogs, wizard::ShellFolderPickers(browsing),
                                wizard::SystemInstallationRunner(app));
    });
    application.InitInstance();
    return application.exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // Before anything can load a library: from here on no DLL comes from the download folder.
    (void)app::win32::RestrictLibrarySearchToSystem32();
    os::win32::user_interface_adapter faultBoxes;
    os::win32::system_text_adapter faultTexts;
    return app::RunGuarded(faultBoxes, faultTexts, [] { return RunSetup(); });
}
