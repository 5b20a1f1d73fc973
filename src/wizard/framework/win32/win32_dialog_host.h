// Win32-only: the dialog-host port over a real dialog window: each operation is the message or
// call that dialog_host.h names, sent to the dialog or to its control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>

#include "os/win32/unique_handle.h"
#include "wizard/framework/dialog_host.h"

namespace wizard {

class win32_dialog_system;

namespace detail {
struct image_list_traits {
    using type = HIMAGELIST;
    static type invalid() noexcept { return nullptr; }
    static void close(type list) noexcept { ImageList_Destroy(list); }
};
}  // namespace detail

// An image list the host made (ImageList_Create); see ImageList_Destroy.
using unique_himagelist = os::win32::unique_any<detail::image_list_traits>;

class win32_dialog_host final : public dialog_host {
public:
    // Attached by the dialog procedure at WM_INITDIALOG and detached at WM_NCDESTROY.
    win32_dialog_host(HWND window, win32_dialog_system& system, bool modal) noexcept
        : window_(window), system_(system), modal_(modal) {}
    // When the dialog object goes before its window (a child dialog whose CDialog is destroyed),
    // the window stops calling it and a child window is destroyed.
    ~win32_dialog_host() override;
    win32_dialog_host(const win32_dialog_host&) = delete;
    win32_dialog_host& operator=(const win32_dialog_host&) = delete;

    [[nodiscard]] os::window_handle window() const override;
    void set_title(std::wstring_view title) override;
    [[nodiscard]] std::wstring title() override;
    void show(bool visible) override;
    [[nodiscard]] bool is_visible() override;
    [[nodiscard]] bool is_minimized() override;
    [[nodiscard]] rect window_rect() override;
    [[nodiscard]] rect client_rect() override;
    void set_position(const rect& where, bool move, bool size) override;
    void set_big_icon(os::icon_handle icon) override;
    void append_system_menu_separator() override;
    void append_system_menu_item(unsigned command, std::wstring_view text) override;
    void modify_system_menu_item(unsigned command, std::wstring_view text) override;
    void delete_system_menu_item(unsigned command) override;
    void enable_system_menu_item(unsigned command, bool enable) override;
    [[nodiscard]] bool has_control(int id) override;
    void set_text(int id, std::wstring_view text) override;
    [[nodiscard]] std::wstring text(int id) override;
    void enable(int id, bool enable) override;
    [[nodiscard]] bool is_enabled(int id) override;
    void show_control(int id, bool visible) override;
    [[nodiscard]] bool is_control_visible(int id) override;
    void set_check(int id, bool checked) override;
    [[nodiscard]] bool is_checked(int id) override;
    [[nodiscard]] std::vector<int> radio_group(int first) override;
    [[nodiscard]] rect control_rect(int id) override;
    void move_control(int id, const rect& where) override;
    void set_focus(int id) override;
    void set_default_button(int id) override;
    [[nodiscard]] int default_button() override;
    [[nodiscard]] int text_width(int id, std::wstring_view text) override;
    void set_read_only(int id, bool read_only) override;
    void limit_text(int id, std::size_t maximum) override;
    [[nodiscard]] bool is_read_only(int id) override;
    [[nodiscard]] std::pair<int, int> edit_margins(int id) override;
    [[nodiscard]] rect control_client_rect(int id) override;
    void append_edit_text(int id, std::wstring_view text) override;
    void scroll_edit_lines(int id, int lines) override;
    [[nodiscard]] int first_visible_line(int id) override;
    void set_progress_range(int id, int low, int high) override;
    void set_progress_position(int id, int position) override;
    [[nodiscard]] int progress_position(int id) override;
    void create_list_images(int id, int width, int height, int initial, int grow) override;
    int add_list_item(int id, std::wstring_view text, std::uint16_t icon_id, int icon_width, int icon_height,
                      std::intptr_t data) override;
    [[nodiscard]] int list_selection(int id) override;
    void select_list_item(int id, int position) override;
    [[nodiscard]] std::optional<std::intptr_t> list_item_data(int id, int position) override;
    [[nodiscard]] int list_count(int id) override;
    [[nodiscard]] std::wstring list_item_text(int id, int position) override;
    [[nodiscard]] int list_text_width(int id, std::wstring_view text) override;
    void set_dropped_width(int id, int width) override;
    // EndDialog for a modal dialog; DestroyWindow for a child, after which this host is gone.
    void end_dialog(int result) override;

    [[nodiscard]] HWND hwnd() const noexcept { return window_; }
    [[nodiscard]] win32_dialog_system& system() const noexcept { return system_; }
    // True once end_dialog has been called on a modal dialog (the window lives until the dialog
    // manager's loop returns).
    [[nodiscard]] bool ended() const noexcept { return ended_; }

private:
    // GetDlgItem; with a class name, only a control of that class.
    [[nodiscard]] HWND item(int id) const noexcept;
    [[nodiscard]] HWND item(int id, const wchar_t* class_name) const noexcept;
    [[nodiscard]] HWND edit(int id) const noexcept;
    [[nodiscard]] HWND list(int id) const noexcept;
    [[nodiscard]] HWND progress(int id) const noexcept;

    HWND window_;
    win32_dialog_system& system_;
    bool modal_;
    bool ended_ = false;
    std::map<int, unique_himagelist> images_;  // the lists' image lists, by control id
};

}  // namespace wizard
