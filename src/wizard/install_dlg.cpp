// The wizard frame: layout, navigation, the button rules and the About entry.
#include "wizard/install_dlg.h"

#include "app/install_app.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "vd/format_message.h"
#include "wizard/pages/about_dialog.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

namespace {

constexpr int progress_page = 4;
constexpr int end_page = 5;
constexpr std::uint32_t confirm_exit_box = 0x124;  // MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2
constexpr int answer_yes = 6;                      // IDYES

[[nodiscard]] bool IsAdvancedPage(int page) noexcept { return page == 2 || page == 3; }

}  // namespace

CInstallDlg::CInstallDlg(dialog_system& system, CInstallApp& app, FolderPickers pickers,
                         InstallationRunner runInstallation)
    : CDialog(system, res::dialog::frame),
      app_(app),
      pickers_(std::move(pickers)),
      startPage(system, app, [this] { RefreshTexts(); }),
      modePage(system, app),
      pathPage(system, app, pickers_),
      shortcutPage(system, app, pickers_),
      installPage(system, app, std::move(runInstallation)),
      endPage(system, app),
      pages{&startPage, &modePage, &pathPage, &shortcutPage, &installPage, &endPage} {}

CInstallDlg::~CInstallDlg() = default;

std::wstring CInstallDlg::AboutEntryText() const {
    auto& language = app_.Language();
    const std::wstring pattern = language.LoadText(text::about_title);
    const std::wstring application = language.LoadText(text::application);
    const std::wstring_view inserts[] = {application};
    const auto formatted = vd::format_message(pattern, inserts);
    if (formatted.text.empty()) return {};
    if (language.RightToLeft()) return L"..." + formatted.text;
    return L"&" + formatted.text + L"...";
}

bool CInstallDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    auto& host = Host();
    app_.SetMainWindow(host.window());
    host.set_title(app_.ApplicationName());
    if (const std::wstring about = AboutEntryText(); !about.empty()) {
        host.append_system_menu_separator();
        host.append_system_menu_item(about_command, about);
    }
    host.delete_system_menu_item(sc::maximize);
    host.delete_system_menu_item(sc::size);
    if (app_.ApplicationIcon() != os::icon_handle::none) host.set_big_icon(app_.ApplicationIcon());
    for (CWizardPage* page : pages) (void)page->Create(*this);
    LayOutPages();
    RefreshTexts();
    GoToPage(0);
    if (app_.previousOutcome == PreviousInstallState::Newer) host.enable(control::next, false);
    return true;
}

void CInstallDlg::LayOutPages() {
    auto& host = Host();
    rect area = host.client_rect();
    area.left = host.control_rect(control::side_background).right;
    area.bottom = host.control_rect(control::separator).top;

    rect all = area;
    for (CWizardPage* page : pages) {
        if (!page->HasWindow()) continue;
        auto& pageHost = page->Host();
        pageHost.set_position(pageHost.window_rect().moved_to(all.left, all.top), true, false);
        all = united(all, pageHost.window_rect());
    }
    const int dx = all.width() - area.width();
    const int dy = all.height() - area.height();

    const rect frame = host.window_rect();
    host.set_position({frame.left, frame.top, frame.right + dx, frame.bottom + dy}, false, true);
    for (CWizardPage* page : pages) {
        if (!page->HasWindow()) continue;
        auto& pageHost = page->Host();
        const rect before = pageHost.window_rect();
        pageHost.set_position(all, true, true);
        page->Resize(all.width() - before.width(), all.height() - before.height());
    }

    rect background = host.control_rect(control::side_background);
    background.bottom += dy;
    host.move_control(control::side_background, background);
    rect separator = host.control_rect(control::separator);
    separator.right += dx;
    host.move_control(control::separator, separator.moved_by(0, dy));
    for (const int button : {control::back, control::next, control::exit})
        host.move_control(button, host.control_rect(button).moved_by(dx, dy));
}

void CInstallDlg::RefreshTexts() {
    auto& host = Host();
    host.set_title(app_.ApplicationName());
    host.modify_system_menu_item(about_command, AboutEntryText());
    UpdateButtonCaptions();
    for (CWizardPage* page : pages)
        if (page->HasWindow()) page->RefreshTexts();
}

void CInstallDlg::UpdateButtonCaptions() {
    auto& host = Host();
    auto& language = app_.Language();
    const bool installing = currentPage == progress_page && !app_.installSucceeded;
    host.set_text(control::next,
                  installing ? language.LoadText(text::install) : language.LoadText(text::next) + L"  >");
    host.set_text(control::back, L"<  " + language.LoadText(text::back));
    host.set_text(control::exit, language.LoadText(app_.installSucceeded ? text::exit : text::cancel));
}

void CInstallDlg::GoToPage(int target) {
    if (currentPage >= 0) {
        CWizardPage& shown = *pages[static_cast<std::size_t>(currentPage)];
        if (!shown.UpdateData(true)) return;
        shown.Host().show(false);
    }
    if (!app_.settings.advancedMode && target != currentPage) {
        const int step = target > currentPage ? 1 : -1;
        while (IsAdvancedPage(target)) target += step;
    }
    CWizardPage& entered = *pages[static_cast<std::size_t>(target)];
    if (target != currentPage) entered.UpdateData(false);
    currentPage = target;
    entered.Host().show(true);
    UpdateButtonCaptions();

    auto& host = Host();
    const bool back = (currentPage > 0 && !app_.installSucceeded) || currentPage > progress_page;
    const bool next = currentPage < end_page;
    host.enable(control::back, back);
    host.enable(control::next, next);
    const int focus = next ? control::next : control::exit;
    host.set_focus(focus);
    host.set_default_button(focus);
}

void CInstallDlg::OnOK() {
    if (currentPage == progress_page && !app_.installSucceeded) {
        auto& host = Host();
        host.enable(control::back, false);
        host.enable(control::next, false);
        host.enable(control::exit, false);
        app_.installSucceeded = installPage.DoInstall();
        GoToPage(progress_page);
        host.enable(control::exit, true);
        return;
    }
    GoToPage(currentPage + 1);
}

void CInstallDlg::OnCancel() {
    if (app_.installSucceeded) {
        EndDialog(id_ok);
        return;
    }
    const auto outcome = app_.previousOutcome;
    if (outcome == PreviousInstallState::Newer || (outcome == PreviousInstallState::Same && currentPage == 0)) {
        EndDialog(id_cancel);
        return;
    }
    if (System().message_box(app_.Language().LoadText(text::confirm_exit), confirm_exit_box) != answer_yes) return;
    EndDialog(app_.installSucceeded ? id_ok : id_cancel);
}

bool CInstallDlg::OnCommand(int id, int notification) {
    if (id != control::back || notification != notify::clicked) return false;
    GoToPage(currentPage - 1);
    return true;
}

bool CInstallDlg::OnSysCommand(unsigned command) {
    if ((command & 0xFFF0u) != about_command) return false;
    CAboutDlg about(System(), app_);
    about.DoModal(Host().window());
    return true;
}

void CInstallDlg::OnGetMinMaxInfo(min_max_info& info) {
    // Maximizing changes nothing: the maximized window is the normal one.
    const rect frame = Host().window_rect();
    info.max_width = frame.width();
    info.max_height = frame.height();
    info.max_x = frame.left;
    info.max_y = frame.top;
}

void CInstallDlg::OnInitMenuPopup(bool systemMenu) {
    if (!systemMenu) return;
    auto& host = Host();
    const bool minimized = host.is_minimized();
    host.enable_system_menu_item(sc::minimize, !minimized);
    host.enable_system_menu_item(sc::restore, minimized);
}

}  // namespace wizard
