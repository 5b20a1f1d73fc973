// The folder-picker port: the shell's folder picker (SHBrowseForFolderW) with its callback and the
// messages a callback sends to it, and the few process and path calls that go with choosing a
// folder there: PathIsDirectoryW, the current directory, PathSearchAndQualifyW, COM for the thread.
//
// The picker runs modally inside browse(); its events reach a folder_picker_events object, which
// may use the picker-side operations on the picker window it is given until browse() returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "os/user_interface.h"

namespace os {

// BROWSEINFOW.ulFlags bits (BIF_*).
namespace bif {
inline constexpr std::uint32_t return_only_fs_dirs = 0x0001;
inline constexpr std::uint32_t dont_go_below_domain = 0x0002;
inline constexpr std::uint32_t status_text = 0x0004;
inline constexpr std::uint32_t return_fs_ancestors = 0x0008;
inline constexpr std::uint32_t edit_box = 0x0010;
inline constexpr std::uint32_t validate = 0x0020;
inline constexpr std::uint32_t new_dialog_style = 0x0040;
}  // namespace bif

// What the picker tells its callback (BFFCALLBACK).  Called on the thread that runs browse().
class folder_picker_events {
public:
    virtual ~folder_picker_events() = default;

    // BFFM_INITIALIZED: the picker's window exists and is about to be shown.
    virtual void initialized(window_handle picker) = 0;
    // BFFM_SELCHANGED: the selection changed; `path` is its file-system path (SHGetPathFromIDListW),
    // none for an item that has no file-system path.  The shell reports a selection that
    // BFFM_SETSELECTIONW makes as well, possibly from inside that call.
    virtual void selection_changed(window_handle picker, const std::optional<std::wstring>& path) = 0;
    // BFFM_VALIDATEFAILEDW (with bif::validate): OK was pressed while the edit box names no existing
    // item; `typed` is the edit box's text.  True keeps the picker open, false lets it close.
    [[nodiscard]] virtual bool validation_failed(window_handle picker, std::wstring_view typed) = 0;
};

// How the picker is opened (BROWSEINFOW); it shows no display-name buffer.
struct browse_request {
    window_handle owner = window_handle::none;
    // The special folder at the top of the tree (SHGetSpecialFolderLocation of this CSIDL); none
    // (or a CSIDL that cannot be resolved) shows the whole namespace from the desktop.
    std::optional<int> root;
    // The text above the tree; empty shows none.
    std::wstring title;
    std::uint32_t flags = 0;
};

class folder_picker {
public:
    virtual ~folder_picker() = default;

    // --- the picker --------------------------------------------------------------------------
    // SHBrowseForFolderW: runs the picker modally, the returned item freed with CoTaskMemFree.
    // Returns the chosen item's file-system path; none when the user cancelled or when the chosen
    // item has no file-system path.
    [[nodiscard]] virtual std::optional<std::wstring> browse(const browse_request& request,
                                                             folder_picker_events& events) = 0;
    // The file-system path of a special folder's item (SHGetSpecialFolderLocation, then
    // SHGetPathFromIDListW): what a browse_request::root shows at the top.  False when the folder
    // cannot be resolved or has no file-system path; `path` is unchanged then.
    [[nodiscard]] virtual bool root_path(int csidl, std::wstring& path) = 0;

    // --- sent to an open picker from its events ---------------------------------------------
    // BFFM_SETSELECTIONW(TRUE, path): selects the folder when the tree shows it; otherwise nothing.
    virtual void set_selection(window_handle picker, std::wstring_view path) = 0;
    // BFFM_SETEXPANDED(TRUE, path): expands the folder's tree item when the tree shows it.
    virtual void set_expanded(window_handle picker, std::wstring_view path) = 0;
    // BFFM_ENABLEOK.
    virtual void enable_ok(window_handle picker, bool enable) = 0;
    // FindWindowExW(picker, none, "Edit", none): the picker's first edit control, or none.
    [[nodiscard]] virtual window_handle find_edit_box(window_handle picker) = 0;
    // SetWindowTextW, then EM_SETSEL(0, -1): the edit control shows `text`, all of it selected, so
    // that typing replaces it.
    virtual void replace_edit_text(window_handle edit, std::wstring_view text) = 0;
    // MessageBoxW(owner, text, no caption, type): the system's own title ("Error").  Returns the
    // pressed button, 0 when the box could not be shown.
    virtual int message_box(window_handle owner, std::wstring_view text, std::uint32_t type) = 0;

    // --- the process and paths ---------------------------------------------------------------
    // PathIsDirectoryW: an existing folder (a relative path is taken from the current directory).
    [[nodiscard]] virtual bool is_directory(std::wstring_view path) = 0;
    // GetCurrentDirectoryW: the process's current directory; on error `path` is unchanged.
    [[nodiscard]] virtual std::error_code current_directory(std::wstring& path) = 0;
    // SetCurrentDirectoryW: 2 or 3 for a folder that does not exist; on error nothing changed.
    [[nodiscard]] virtual std::error_code set_current_directory(std::wstring_view path) = 0;
    // PathSearchAndQualifyW: a name found on the search path (the program's folder, the current
    // directory, the system folders, PATH), else the full path of `path` from the current
    // directory and drive (GetFullPathNameW: separators made '\', "." and ".." applied, trailing
    // dots and spaces of the last element dropped).  The result is whole even when it is longer
    // than MAX_PATH, so that the caller can refuse it; false when the system cannot qualify the
    // path, `qualified` unchanged then.
    [[nodiscard]] virtual bool search_and_qualify(std::wstring_view path, std::wstring& qualified) = 0;

    // --- COM for the calling thread (see com_scope) ----------------------------------------------
    // CoInitialize(nullptr): S_OK, S_FALSE when the thread had it already (both need a matching
    // uninitialize_com), or a failing HRESULT such as RPC_E_CHANGED_MODE.
    [[nodiscard]] virtual std::int32_t initialize_com() = 0;
    // CoUninitialize.
    virtual void uninitialize_com() = 0;
};

// COM initialised for the calling thread for the life of the object, when initialisation
// succeeds; see CoInitialize and CoUninitialize.
class com_scope {
public:
    explicit com_scope(folder_picker& picker) : picker_(&picker), result_(picker.initialize_com()) {
        if (result_ < 0) picker_ = nullptr;
    }
    com_scope(const com_scope&) = delete;
    com_scope& operator=(const com_scope&) = delete;
    ~com_scope() {
        if (picker_ != nullptr) picker_->uninitialize_com();
    }

    [[nodiscard]] bool initialised() const noexcept { return picker_ != nullptr; }
    // CoInitialize's HRESULT.
    [[nodiscard]] std::int32_t result() const noexcept { return result_; }

private:
    folder_picker* picker_;
    std::int32_t result_;
};

}  // namespace os
