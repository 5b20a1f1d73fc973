// The Browse buttons' folder picker: the shell's picker opened at the proposed folder, keeping the
// product's own sub-folder (the tail) at the end of whatever folder the user selects, and checking
// a path the user types before it is taken as typed.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "os/folder_picker.h"
#include "os/shell_folders.h"
#include "os/system_text.h"
#include "os/user_interface.h"
#include "os/win_error.h"
#include "vd/known_folders.h"

namespace wizard {

// The errors a typed path is refused with (shown with the system's text for them).
inline constexpr std::int32_t path_too_long_error = os::hr::from_win32(os::errc::filename_exced_range);
inline constexpr std::int32_t bad_pathname_error = static_cast<std::int32_t>(os::errc::bad_pathname);

// What the folder browser needs from the system.
struct FolderBrowserPorts {
    os::folder_picker& picker;
    os::user_interface& ui;
    os::system_text& systemText;
    os::shell_folders& shell;
    // The Documents folder for a browser that has no other start.
    vd::known_folders& knownFolders;
    // Whether an ownerless box reads right to left: IsRightToLeft(DefaultLanguage(0)).  Empty:
    // left to right.
    std::function<bool()> ownerlessRightToLeft;
};

// One Browse click: the picker opened once, its answer, and for a rooted picker the answer's path
// relative to the root's parent folder.
class FolderBrowser final : private os::folder_picker_events {
public:
    // `root` is the CSIDL of the folder at the top of the tree, or none for the whole namespace.
    FolderBrowser(FolderBrowserPorts ports, std::wstring_view initialFolder, std::wstring_view tail,
                  std::wstring_view title, std::optional<int> root);
    FolderBrowser(const FolderBrowser&) = delete;
    FolderBrowser& operator=(const FolderBrowser&) = delete;
    ~FolderBrowser() override = default;

    // Shows the picker and returns the chosen absolute folder; none when the user cancelled, when
    // the chosen item is no file-system folder, or when COM could not be initialised (after a box
    // that says why).
    [[nodiscard]] std::optional<std::wstring> Browse();

    // The chosen folder relative to the root's parent folder ("" when they are the same), or the
    // folder itself when it does not lie below it or the picker has no root.
    [[nodiscard]] std::wstring RelativeToRootParent() const;

    // BROWSEINFOW.ulFlags: file-system folders and their ancestors in the new dialog style, with
    // the validated edit box when there is a tail.
    [[nodiscard]] std::uint32_t PickerFlags() const noexcept;
    [[nodiscard]] const std::wstring& ProposedPath() const noexcept { return proposedPath_; }
    [[nodiscard]] const std::wstring& Tail() const noexcept { return tail_; }

private:
    void SetStartValues(std::wstring_view initialFolder);
    // The tail kept at the end of proposedPath_, which is then held relative to the root's parent.
    void ApplyTailRule();
    // The folder the picker should show first: the nearest existing one of the proposed path.
    [[nodiscard]] std::optional<std::wstring> NearestExistingFolder() const;
    // A typed path qualified as a folder path, or the error that refuses it.
    struct TypedPath {
        std::wstring path;
        std::int32_t error = 0;
    };
    [[nodiscard]] TypedPath QualifyTyped(std::wstring_view typed) const;
    // PathSearchAndQualifyW of the text, from the root's parent when there is a root.
    [[nodiscard]] TypedPath Qualify(const std::wstring& text) const;
    void ShowError(os::window_handle owner, std::int32_t code) const;
    void ShowProposedPath();

    // folder_picker_events
    void initialized(os::window_handle picker) override;
    void selection_changed(os::window_handle picker, const std::optional<std::wstring>& path) override;
    bool validation_failed(os::window_handle picker, std::wstring_view typed) override;

    FolderBrowserPorts ports_;
    std::wstring proposedPath_;
    std::wstring tail_;
    std::wstring pickerTitle_;
    std::optional<int> root_;
    std::wstring rootParent_;
    std::optional<os::com_scope> com_;
    bool pickerInitialised_ = false;
    bool typedPathAccepted_ = false;
    os::window_handle editBox_ = os::window_handle::none;
    // The selection the picker shows, so that a repeated report of it (the shell reports the
    // selection the browser itself makes) is not taken for the user's choice.
    std::optional<std::wstring> selection_;
};

// The installation folder: the picker over the whole namespace.  Returns the chosen absolute
// folder, or empty when the user cancelled.
[[nodiscard]] std::wstring BrowseInstallFolder(const FolderBrowserPorts& ports, std::wstring_view initialFolder,
                                               std::wstring_view tail, std::wstring_view title);

// The Start-menu folder: the picker rooted at the common Start menu's Programs folder.  Returns
// the chosen absolute folder (empty when cancelled) and its path relative to the Start menu (the
// root's parent; empty when the two are equal).
[[nodiscard]] std::pair<std::wstring, std::wstring> BrowseMenuFolder(const FolderBrowserPorts& ports,
                                                                     std::wstring_view initialFolder,
                                                                     std::wstring_view tail, std::wstring_view title);

}  // namespace wizard
