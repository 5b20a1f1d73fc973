// The start page: language list, information lines and status line.
#include "wizard/pages/start_page.h"

#include "app/install_app.h"
#include "res/product_identity.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "wizard/pages/page_controls.h"

#include <algorithm>
#include <vector>

namespace wizard {

namespace {

// The flags are drawn at 16 x 12 in images of 18 x 12, so that neighbouring flags do not touch.
constexpr int flag_width = 16;
constexpr int flag_height = 12;
constexpr int image_width = 18;
constexpr int image_height = 12;
constexpr int dropped_width_margin = 30;
constexpr std::uint32_t information_box = 0x40;  // MB_OK | MB_ICONINFORMATION

// The product languages in the order of the list.
std::vector<LanguageIndex> ListedLanguages() {
    std::vector<LanguageIndex> listed;
    const auto& table = LanguageTable();
    for (LanguageIndex index = 0; index < LanguageCount; ++index)
        if (table[index].listPosition > 0) listed.push_back(index);
    std::sort(listed.begin(), listed.end(),
              [&](LanguageIndex a, LanguageIndex b) { return table[a].listPosition < table[b].listPosition; });
    return listed;
}

}  // namespace

CDlgStart::CDlgStart(dialog_system& system, CInstallApp& app, std::function<void()> languageChanged)
    : CWizardPage(system, res::dialog::start_page, app), languageChanged_(std::move(languageChanged)) {}

bool CDlgStart::OnInitDialog() {
    CWizardPage::OnInitDialog();
    auto& host = Host();
    auto& language = App().Language();
    host.create_list_images(control::language_list, image_width, image_height, 8, 1);
    int current = -1;
    int widest = 0;
    for (const LanguageIndex index : ListedLanguages()) {
        const std::wstring name = language.LanguageNativeName(index);
        const int position = host.add_list_item(control::language_list, name, LanguageTable()[index].flagIcon,
                                                flag_width, flag_height, index);
        if (index == language.CurrentLanguage()) current = position;
        widest = std::max(widest, host.list_text_width(control::language_list, name));
    }
    host.set_dropped_width(control::language_list, widest + dropped_width_margin);
    host.select_list_item(control::language_list, current);
    return true;
}

bool CDlgStart::OnCommand(int id, int notification) {
    if (id != control::language_list || notification != notify::selection_change) return false;
    OnLanguageChanged();
    return true;
}

void CDlgStart::OnLanguageChanged() {
    auto& host = Host();
    const int position = host.list_selection(control::language_list);
    if (position < 0) return;
    const auto data = host.list_item_data(control::language_list, position);
    if (!data) return;
    const auto index = static_cast<LanguageIndex>(*data);
    auto& language = App().Language();
    language.SetLanguage(index);
    if (!HasInstallerTexts(index)) {
        // The chosen language has no installer texts: the message comes from the English block.
        System().message_box(Format(text::english_installer, {product::name}), information_box);
        language.SetLanguage(EnglishLanguage);
    }
    App().SetApplicationName();
    if (languageChanged_) languageChanged_();
}

void CDlgStart::RefreshTexts() {
    auto& host = Host();
    const std::wstring title(product::title);
    const std::wstring next = Text(text::next);
    const std::wstring cancel = Text(text::cancel);
    std::wstring info;
    std::wstring status;
    switch (App().previousOutcome) {
        case PreviousInstallState::Same:
            info = Format(text::already_installed, {title}) + L"\r\n" + Text(text::confirm_reinstall);
            status = Format(text::continue_or_exit, {next, cancel});
            break;
        case PreviousInstallState::Older:
            info = Format(text::update_from_to, {App().previousTitle, title});
            status = Format(text::click_to_continue, {next});
            break;
        case PreviousInstallState::Newer:
            info = Format(text::product_installation, {title}) + L"\r\n" +
                   Format(text::newer_installed, {App().previousTitle});
            status = Format(text::click_to_exit, {cancel});
            break;
        case PreviousInstallState::None:
        default:
            info = Format(text::product_installation, {title});
            status = Format(text::click_to_continue, {next});
            break;
    }
    host.set_text(control::info, info);
    host.set_text(control::status, status);
    // The welcome line of a template that has one.
    host.set_text(control::welcome, Format(text::welcome, {title}));
    host.set_text(control::language_label, Text(text::select_language));
}

void CDlgStart::Resize(int dx, int dy) {
    Widen(control::language_list, dx);
    Widen(control::welcome, dx);
    Widen(control::info, dx, dy);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

}  // namespace wizard
