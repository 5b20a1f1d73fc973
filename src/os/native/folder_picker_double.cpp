// Native double of the folder-picker port: the scripted user, the folder model and the process state.
#include "os/native/folder_picker_double.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "os/shell_folders.h"
#include "os/win_error.h"
#include "vd/win_path.h"

namespace os::native {

namespace {

constexpr wchar_t default_programs[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";

std::wstring key_of(std::wstring_view canonical) { return vd::path::folded(vd::path::canonicalize(canonical)); }

bool same_folder(const std::optional<std::wstring>& a, const std::optional<std::wstring>& b) {
    if (!a || !b) return !a && !b;
    return vd::path::equal_ignore_case_canonical(*a, *b);
}

}  // namespace

folder_picker_double::folder_picker_double(scripted_ui& ui)
    : ui_(ui), desktop_(L"C:\\Users\\tester\\Desktop"), current_directory_(L"C:\\Users\\tester") {
    for (const wchar_t* folder : {L"C:\\Windows\\system32", L"C:\\Users\\tester\\Desktop",
                                  L"C:\\Users\\tester\\Documents", L"C:\\Program Files", default_programs}) {
        add_folder(folder);
    }
    roots_[csidl::common_programs] = default_programs;
}

void folder_picker_double::add_folder(std::wstring_view path) {
    const std::wstring canonical = vd::path::canonicalize(path);
    std::wstring folder(vd::path::root(canonical));
    folders_.try_emplace(key_of(folder), folder);
    for (const auto element : vd::path::elements(canonical)) {
        folder = vd::path::join(folder, element);
        folders_.try_emplace(key_of(folder), folder);
    }
}

void folder_picker_double::set_root_path(int csidl, std::wstring path) {
    if (!path.empty()) add_folder(path);
    roots_[csidl] = std::move(path);
}

void folder_picker_double::set_desktop_path(std::wstring path) {
    add_folder(path);
    desktop_ = std::move(path);
}

folder_picker_double& folder_picker_double::select(std::wstring path) {
    script_.push_back({action::kind::select, std::move(path)});
    return *this;
}

folder_picker_double& folder_picker_double::select_item_without_path() {
    script_.push_back({action::kind::select_without_path, {}});
    return *this;
}

folder_picker_double& folder_picker_double::type(std::wstring text) {
    script_.push_back({action::kind::type, std::move(text)});
    return *this;
}

folder_picker_double& folder_picker_double::press_ok() {
    script_.push_back({action::kind::ok, {}});
    return *this;
}

folder_picker_double& folder_picker_double::cancel() {
    script_.push_back({action::kind::cancel, {}});
    return *this;
}

const picker_session& folder_picker_double::last_session() const {
    static const picker_session none;
    return sessions_.empty() ? none : sessions_.back();
}

picker_session& folder_picker_double::session() { return sessions_.at(open_->session); }

bool folder_picker_double::is_open(window_handle picker) const {
    return open_ && !open_->closed && sessions_.at(open_->session).picker == picker;
}

std::optional<std::wstring> folder_picker_double::full_path(std::wstring_view path) const {
    if (path.empty()) return std::nullopt;
    std::wstring text(path);
    std::replace(text.begin(), text.end(), L'/', L'\\');
    const bool trailing_separator = text.back() == L'\\';
    std::wstring absolute;
    if (vd::path::is_absolute(text)) {
        absolute = text;
    } else if (vd::path::has_drive(text)) {
        // "X:name": from the current directory on its drive, from the root on another drive.
        const bool same_drive = vd::path::has_drive(current_directory_) &&
                                vd::path::fold_case(text[0]) == vd::path::fold_case(current_directory_[0]);
        absolute = vd::path::join(same_drive ? current_directory_ : text.substr(0, 2) + L"\\", text.substr(2));
    } else if (text.front() == L'\\') {
        absolute = vd::path::join(vd::path::root(current_directory_), text);
    } else {
        absolute = vd::path::join(current_directory_, text);
    }
    std::wstring full = vd::path::canonicalize(absolute);
    // The last element loses its trailing dots and spaces; one made only of them goes away.
    const std::size_t name_start = full.size() - vd::path::file_name(full).size();
    while (full.size() > name_start && (full.back() == L'.' || full.back() == L' ')) full.pop_back();
    if (full.size() == name_start && full.size() > vd::path::root(full).size()) full.pop_back();
    if (trailing_separator && full.back() != L'\\') full += L'\\';
    return full;
}

std::optional<std::wstring> folder_picker_double::existing(std::wstring_view path) const {
    const auto full = full_path(path);
    if (!full) return std::nullopt;
    const auto found = folders_.find(key_of(*full));
    if (found == folders_.end()) return std::nullopt;
    return found->second;
}

std::optional<std::wstring> folder_picker_double::in_tree(std::wstring_view path) const {
    auto folder = existing(path);
    if (!folder || !open_) return folder;
    const auto& root = sessions_.at(open_->session).request.root;
    if (root) {
        const auto top = roots_.find(*root);
        if (top != roots_.end() && !top->second.empty() && !vd::path::is_within(top->second, *folder)) {
            return std::nullopt;
        }
    }
    return folder;
}

std::optional<std::wstring> folder_picker_double::browse(const browse_request& request, folder_picker_events& events) {
    if (open_) throw std::logic_error("folder_picker_double: a picker is open already");
    picker_session started;
    started.request = request;
    started.com_depth = com_depth_;
    window_spec shape;
    shape.style = ws::popup | ws::caption | ws::sys_menu | ws::visible;
    shape.extended_style = picker_extended_style_;
    shape.parent = request.owner;
    started.picker = ui_.add_window(shape);
    if (request.flags & bif::edit_box) {
        window_spec edit;
        edit.style = ws::child | ws::visible;
        edit.parent = started.picker;
        started.edit_box = ui_.add_window(edit);
    }
    // Modal: the owner is disabled while the picker is up.
    const bool owner_was_enabled = request.owner != window_handle::none && ui_.is_window_enabled(request.owner);
    if (owner_was_enabled) (void)ui_.enable_window(request.owner, false);
    started.owner_disabled = request.owner != window_handle::none && !ui_.is_window_enabled(request.owner);
    ui_.set_active(started.picker);
    sessions_.push_back(std::move(started));
    open_ = open_picker{&events, sessions_.size() - 1, std::nullopt, false};

    // The tree's top is selected before the callback hears that the picker is initialised.
    std::optional<std::wstring> first = desktop_;
    if (request.root) {
        const auto top = roots_.find(*request.root);
        if (top != roots_.end() && !top->second.empty()) first = top->second;
    }
    change_selection(existing(*first));
    events.initialized(session().picker);
    while (!open_->closed) {
        if (script_.empty()) {
            session().script_ran_out = true;
            close(std::nullopt);
            break;
        }
        const action next = std::move(script_.front());
        script_.pop_front();
        run(next);
    }

    std::optional<std::wstring> result = std::move(open_->result);
    ui_.destroy(session().picker);
    if (owner_was_enabled) (void)ui_.enable_window(request.owner, true);
    ui_.set_active(request.owner);
    open_.reset();
    return result;
}

void folder_picker_double::change_selection(const std::optional<std::wstring>& path) {
    auto& shown = session();
    shown.selection = path;
    // The shell names the selection in the edit box and allows OK only for file-system folders.
    if (shown.edit_box != window_handle::none) {
        shown.edit_text = path ? std::wstring(vd::path::file_name(*path)) : std::wstring();
        if (path && shown.edit_text.empty()) shown.edit_text = *path;
        shown.edit_text_all_selected = false;
    }
    shown.ok_enabled = path.has_value() || (shown.request.flags & bif::return_only_fs_dirs) == 0;
    open_->events->selection_changed(shown.picker, path);
}

void folder_picker_double::run(const action& next) {
    switch (next.what) {
        case action::kind::select: {
            const auto folder = in_tree(next.text);
            if (!folder) throw std::invalid_argument("folder_picker_double: the tree shows no such folder to select");
            if (!same_folder(session().selection, folder)) change_selection(folder);
            break;
        }
        case action::kind::select_without_path:
            change_selection(std::nullopt);
            break;
        case action::kind::type:
            if (session().edit_box == window_handle::none) {
                throw std::invalid_argument("folder_picker_double: the picker has no edit box to type into");
            }
            session().edit_text = next.text;
            session().edit_text_all_selected = false;
            break;
        case action::kind::ok:
            press_ok_now();
            break;
        case action::kind::cancel:
            close(std::nullopt);
            break;
    }
}

void folder_picker_double::press_ok_now() {
    auto& shown = session();
    if (!shown.ok_enabled) return;
    if (shown.edit_box != window_handle::none && !shown.edit_text.empty()) {
        // A text names a folder on its own or below the selection; blanks alone name nothing.
        const bool blank = shown.edit_text.find_first_not_of(L" \t") == std::wstring::npos;
        std::optional<std::wstring> named;
        if (!blank && vd::path::is_absolute(shown.edit_text)) {
            named = in_tree(shown.edit_text);
        } else if (!blank && shown.selection) {
            named = in_tree(vd::path::append(*shown.selection, shown.edit_text));
        }
        if (named) {
            close(named);
            return;
        }
        if (shown.request.flags & bif::validate) {
            shown.validations.push_back(shown.edit_text);
            const std::wstring typed = shown.edit_text;
            if (open_->events->validation_failed(shown.picker, typed)) return;
        }
    }
    close(session().selection);
}

void folder_picker_double::close(std::optional<std::wstring> result) {
    open_->result = std::move(result);
    open_->closed = true;
}

bool folder_picker_double::root_path(int csidl, std::wstring& path) {
    const auto found = roots_.find(csidl);
    if (found == roots_.end() || found->second.empty()) return false;
    path = found->second;
    return true;
}

void folder_picker_double::set_selection(window_handle picker, std::wstring_view path) {
    if (!is_open(picker)) return;
    session().selections_set.emplace_back(path);
    const auto folder = in_tree(path);
    // Selecting the selected item again changes nothing and is not reported.
    if (folder && !same_folder(session().selection, folder)) change_selection(folder);
}

void folder_picker_double::set_expanded(window_handle picker, std::wstring_view path) {
    if (is_open(picker)) session().expanded.emplace_back(path);
}

void folder_picker_double::enable_ok(window_handle picker, bool enable) {
    if (!is_open(picker)) return;
    session().ok_states.push_back(enable);
    session().ok_enabled = enable;
}

window_handle folder_picker_double::find_edit_box(window_handle picker) {
    return is_open(picker) ? session().edit_box : window_handle::none;
}

void folder_picker_double::replace_edit_text(window_handle edit, std::wstring_view text) {
    if (!open_ || edit == window_handle::none || session().edit_box != edit) return;
    session().edit_text = text;
    session().edit_text_all_selected = true;
}

int folder_picker_double::message_box(window_handle owner, std::wstring_view text, std::uint32_t type) {
    // MessageBoxW refuses an owner that is not a window.
    if (owner != window_handle::none && !ui_.exists(owner)) return 0;
    boxes_.push_back({owner, std::wstring(text), type});
    return id::ok;
}

bool folder_picker_double::is_directory(std::wstring_view path) { return existing(path).has_value(); }

std::error_code folder_picker_double::current_directory(std::wstring& path) {
    if (get_directory_failure_ != 0) return win_error(get_directory_failure_);
    path = current_directory_;
    return {};
}

std::error_code folder_picker_double::set_current_directory(std::wstring_view path) {
    if (set_directory_failure_ != 0) return win_error(set_directory_failure_);
    const auto full = full_path(path);
    if (!full) return win_error(errc::invalid_name);
    if (!existing(*full)) {
        return win_error(existing(vd::path::remove_file_spec(*full)) ? errc::file_not_found : errc::path_not_found);
    }
    current_directory_ = vd::path::canonicalize(*full);
    return {};
}

bool folder_picker_double::search_and_qualify(std::wstring_view path, std::wstring& qualified) {
    const auto full = full_path(path);
    if (!full) return false;
    qualified = *full;
    return true;
}

std::int32_t folder_picker_double::initialize_com() {
    if (com_failure_ != 0) return com_failure_;
    ++com_depth_;
    return com_depth_ == 1 ? hr::ok : 1;  // S_FALSE: the thread had COM already
}

void folder_picker_double::uninitialize_com() {
    if (com_depth_ > 0) --com_depth_;
}

}  // namespace os::native
