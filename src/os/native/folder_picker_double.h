// Native double of the folder-picker port: a user who acts on the picker from a script (select a
// folder in the tree, type into the edit box, press OK or Cancel), a model of the folders that
// exist, the process's current directory and COM's initialisation count.
//
// The picker is a window of the scripted user interface while it is open (a popup owned by the
// request's owner, which is disabled meanwhile) with an "Edit" child when the request asks for
// an edit box.  Its events reach the caller as the shell sends them: the first selection before
// BFFM_INITIALIZED, a selection made by set_selection from inside that call.
//
//     os::native::scripted_ui ui;
//     os::native::folder_picker_double picker(ui);
//     picker.add_folder(L"D:\\Apps");
//     picker.select(L"D:\\Apps").press_ok();
//     ... code under test calls picker.browse(...) ...
//     EXPECT_EQ(picker.last_session().edit_text, L"D:\\Apps\\Lignotek 7");
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "os/folder_picker.h"
#include "os/native/user_interface_double.h"

namespace os::native {

// A box the picker's port showed (it has no caption: the system's own title).
struct picker_box {
    window_handle owner = window_handle::none;
    std::wstring text;
    std::uint32_t type = 0;
};

// What one browse() showed and what its events did to the picker.
struct picker_session {
    browse_request request;
    window_handle picker = window_handle::none;
    window_handle edit_box = window_handle::none;  // with bif::edit_box
    int com_depth = 0;                             // COM initialisations of the thread while it was open
    bool owner_disabled = false;                   // the owner was disabled while it was open
    std::optional<std::wstring> selection;         // at the end; none for an item without a path
    std::vector<std::wstring> selections_set;      // BFFM_SETSELECTIONW paths, as sent
    std::vector<std::wstring> expanded;            // BFFM_SETEXPANDED paths, as sent
    std::vector<bool> ok_states;                   // BFFM_ENABLEOK, as sent
    bool ok_enabled = true;
    std::wstring edit_text;
    bool edit_text_all_selected = false;
    std::vector<std::wstring> validations;  // the texts BFFM_VALIDATEFAILEDW reported
    bool script_ran_out = false;            // the script ended with the picker open: cancelled
};

class folder_picker_double final : public folder_picker {
public:
    // The folders of a default installation exist: C:\Windows, the user's profile "tester" with
    // Desktop and Documents, Program Files, and the common Start menu with its Programs folder
    // (the root of CSIDL_COMMON_PROGRAMS).  The current directory is C:\Users\tester.
    explicit folder_picker_double(scripted_ui& ui);

    // --- the machine ---------------------------------------------------------------------------
    // The folder and its parents exist from now on, spelled as given where they are new.
    void add_folder(std::wstring_view path);
    // The folder a CSIDL names as a picker root (it is added); "" makes the CSIDL unresolvable.
    void set_root_path(int csidl, std::wstring path);
    // The tree's first selection in a picker without a root (the desktop's folder).
    void set_desktop_path(std::wstring path);
    // CoInitialize fails with `hresult` from now on (0 lets it succeed again).
    void fail_com(std::int32_t hresult) { com_failure_ = hresult; }
    [[nodiscard]] int com_depth() const noexcept { return com_depth_; }
    // GetCurrentDirectoryW / SetCurrentDirectoryW fail with a Windows error from now on (0: succeed).
    void fail_current_directory(std::uint32_t error) { get_directory_failure_ = error; }
    void fail_set_current_directory(std::uint32_t error) { set_directory_failure_ = error; }
    // The picker window's extended style (WS_EX_LAYOUTRTL for a mirrored picker).
    void set_picker_extended_style(std::uint32_t style) { picker_extended_style_ = style; }

    // --- the user's actions in the next picker, in order; may be added while it is open -----------
    // Selects a folder in the tree: it must exist and, in a rooted picker, lie below the root.
    folder_picker_double& select(std::wstring path);
    // Selects an item that has no file-system path (a library, the network).
    folder_picker_double& select_item_without_path();
    // Types into the edit box: it then holds `text`.
    folder_picker_double& type(std::wstring text);
    // Presses OK: nothing while OK is disabled; an edit box text that names an existing folder of
    // the tree (on its own or below the selection; blanks name nothing) closes the picker with that
    // folder; another text is reported for validation with bif::validate, which may keep the
    // picker open; otherwise the picker closes with the selection.
    folder_picker_double& press_ok();
    folder_picker_double& cancel();

    [[nodiscard]] const std::vector<picker_session>& sessions() const noexcept { return sessions_; }
    // The session of the last browse(); empty before any.
    [[nodiscard]] const picker_session& last_session() const;
    [[nodiscard]] const std::vector<picker_box>& boxes() const noexcept { return boxes_; }
    void clear_boxes() { boxes_.clear(); }

    // --- the port --------------------------------------------------------------------------------
    std::optional<std::wstring> browse(const browse_request& request, folder_picker_events& events) override;
    bool root_path(int csidl, std::wstring& path) override;
    void set_selection(window_handle picker, std::wstring_view path) override;
    void set_expanded(window_handle picker, std::wstring_view path) override;
    void enable_ok(window_handle picker, bool enable) override;
    window_handle find_edit_box(window_handle picker) override;
    void replace_edit_text(window_handle edit, std::wstring_view text) override;
    int message_box(window_handle owner, std::wstring_view text, std::uint32_t type) override;
    bool is_directory(std::wstring_view path) override;
    std::error_code current_directory(std::wstring& path) override;
    std::error_code set_current_directory(std::wstring_view path) override;
    // GetFullPathNameW's rules from the current directory (the double has no search path).
    bool search_and_qualify(std::wstring_view path, std::wstring& qualified) override;
    std::int32_t initialize_com() override;
    void uninitialize_com() override;

private:
    struct action {
        enum class kind { select, select_without_path, type, ok, cancel } what;
        std::wstring text;
    };
    // The open picker.
    struct open_picker {
        folder_picker_events* events = nullptr;
        std::size_t session = 0;  // index into sessions_
        std::optional<std::wstring> result;
        bool closed = false;
    };

    [[nodiscard]] std::optional<std::wstring> full_path(std::wstring_view path) const;
    // The folder's spelling in the model, or none when it does not exist.
    [[nodiscard]] std::optional<std::wstring> existing(std::wstring_view path) const;
    // The folder exists and the open picker's tree shows it.
    [[nodiscard]] std::optional<std::wstring> in_tree(std::wstring_view path) const;
    [[nodiscard]] bool is_open(window_handle picker) const;
    [[nodiscard]] picker_session& session();
    void change_selection(const std::optional<std::wstring>& path);
    void run(const action& next);
    void press_ok_now();
    void close(std::optional<std::wstring> result);

    scripted_ui& ui_;
    std::map<std::wstring, std::wstring> folders_;  // folded canonical path -> spelling
    std::map<int, std::wstring> roots_;
    std::wstring desktop_;
    std::wstring current_directory_;
    std::int32_t com_failure_ = 0;
    int com_depth_ = 0;
    std::uint32_t get_directory_failure_ = 0;
    std::uint32_t set_directory_failure_ = 0;
    std::uint32_t picker_extended_style_ = 0;
    std::deque<action> script_;
    std::optional<open_picker> open_;
    std::vector<picker_session> sessions_;
    std::vector<picker_box> boxes_;
};

}  // namespace os::native
