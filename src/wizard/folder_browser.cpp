// The folder browser over the folder-picker port: start values, the picker's events and the check
// of a typed path.
#include "wizard/folder_browser.h"

#include <system_error>

#include "os/win_error.h"
#include "vd/active_owner.h"
#include "vd/system_message.h"
#include "vd/win_path.h"
#include "wizard/folder_browser_paths.h"

namespace wizard {

namespace {

// A folder the picker can start from: an absolute path or a bare drive ("D:").
bool IsUsableStart(std::wstring_view folder) {
    return vd::path::is_absolute(folder) || (folder.size() == 2 && vd::path::has_drive(folder));
}

std::int32_t AsHresult(const std::error_code& error) {
    return os::hr::from_win32(static_cast<std::uint32_t>(error.value()));
}

}  // namespace

FolderBrowser::FolderBrowser(FolderBrowserPorts ports, std::wstring_view initialFolder, std::wstring_view tail,
                             std::wstring_view title, std::optional<int> root)
    : ports_(std::move(ports)), pickerTitle_(title) {
    std::wstring rootPath;
    // A root the shell cannot resolve leaves the whole namespace to browse.
    if (root && ports_.picker.root_path(*root, rootPath)) {
        root_ = root;
        rootParent_ = vd::path::remove_file_spec(rootPath);
    }

    if (IsUsableStart(initialFolder)) proposedPath_ = initialFolder;
    if (proposedPath_.empty()) proposedPath_ = rootPath;
    if (proposedPath_.empty()) {
        try {
            proposedPath_ = ports_.knownFolders.documents(ports_.shell);
        } catch (const std::system_error&) {
            // No Documents folder either: the picker opens at its own start.
        }
    }
    if (!proposedPath_.empty() && proposedPath_.back() == L':') proposedPath_ += L'\\';
    tail_ = SanitizeTail(tail);
    ApplyTailRule();
}

std::uint32_t FolderBrowser::PickerFlags() const noexcept {
    std::uint32_t flags = os::bif::return_only_fs_dirs | os::bif::return_fs_ancestors | os::bif::new_dialog_style;
    if (!tail_.empty()) flags |= os::bif::edit_box | os::bif::validate;
    return flags;
}

std::optional<std::wstring> FolderBrowser::Browse() {
    const os::window_handle owner = vd::active_owner_window(ports_.ui);
    if (!com_) com_.emplace(ports_.picker);
    if (!com_->initialised()) {
        ShowError(owner, com_->result());
        return std::nullopt;
    }

    pickerInitialised_ = false;
    typedPathAccepted_ = false;
    editBox_ = os::window_handle::none;
    selection_.reset();
    const os::browse_request request{owner, root_, pickerTitle_, PickerFlags()};
    const std::optional<std::wstring> chosen = ports_.picker.browse(request, *this);
    if (!chosen) return std::nullopt;
    if (!typedPathAccepted_) proposedPath_ = *chosen;
    return proposedPath_;
}

std::wstring FolderBrowser::RelativeToRootParent() const {
    if (!root_) return proposedPath_;
    return RelativeBelow(rootParent_, proposedPath_).value_or(proposedPath_);
}

void FolderBrowser::ApplyTailRule() {
    // Nothing proposed stays nothing: a bare tail would be a path relative to the current directory.
    if (tail_.empty() || proposedPath_.empty()) return;
    proposedPath_ = WithTail(proposedPath_, tail_);
    // Inside a rooted picker the edit box speaks from the Start menu down.
    if (root_) {
        if (auto relative = RelativeBelow(rootParent_, proposedPath_)) proposedPath_ = *std::move(relative);
    }
}

std::optional<std::wstring> FolderBrowser::NearestExistingFolder() const {
    std::wstring folder = root_ ? vd::path::append(rootParent_, proposedPath_) : proposedPath_;
    if (folder.size() >= vd::path::max_path) return std::nullopt;
    while (!folder.empty()) {
        if (ports_.picker.is_directory(folder)) return folder;
        std::wstring up = vd::path::remove_file_spec(folder);
        if (up == folder) break;
        folder = std::move(up);
    }
    return std::nullopt;
}

void FolderBrowser::ShowProposedPath() {
    if (editBox_ != os::window_handle::none) ports_.picker.replace_edit_text(editBox_, proposedPath_);
}

void FolderBrowser::initialized(os::window_handle picker) {
    pickerInitialised_ = true;
    const std::optional<std::wstring> folder = NearestExistingFolder();
    if (folder) {
        // Known before the shell reports it back from inside set_selection.
        selection_ = folder;
        ports_.picker.set_selection(picker, *folder);
        ports_.picker.set_expanded(picker, *folder);
    }
    if (!tail_.empty()) {
        editBox_ = ports_.picker.find_edit_box(picker);
        if (folder) ShowProposedPath();
    }
}

void FolderBrowser::selection_changed(os::window_handle picker, const std::optional<std::wstring>& path) {
    if (!pickerInitialised_) return;
    if (path && selection_ && vd::path::equal_ignore_case_canonical(*path, *selection_)) return;
    selection_ = path;
    // An item without a file-system path keeps the proposal as it is (the tail is on it already).
    if (path) {
        proposedPath_ = *path;
        ApplyTailRule();
    }
    ShowProposedPath();
    if (tail_.empty()) ports_.picker.enable_ok(picker, path.has_value());
}

bool FolderBrowser::validation_failed(os::window_handle picker, std::wstring_view typed) {
    TypedPath typedPath = QualifyTyped(typed);
    if (typedPath.error != 0) {
        ShowError(picker, typedPath.error);
        return true;
    }
    proposedPath_ = std::move(typedPath.path);
    typedPathAccepted_ = true;
    return false;
}

FolderBrowser::TypedPath FolderBrowser::QualifyTyped(std::wstring_view typed) const {
    // The text and its qualified form must fit the shell's MAX_PATH buffers.
    if (typed.size() >= vd::path::max_path) return {{}, path_too_long_error};
    std::wstring text = TrimTypedPath(typed);
    if (text.empty()) {
        if (const std::error_code error = ports_.picker.current_directory(text)) return {{}, AsHresult(error)};
    }
    TypedPath qualified = Qualify(text);
    if (qualified.error != 0) return qualified;
    if (qualified.path.size() >= vd::path::max_path) return {{}, path_too_long_error};
    if (root_ && !vd::path::is_within(rootParent_, qualified.path)) return {{}, bad_pathname_error};
    if (!HasOnlyFolderPathCharacters(qualified.path)) return {{}, bad_pathname_error};
    return qualified;
}

FolderBrowser::TypedPath FolderBrowser::Qualify(const std::wstring& text) const {
    TypedPath result;
    if (!root_) {
        if (!ports_.picker.search_and_qualify(text, result.path)) return {{}, bad_pathname_error};
        return result;
    }
    // A relative text names a folder below the Start menu: qualify it from there.
    std::wstring previous;
    if (const std::error_code error = ports_.picker.current_directory(previous)) return {{}, AsHresult(error)};
    if (const std::error_code error = ports_.picker.set_current_directory(rootParent_)) {
        return {{}, AsHresult(error)};
    }
    const bool qualified = ports_.picker.search_and_qualify(text, result.path);
    if (const std::error_code error = ports_.picker.set_current_directory(previous)) return {{}, AsHresult(error)};
    if (!qualified) return {{}, bad_pathname_error};
    return result;
}

void FolderBrowser::ShowError(os::window_handle owner, std::int32_t code) const {
    const bool rightToLeft = owner != os::window_handle::none
                                 ? (ports_.ui.extended_style(owner) & os::ws_ex::layout_rtl) != 0
                                 : ports_.ownerlessRightToLeft && ports_.ownerlessRightToLeft();
    std::uint32_t type = os::mb::icon_exclamation;  // MB_ICONWARNING
    if (rightToLeft) type |= os::mb::rtl_reading;
    (void)ports_.picker.message_box(owner, vd::system_message(ports_.systemText, code, 0), type);
}

std::wstring BrowseInstallFolder(const FolderBrowserPorts& ports, std::wstring_view initialFolder,
                                 std::wstring_view tail, std::wstring_view title) {
    FolderBrowser browser(ports, initialFolder, tail, title, std::nullopt);
    return browser.Browse().value_or(std::wstring());
}

std::pair<std::wstring, std::wstring> BrowseMenuFolder(const FolderBrowserPorts& ports, std::wstring_view initialFolder,
                                                       std::wstring_view tail, std::wstring_view title) {
    FolderBrowser browser(ports, initialFolder, tail, title, os::csidl::common_programs);
    std::optional<std::wstring> chosen = browser.Browse();
    if (!chosen) return {};
    return {*std::move(chosen), browser.RelativeToRootParent()};
}

}  // namespace wizard
