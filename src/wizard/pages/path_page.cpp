// The folder page: the installation folder, typed or picked; read-only over an earlier installation.
#include "wizard/pages/path_page.h"

#include "app/install_app.h"
#include "res/product_identity.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "wizard/framework/data_exchange.h"
#include "wizard/pages/page_controls.h"
#include "vd/win_path.h"

namespace wizard {

namespace {
// The shell's path buffers hold 260 characters.
constexpr std::size_t max_folder_length = vd::path::max_path;
}  // namespace

CDlgPath::CDlgPath(dialog_system& system, CInstallApp& app, const FolderPickers& pickers)
    : CWizardPage(system, res::dialog::folder_page, app), pickers_(pickers) {}

bool CDlgPath::OnInitDialog() {
    CWizardPage::OnInitDialog();
    if (App().previousOutcome != PreviousInstallState::None) {
        // An update or a reinstallation keeps the installed folder.
        auto& host = Host();
        host.enable(control::folder_label, false);
        host.enable(control::browse, false);
        host.set_read_only(control::folder_edit, true);
    }
    return true;
}

bool CDlgPath::OnCommand(int id, int notification) {
    if (id != control::browse || notification != notify::clicked) return false;
    OnBrowse();
    return true;
}

void CDlgPath::DoDataExchange(data_exchange& exchange) {
    auto& settings = App().settings;
    if (!exchange.saving()) folderText = settings.installFolder;
    exchange.text(control::folder_edit, folderText);
    exchange.max_chars(control::folder_edit, folderText, max_folder_length);
    if (exchange.saving()) settings.installFolder = folderText;
}

void CDlgPath::RefreshTexts() {
    auto& host = Host();
    host.set_text(control::folder_group, Text(text::folder_selection));
    host.set_text(control::folder_label, Format(text::select_install_folder, {product::name}));
    host.set_text(control::browse, Text(text::browse));
    host.set_text(control::status, Format(text::click_to_continue, {Text(text::next)}));
}

void CDlgPath::Resize(int dx, int dy) {
    Widen(control::folder_group, dx);
    Widen(control::folder_label, dx);
    Widen(control::folder_edit, dx);
    Move(control::browse, dx, 0);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

void CDlgPath::OnBrowse() {
    (void)UpdateData(true);
    if (!pickers_.installFolder) return;
    auto& settings = App().settings;
    const std::wstring title = Format(text::select_install_folder, {product::name});
    const std::wstring chosen = pickers_.installFolder(settings.installFolder, product::key_name, title);
    if (chosen.empty()) return;
    settings.installFolder = chosen;
    UpdateData(false);
}

}  // namespace wizard
