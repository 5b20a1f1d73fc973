// The shortcut page: the two check boxes and the Start-menu folder, shown relative to the Start menu.
#include "wizard/pages/shortcut_page.h"

#include "app/install_app.h"
#include "res/product_identity.h"
#include "os/shell_folders.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "vd/win_path.h"
#include "wizard/framework/data_exchange.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

namespace {

constexpr std::size_t max_folder_length = vd::path::max_path;

// `folder` as seen from `root`, both folders: "." gives empty, anything else loses its ".\".
std::wstring RelativeFolder(const std::wstring& root, const std::wstring& folder) {
    const std::wstring relative = vd::path::relative_path(root, true, folder);
    if (relative == L".") return {};
    return vd::path::canonicalize(relative);
}

}  // namespace

CDlgShortcut::CDlgShortcut(dialog_system& system, CInstallApp& app, const FolderPickers& pickers)
    : CWizardPage(system, res::dialog::shortcut_page, app), pickers_(pickers) {}

bool CDlgShortcut::OnInitDialog() {
    auto& shell = App().Ports().shell;
    if (!shell.special_folder_path(0, os::csidl::common_startmenu, false, startMenuRoot)) {
        startMenuRoot.clear();
        if (!shell.special_folder_path(0, os::csidl::startmenu, false, startMenuRoot)) startMenuRoot.clear();
    }
    CWizardPage::OnInitDialog();
    OnMenuCheck();
    return true;
}

bool CDlgShortcut::OnCommand(int id, int notification) {
    if (notification != notify::clicked) return false;
    if (id == control::browse) {
        OnBrowse();
        return true;
    }
    if (id == control::menu_check) {
        OnMenuCheck();
        return true;
    }
    return false;
}

void CDlgShortcut::DoDataExchange(data_exchange& exchange) {
    auto& settings = App().settings;
    if (!exchange.saving()) {
        desktopCheck = settings.desktopShortcut ? 1 : 0;
        menuCheck = settings.menuShortcut ? 1 : 0;
        relativeFolder = RelativeFolder(startMenuRoot, settings.menuFolder);
    }
    exchange.check(control::desktop_check, desktopCheck);
    exchange.check(control::menu_check, menuCheck);
    exchange.text(control::folder_edit, relativeFolder);
    exchange.max_chars(control::folder_edit, relativeFolder, max_folder_length);
    if (exchange.saving()) {
        settings.desktopShortcut = desktopCheck != 0;
        settings.menuShortcut = menuCheck != 0;
        settings.menuFolder = vd::path::append(startMenuRoot, relativeFolder);
    }
}

void CDlgShortcut::RefreshTexts() {
    auto& host = Host();
    host.set_text(control::menu_group, Text(text::start_menu));
    host.set_text(control::menu_check, Text(text::menu_shortcut));
    host.set_text(control::browse, Text(text::browse));
    host.set_text(control::desktop_check, Text(text::desktop_shortcut));
    host.set_text(control::status, Format(text::click_to_continue, {Text(text::next)}));
}

void CDlgShortcut::Resize(int dx, int dy) {
    Widen(control::menu_group, dx);
    Widen(control::menu_check, dx);
    Widen(control::folder_edit, dx);
    Widen(control::desktop_check, dx);
    Move(control::browse, dx, 0);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

void CDlgShortcut::OnMenuCheck() {
    auto& host = Host();
    const bool checked = host.is_checked(control::menu_check);
    host.enable(control::folder_edit, checked);
    host.enable(control::browse, checked);
}

void CDlgShortcut::OnBrowse() {
    (void)UpdateData(true);
    if (!pickers_.menuFolder) return;
    auto& settings = App().settings;
    const auto [chosen, relative] =
        pickers_.menuFolder(settings.menuFolder, product::key_name, Text(text::menu_shortcut));
    if (chosen.empty()) return;
    relativeFolder = relative;
    settings.menuFolder = chosen;
    UpdateData(false);
}

}  // namespace wizard
