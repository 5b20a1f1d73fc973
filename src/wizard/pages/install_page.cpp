// The progress page: options summary, log box with its measured separator lines, progress bar.
#include "wizard/pages/install_page.h"

#include "app/install_app.h"
#include "res/product_identity.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "vd/win_path.h"
#include "wizard/framework/data_exchange.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

namespace {

// PathQuoteSpacesW works in a buffer of 260 characters: a longer folder is shown as it stands.
std::wstring QuotedFolder(const std::wstring& folder) {
    constexpr std::size_t path_buffer = vd::path::max_path;
    const std::wstring quoted = vd::path::quote_spaces(folder);
    return quoted.size() < path_buffer ? quoted : folder;
}

// The error code text of a failure that has no more precise code.
constexpr std::wstring_view unexpected_failure_code = L"7";

}  // namespace

CDlgInstall::CDlgInstall(dialog_system& system, CInstallApp& app, InstallationRunner runInstallation)
    : CWizardPage(system, res::dialog::progress_page, app), runInstallation_(std::move(runInstallation)) {}

bool CDlgInstall::OnInitDialog() {
    CWizardPage::OnInitDialog();
    auto& host = Host();
    // The log grows for the whole installation: no limit of the edit control's default 30000.
    host.limit_text(control::log_box, 0);
    host.set_progress_range(control::progress_bar, 0, 100);
    host.show_control(control::progress_bar, false);
    return true;
}

void CDlgInstall::DoDataExchange(data_exchange& exchange) {
    // Once an installation has succeeded the page keeps its log, so going back from the end page
    // shows what was done.
    if (exchange.saving() || App().installSucceeded) return;
    const auto& settings = App().settings;
    auto& host = Host();
    host.set_text(control::log_box, L"");
    AppendLog(Format(text::product_installation, {product::title}) + L"\r\n");
    AppendLog(Text(text::installation_options), true);
    AppendLog(Format(text::option_folder, {QuotedFolder(settings.installFolder)}) + L"\r\n");
    if (settings.menuShortcut)
        AppendLog(Format(text::option_menu_shortcut, {QuotedFolder(settings.menuFolder)}) + L"\r\n");
    if (settings.desktopShortcut) AppendLog(Text(text::option_desktop) + L"\r\n");
    while (host.first_visible_line(control::log_box) != 0) {
        const int before = host.first_visible_line(control::log_box);
        host.scroll_edit_lines(control::log_box, -1);
        if (host.first_visible_line(control::log_box) == before) break;  // the box cannot scroll further
    }
}

void CDlgInstall::RefreshTexts() { SetStatus(Format(text::click_to_install, {Text(text::install)})); }

void CDlgInstall::Resize(int dx, int dy) {
    Widen(control::log_box, dx, dy);
    Widen(control::progress_bar, dx);
    Move(control::progress_bar, 0, dy);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

bool CDlgInstall::DoInstall() {
    if (runInstallation_) return runInstallation_(*this);
    const std::wstring failure = Format(text::installation_failed, {unexpected_failure_code});
    AppendLog(L"", true);
    SetStatus(failure);
    AppendLog(failure + L"\r\n");
    return false;
}

std::wstring CDlgInstall::SeparatorLine(std::wstring_view text) {
    auto& host = Host();
    const auto [leftMargin, rightMargin] = host.edit_margins(control::log_box);
    int available = host.control_client_rect(control::log_box).width() - leftMargin - rightMargin - 2;
    std::wstring centred;
    if (!text.empty()) {
        centred = L" " + std::wstring(text) + L" ";
        available -= host.text_width(control::log_box, centred);
    }
    const int dash = host.text_width(control::log_box, L"-");
    const int count = dash > 0 ? available / dash : 0;
    const auto dashes = [](int n) { return std::wstring(n > 0 ? static_cast<std::size_t>(n) : 0, L'-'); };
    std::wstring line = text.empty() ? dashes(count) : dashes(count / 2) + centred + dashes((count + 1) / 2);
    return line + L"\r\n";
}

void CDlgInstall::AppendLog(std::wstring_view text, bool heading) {
    auto& host = Host();
    const std::wstring line = heading || text.empty() ? SeparatorLine(text) : std::wstring(text);
    host.append_edit_text(control::log_box, line);
    host.scroll_edit_lines(control::log_box, 1);
}

void CDlgInstall::SetStatus(std::wstring_view text) { Host().set_text(control::status, text); }

void CDlgInstall::SetPathStatus(std::wstring_view text) {
    auto& host = Host();
    const int width = host.control_client_rect(control::status).width();
    const std::size_t last = text.find_last_of(L'\\');
    const std::size_t first = text.find(L'\\');
    if (width <= 0 || last == std::wstring_view::npos || first == last ||
        host.text_width(control::status, text) <= width) {
        host.set_text(control::status, text);
        return;
    }
    // Keep the root and as much of the folders after it as fits, then "...", then the last element.
    std::wstring shown;
    for (std::size_t keep = last; keep > first; --keep) {
        shown = std::wstring(text.substr(0, keep)) + L"..." + std::wstring(text.substr(last));
        if (host.text_width(control::status, shown) <= width) break;
    }
    host.set_text(control::status, shown);
}

void CDlgInstall::ShowProgress(bool visible) { Host().show_control(control::progress_bar, visible); }

void CDlgInstall::SetProgress(int percent) { Host().set_progress_position(control::progress_bar, percent); }

}  // namespace wizard
