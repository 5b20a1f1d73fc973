// The dialog-host contract's own templates: a framed modal dialog with a few controls of every kind
// the wizard uses, and a hidden child page.  win32/dialog_host_contract.rc holds the same templates
// as resources; a change here is a change there.
#pragma once

#include "res/dialog_styles.h"
#include "res/dialog_templates.h"

namespace contract::probe {

// Template ids, clear of the program's own (100, 102, 132-137).
inline constexpr std::uint16_t modal = 900;
inline constexpr std::uint16_t page = 901;

// Control ids of the modal dialog.
inline constexpr int ok = 1;
inline constexpr int cancel = 2;
inline constexpr int back = 3;
inline constexpr int first_check = 1101;
inline constexpr int second_check = 1102;
inline constexpr int quick = 1103;
inline constexpr int advanced = 1104;
inline constexpr int expert = 1105;
inline constexpr int status = 1106;
inline constexpr int folder = 1107;
inline constexpr int log = 1108;
inline constexpr int languages = 1109;
inline constexpr int progress = 1110;
inline constexpr int background = 1111;
// Control ids of the page.
inline constexpr int page_status = 1201;
inline constexpr int page_browse = 1202;
// A control id no template has.
inline constexpr int missing = 4242;

namespace detail {
using namespace res::style;
inline constexpr std::uint32_t control = ws_child | ws_visible;

inline constexpr res::dialog_control modal_controls[] = {
    {ok, L"Button", L"OK", control | ws_tabstop | bs_defpushbutton, 124, 140, 50, 14},
    {cancel, L"Button", L"Cancel", control | ws_tabstop | bs_pushbutton, 182, 140, 50, 14},
    {back, L"Button", L"Back", control | ws_tabstop | bs_pushbutton, 66, 140, 50, 14},
    {first_check, L"Button", L"First check", control | ws_tabstop | bs_autocheckbox, 7, 7, 100, 10},
    {second_check, L"Button", L"Second check", control | ws_tabstop | ws_group | bs_autocheckbox, 7, 19, 100, 10},
    {quick, L"Button", L"Quick", control | ws_tabstop | ws_group | bs_autoradiobutton, 7, 33, 100, 10},
    {advanced, L"Button", L"Advanced", control | bs_autoradiobutton, 7, 45, 100, 10},
    {expert, L"Button", L"Expert", control | bs_autoradiobutton, 7, 57, 100, 10},
    {status, L"Static", L"Status", control | ws_group | ss_noprefix, 7, 71, 226, 8},
    {folder, L"Edit", L"", control | ws_tabstop | ws_border | es_left | es_autohscroll, 115, 7, 118, 12},
    {log, L"Edit", L"",
     control | ws_tabstop | ws_border | ws_vscroll | ws_hscroll | es_left | es_multiline | es_readonly |
         es_autovscroll | es_autohscroll,
     115, 22, 118, 46},
    {languages, L"ComboBoxEx32", L"", control | ws_tabstop | ws_vscroll | cbs_dropdownlist, 7, 84, 110, 100},
    {progress, L"msctls_progress32", L"", control | ws_border | pbs_smooth, 123, 86, 110, 10},
    {background, L"Static", L"", control | ss_whiterect, 7, 102, 40, 30},
    {res::no_id, L"Static", L"Label", control | ss_left, 55, 102, 60, 8},
};

inline constexpr res::dialog_control page_controls[] = {
    {page_status, L"Static", L"Page status", control | ss_noprefix, 7, 7, 136, 8},
    {page_browse, L"Button", L"Browse...", control | ws_tabstop | bs_pushbutton, 93, 40, 50, 14},
};

inline constexpr res::dialog_template templates[] = {
    {modal,
     ws_popup | ws_visible | ws_clipchildren | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont | ds_fixedsys, 0,
     240, 160, L"Contract probe", modal_controls},
    {page, ws_child | ws_clipchildren | ds_control | ds_nofailcreate | ds_setfont | ds_fixedsys, 0, 150, 60, L"",
     page_controls},
};
}  // namespace detail

inline const res::dialog_template* find_template(std::uint16_t id) noexcept {
    for (const auto& dialog : detail::templates)
        if (dialog.id == id) return &dialog;
    return nullptr;
}

// A control's template row (its position in dialog units), or nullptr.
inline const res::dialog_control* find_control(std::uint16_t dialog, int id) noexcept {
    if (const auto* found = find_template(dialog))
        for (const auto& control : found->controls)
            if (control.id == id) return &control;
    return nullptr;
}

}  // namespace contract::probe
