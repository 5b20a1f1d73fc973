// The dialog-host port: one dialog window as the wizard's code sees it.  The Win32 host works on a
// real dialog (an HWND made from the program's templates); the headless host keeps the same state
// in memory, so every page is tested natively.
//
// Controls are addressed by their dialog id.  An operation on an id the dialog does not have does
// nothing and a query answers 0, empty or false, as the dialog manager does for a missing control.
// Rectangles are pixels: control rectangles in the dialog's client coordinates, the dialog's own
// rectangle in its parent's client coordinates (screen coordinates for a top-level dialog).
#pragma once

#include "os/user_interface.h"
#include "wizard/framework/geometry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace wizard {

// System-menu command ids (SC_*).
namespace sc {
inline constexpr unsigned size = 0xF000;
inline constexpr unsigned move = 0xF010;
inline constexpr unsigned minimize = 0xF020;
inline constexpr unsigned maximize = 0xF030;
inline constexpr unsigned close = 0xF060;
inline constexpr unsigned restore = 0xF120;
}  // namespace sc

// Notification codes of WM_COMMAND that the wizard handles.
namespace notify {
inline constexpr int clicked = 0;           // BN_CLICKED
inline constexpr int selection_change = 1;  // CBN_SELCHANGE
}  // namespace notify

class dialog_host {
public:
    virtual ~dialog_host() = default;

    // The dialog window itself.
    [[nodiscard]] virtual os::window_handle window() const = 0;
    virtual void set_title(std::wstring_view title) = 0;  // SetWindowTextW
    [[nodiscard]] virtual std::wstring title() = 0;
    virtual void show(bool visible) = 0;  // ShowWindow SW_SHOW / SW_HIDE
    [[nodiscard]] virtual bool is_visible() = 0;
    [[nodiscard]] virtual bool is_minimized() = 0;  // IsIconic
    [[nodiscard]] virtual rect window_rect() = 0;
    [[nodiscard]] virtual rect client_rect() = 0;  // GetClientRect: left and top are 0
    // SetWindowPos without z-order change, redraw or activation; `move` and `size` say which of the
    // rectangle's parts apply (SWP_NOMOVE / SWP_NOSIZE for the others).
    virtual void set_position(const rect& where, bool move, bool size) = 0;
    virtual void set_big_icon(os::icon_handle icon) = 0;  // WM_SETICON ICON_BIG

    // The system menu (GetSystemMenu).  Commands are matched by command id.
    virtual void append_system_menu_separator() = 0;
    virtual void append_system_menu_item(unsigned command, std::wstring_view text) = 0;
    virtual void modify_system_menu_item(unsigned command, std::wstring_view text) = 0;  // ModifyMenuW
    virtual void delete_system_menu_item(unsigned command) = 0;                          // DeleteMenu
    virtual void enable_system_menu_item(unsigned command, bool enable) = 0;             // EnableMenuItem

    // Controls.
    [[nodiscard]] virtual bool has_control(int id) = 0;
    virtual void set_text(int id, std::wstring_view text) = 0;  // SetDlgItemTextW
    [[nodiscard]] virtual std::wstring text(int id) = 0;        // GetDlgItemTextW
    virtual void enable(int id, bool enable) = 0;
    [[nodiscard]] virtual bool is_enabled(int id) = 0;
    virtual void show_control(int id, bool visible) = 0;
    // The control's own WS_VISIBLE: true for a shown control of a hidden page.
    [[nodiscard]] virtual bool is_control_visible(int id) = 0;
    virtual void set_check(int id, bool checked) = 0;  // BM_SETCHECK
    [[nodiscard]] virtual bool is_checked(int id) = 0;
    // The buttons of the radio group that starts at `first` (WS_GROUP), in tab order.
    [[nodiscard]] virtual std::vector<int> radio_group(int first) = 0;
    [[nodiscard]] virtual rect control_rect(int id) = 0;
    virtual void move_control(int id, const rect& where) = 0;  // without redraw
    virtual void set_focus(int id) = 0;                        // WM_NEXTDLGCTL to the control
    virtual void set_default_button(int id) = 0;               // DM_SETDEFID
    [[nodiscard]] virtual int default_button() = 0;            // DM_GETDEFID; 0 when none

    // Text measurement in the control's own font (GetTextExtentPoint32W in a DC of the control).
    [[nodiscard]] virtual int text_width(int id, std::wstring_view text) = 0;

    // Edit controls.
    virtual void set_read_only(int id, bool read_only) = 0;    // EM_SETREADONLY
    virtual void limit_text(int id, std::size_t maximum) = 0;  // EM_LIMITTEXT
    [[nodiscard]] virtual bool is_read_only(int id) = 0;
    // EM_GETMARGINS: the left and right margins in pixels.
    [[nodiscard]] virtual std::pair<int, int> edit_margins(int id) = 0;
    [[nodiscard]] virtual rect control_client_rect(int id) = 0;
    // Caret to the end (EM_SETSEL 0x7FFFFFFF, -1), EM_SCROLLCARET, EM_REPLACESEL (not undoable).
    virtual void append_edit_text(int id, std::wstring_view text) = 0;
    virtual void scroll_edit_lines(int id, int lines) = 0;     // EM_LINESCROLL 0, lines
    [[nodiscard]] virtual int first_visible_line(int id) = 0;  // EM_GETFIRSTVISIBLELINE

    // Progress bars.
    virtual void set_progress_range(int id, int low, int high) = 0;  // PBM_SETRANGE32
    virtual void set_progress_position(int id, int position) = 0;    // PBM_SETPOS
    [[nodiscard]] virtual int progress_position(int id) = 0;

    // Extended combo boxes (ComboBoxEx32) with an image list of the host's own.
    // ImageList_Create(width, height, ILC_COLOR24, initial, grow) given to the list (CBEM_SETIMAGELIST).
    virtual void create_list_images(int id, int width, int height, int initial, int grow) = 0;
    // Loads icon `icon_id` of the program's resources at `icon_width` x `icon_height`, adds it to the
    // list's images (-1 when that fails) and inserts an item at the end with that image as image and
    // selected image.  Answers the item's position, or -1.
    virtual int add_list_item(int id, std::wstring_view text, std::uint16_t icon_id, int icon_width, int icon_height,
                              std::intptr_t data) = 0;
    [[nodiscard]] virtual int list_selection(int id) = 0;     // CB_GETCURSEL; -1 when none
    virtual void select_list_item(int id, int position) = 0;  // CB_SETCURSEL
    // CBEM_GETITEM with CBEIF_LPARAM: nothing when the item does not exist.
    [[nodiscard]] virtual std::optional<std::intptr_t> list_item_data(int id, int position) = 0;
    [[nodiscard]] virtual int list_count(int id) = 0;
    [[nodiscard]] virtual std::wstring list_item_text(int id, int position) = 0;
    // The width of a text in the font of the list's inner combo box.
    [[nodiscard]] virtual int list_text_width(int id, std::wstring_view text) = 0;
    virtual void set_dropped_width(int id, int width) = 0;  // CB_SETDROPPEDWIDTH

    // EndDialog (a modal dialog) or DestroyWindow (a child dialog): the dialog ends with `result`.
    virtual void end_dialog(int result) = 0;
};

}  // namespace wizard
