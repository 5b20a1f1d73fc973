// The wizard's frame, its six pages and the About box as dialog templates.  The pages are child
// dialogs that the frame places in its page area, so they carry the child styles and stay hidden
// until the frame shows them.
#include "res/dialog_templates.h"

#include <algorithm>

#include "res/dialog_styles.h"

namespace res {
namespace {

using namespace style;

constexpr std::uint32_t control = ws_child | ws_visible;
constexpr std::uint32_t page = ws_child | ws_clipchildren | ds_control | ds_nofailcreate | ds_setfont | ds_fixedsys;

constexpr std::wstring_view button = L"Button";
constexpr std::wstring_view static_text = L"Static";
constexpr std::wstring_view edit = L"Edit";

// Each row: id, class, initial text, style, x, y, width, height[, extended style[, image]].

// The frame: the side picture on white at the left, the page area beside it, the buttons below the
// separator.  The frame sizes itself to the largest page at run time.
constexpr dialog_control frame_controls[] = {
    {1, button, L"Next >>", control | ws_tabstop | bs_defpushbutton, 138, 118, 66, 14},
    {3, button, L"<< Back", control | ws_tabstop | bs_pushbutton, 69, 118, 66, 14},
    {2, button, L"Exit", control | ws_tabstop | bs_pushbutton, 216, 118, 50, 14},
    {1005, static_text, L"", control | ss_whiterect, -3, 0, 67, 112},
    {no_id, static_text, L"", control | ss_bitmap | ss_realsizeimage, 3, 3, 58, 105, 0, side_bitmap},
    {1002, static_text, L"", control | ss_etchedhorz, 1, 112, 272, 1},
};

// Start page.  1020 carries the welcome line between the language row and the information box.
constexpr dialog_control start_controls[] = {
    {1022, static_text, L"Select Language", control | ss_noprefix, 7, 9, 141, 8},
    {1023, L"ComboBoxEx32", L"", control | cbs_dropdownlist | ws_vscroll | ws_tabstop, 149, 7, 95, 130},
    {1020, static_text, L"Welcome", control | ss_noprefix, 7, 24, 237, 8},
    {1016, static_text, L"Info1\nInfo2\nInfo3", control | ss_sunken | ss_noprefix, 7, 38, 237, 27},
    {1003, static_text, L"Status", control | ss_noprefix, 7, 69, 237, 8},
};

// Mode page.  The status line starts a group of its own, which ends the radio group.
constexpr dialog_control mode_controls[] = {
    {1021, button, L"Mode", control | bs_groupbox, 7, 7, 265, 46, ws_ex_transparent},
    {1018, button, L"Fast", control | bs_autoradiobutton | ws_group | ws_tabstop, 14, 21, 249, 8},
    {1019, button, L"Custom", control | bs_autoradiobutton, 14, 36, 249, 8},
    {1003, static_text, L"Status", control | ss_noprefix | ws_group, 7, 67, 265, 8},
};

// Folder page.
constexpr dialog_control folder_controls[] = {
    {1008, button, L"Select Folder", control | bs_groupbox, 7, 7, 264, 52, ws_ex_transparent},
    {1009, static_text, L"Select Folder", control | ss_left, 16, 23, 245, 8},
    {1007, edit, L"", control | es_left | es_autohscroll | ws_border | ws_tabstop, 16, 39, 177, 12},
    {1006, button, L"Browse...", control | bs_pushbutton | ws_tabstop, 198, 38, 63, 14},
    {1003, static_text, L"Status", control | ss_noprefix, 7, 71, 264, 8},
};

// Shortcut page.  The Start-menu folder changes only through Browse: its edit box is read-only.
constexpr dialog_control shortcut_controls[] = {
    {1012, button, L"Start Menu", control | bs_groupbox, 7, 7, 264, 52, ws_ex_transparent},
    {1011, button, L"Menu Shortcut", control | bs_autocheckbox | ws_tabstop, 16, 23, 245, 8},
    {1007, edit, L"", control | es_left | es_autohscroll | es_readonly | ws_border | ws_tabstop, 16, 39, 177, 12},
    {1006, button, L"Browse...", control | bs_pushbutton | ws_tabstop, 198, 38, 63, 14},
    {1010, button, L"Desktop Shortcut", control | bs_autocheckbox | ws_group | ws_tabstop, 16, 70, 255, 8},
    {1003, static_text, L"Status", control | ss_noprefix, 7, 90, 264, 8},
};

// Progress page: the log box, the progress bar (hidden until the installation starts), the status line.
constexpr dialog_control progress_controls[] = {
    {1015, edit, L"",
     control | es_left | es_multiline | es_readonly | es_autovscroll | es_autohscroll | ws_vscroll | ws_hscroll |
         ws_border | ws_tabstop,
     7, 7, 205, 54},
    {1014, L"msctls_progress32", L"Progress1", control | pbs_smooth, 7, 67, 205, 10},
    {1003, static_text, L"Status", control | ss_noprefix, 7, 82, 205, 8},
};

// End page.
constexpr dialog_control end_controls[] = {
    {1016, static_text, L"Info", control | ss_noprefix, 7, 7, 228, 27},
    {1003, static_text, L"Status", control | ss_noprefix, 7, 41, 228, 8},
};

// About box: the title and copyright lines are replaced from the version resource at run time; the
// maker's contact lines stay as they are.
constexpr dialog_control about_controls[] = {
    {1, button, L"OK", control | bs_defpushbutton | ws_group | ws_tabstop, 70, 121, 50, 14},
    {no_id, static_text, L"", control | ss_icon, 9, 6, 20, 20, 0, application_icon},
    {1019, static_text, L"Install", control | ss_noprefix, 44, 6, 139, 8},
    {1020, static_text, L"Copyright \u00A9 2026 Vendrel & Vodoraru", control | ss_noprefix, 44, 18, 139, 8},
    {no_id, static_text, L"708 Timber Lane, Anytown 12345", control | ss_center | ss_noprefix, 29, 38, 134, 8},
    {no_id, static_text, L"Telephone: +1 (212) 555-0142", control | ss_center | ss_noprefix, 29, 54, 134, 8},
    {no_id, static_text, L"Fax: +1 (212) 555-0143", control | ss_center | ss_noprefix, 29, 70, 134, 8},
    {no_id, static_text, L"E-mail: info@example.com", control | ss_center | ss_noprefix, 29, 86, 134, 8},
    {no_id, static_text, L"Web: www.example.com", control | ss_center | ss_noprefix, 29, 102, 134, 8},
};

constexpr std::uint32_t frame_style =
    ws_popup | ws_visible | ws_clipchildren | ws_caption | ws_sysmenu | ds_modalframe | ds_setfont | ds_fixedsys;
constexpr std::uint32_t about_style =
    ws_popup | ws_caption | ws_sysmenu | ds_modalframe | ds_center | ds_setfont | ds_fixedsys;

// In id order.
constexpr dialog_template templates[] = {
    {dialog::about, about_style, 0, 192, 141, L"About '%1'", about_controls},
    {dialog::frame, frame_style, ws_ex_appwindow, 273, 139, L"Install", frame_controls},
    {dialog::start_page, page, 0, 251, 84, L"", start_controls},
    {dialog::folder_page, page, 0, 278, 86, L"", folder_controls},
    {dialog::shortcut_page, page, 0, 278, 105, L"", shortcut_controls},
    {dialog::progress_page, page, 0, 219, 97, L"", progress_controls},
    {dialog::mode_page, page, 0, 279, 82, L"", mode_controls},
    {dialog::end_page, page, 0, 242, 56, L"", end_controls},
};

static_assert(std::ranges::is_sorted(templates, {}, &dialog_template::id));

}  // namespace

std::span<const dialog_template> dialog_templates() noexcept { return templates; }

const dialog_template* find_dialog_template(std::uint16_t id) noexcept {
    const auto found = std::ranges::find(templates, id, &dialog_template::id);
    return found == std::ranges::end(templates) ? nullptr : &*found;
}

}  // namespace res
