// The wizard over a simulated machine: the application object after its start-up checks, the
// headless dialog system, folder pickers that answer as the test says, and an installation that
// succeeds or fails as the test says.
#pragma once

#include "app/install_app.h"
#include "app/startup_fixture.h"
#include "res/dialog_templates.h"
#include "wizard/framework/headless_dialog_system.h"
#include "wizard/install_dlg.h"
#include "wizard/pages/page_controls.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace wizard_test {

namespace control = wizard::control;

class Wizard : public ::testing::Test {
protected:
    // `units`: the headless model's measures (wider text makes the language names wider than their list).
    explicit Wizard(wizard::headless::metrics units = {}) : system(&res::find_dialog_template, units) {
        application.settings.installFolder = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
        application.settings.menuFolder =
            m.machine.special_folder(os::csidl::common_programs) + L"\\Vendrel & Vodoraru\\Lignotek 7";
        language.SetLanguage(EnglishLanguage);
        application.SetApplicationName();
    }

    // Runs the wizard modally; `user` plays the user while the frame is up.
    int Run(std::function<void(wizard::CInstallDlg&)> user) {
        frame_ =
            std::make_unique<wizard::CInstallDlg>(system, application, Pickers(), [this](wizard::CDlgInstall& page) {
                ++installations;
                if (duringInstallation) duringInstallation(page);
                return installationSucceeds;
            });
        system.on_modal(res::dialog::frame, [&](wizard::CDialog&) { user(*frame_); });
        return frame_->DoModal();
    }

    wizard::headless_dialog_host& Window(const wizard::CDialog& dialog) { return system.window(dialog); }
    std::wstring Text(const wizard::CDialog& dialog, int id) { return Window(dialog).text(id); }
    void Next(wizard::CInstallDlg& frame) { system.click(frame, control::next); }
    void Back(wizard::CInstallDlg& frame) { system.click(frame, control::back); }

    wizard::FolderPickers Pickers() {
        return {[this](const std::wstring&, std::wstring_view, const std::wstring&) { return pickedFolder; },
                [this](const std::wstring&, std::wstring_view, const std::wstring&) { return pickedMenuFolder; }};
    }

    startup_test::SimulatedMachine m;
    LanguageState language{m.locale, m.resources};
    app::InstanceCounter counter{m.kernel, L"Lignotek7"};
    CInstallApp application{m.ports, m.hooks, language, counter, L"LignotekSetup"};
    wizard::headless_dialog_system system;

    bool installationSucceeds = true;
    int installations = 0;
    std::function<void(wizard::CDlgInstall&)> duringInstallation;
    std::wstring pickedFolder;
    std::pair<std::wstring, std::wstring> pickedMenuFolder;

private:
    std::unique_ptr<wizard::CInstallDlg> frame_;
};

}  // namespace wizard_test
