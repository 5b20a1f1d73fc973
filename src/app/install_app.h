// The application object: the install settings and the other process-wide results of start-up,
// and the start-up sequence that checks the environment, chooses the language, detects an earlier
// installation, fills the default folders and runs the wizard.
#pragma once

#include "app/install_settings.h"
#include "app/instance_counter.h"
#include "app/language_state.h"
#include "app/named_mutex.h"
#include "app/system_ports.h"
#include "os/user_interface.h"
#include "records/previous_installation.h"
#include "records/product_registry.h"
#include "records/uninstall_log.h"
#include "vd/ui_hooks.h"

#include <cstdint>
#include <functional>
#include <string>

class CInstallApp;

// Runs the modal wizard over the application object (the wizard installs it).
using WizardRunner = std::function<void(CInstallApp&)>;

class CInstallApp {
public:
    // Opens the single-instance mutex (not owned) and sets the icon hook of `hooks` (the process's
    // user-interface hooks, which outlive the object).  `programStem` is the framework's application
    // name until start-up sets the localized one.
    CInstallApp(app::SystemPorts ports, vd::ui_hooks& hooks, LanguageState& language, app::InstanceCounter& counter,
                std::wstring programStem);
    // Releases the single-instance mutex if held.
    ~CInstallApp();
    CInstallApp(const CInstallApp&) = delete;
    CInstallApp& operator=(const CInstallApp&) = delete;

    // The start-up sequence.  Always false: when it returns, the process ends.
    bool InitInstance();

    // The caption of every box: message 1000, " – ", the product title.  Set by start-up and again
    // by the start page after a language change.
    void SetApplicationName();
    [[nodiscard]] const std::wstring& ApplicationName() const noexcept { return applicationName_; }

    // The wizard of step 13; without one, start-up ends after the default folders.
    void SetWizardRunner(WizardRunner runner) { runWizard_ = std::move(runner); }

    // A box with the application's caption and owner rules (the caption is the application name).
    [[nodiscard]] int ShowMessage(const std::wstring& text, std::uint32_t type);

    // The wizard frame while it runs (the owner of the library's boxes); none otherwise.
    [[nodiscard]] os::window_handle MainWindow() const noexcept { return mainWindow_; }
    void SetMainWindow(os::window_handle window) noexcept { mainWindow_ = window; }

    [[nodiscard]] LanguageState& Language() noexcept { return language_; }
    // Icon 128 of the program, for the wizard frame; none when the program has none.
    [[nodiscard]] os::icon_handle ApplicationIcon() const noexcept { return icon_; }
    [[nodiscard]] const app::SystemPorts& Ports() const noexcept { return ports_; }

    // The results of start-up, read and written by the wizard and the installation.
    PreviousInstallState previousOutcome = PreviousInstallState::None;
    std::wstring previousTitle;
    app::NamedMutex singleInstance;
    app::InstallSettings settings;
    UninstallLog uninstallLog;
    bool installSucceeded = false;
    std::uint64_t previousVersion = 0;
    // The process's exit code: 0, or -11 when start-up ended with the initialization error.
    int exitCode = 0;

private:
    void ChooseLanguage();
    [[nodiscard]] bool WaitUntilProductClosed();
    // False when the shell gives no full path for a default that is needed.
    [[nodiscard]] bool FillDefaultFolders();

    void DetectPrevious();

    app::SystemPorts ports_;
    vd::ui_hooks& hooks_;
    records::product_registry productRegistry_;
    LanguageState& language_;
    app::InstanceCounter& counter_;
    std::wstring applicationName_;
    os::icon_handle icon_ = os::icon_handle::none;
    os::window_handle mainWindow_ = os::window_handle::none;
    WizardRunner runWizard_;
};
