// The shell-folders double's table and its answers, with the codes the shell gives.
#include "os/native/shell_folders_double.h"

#include <tuple>

#include "os/native/default_folders.h"
#include "os/win_error.h"

namespace os::native {
namespace {
constexpr std::int32_t s_false = 1;
}

bool shell_folders_double::id_less::operator()(const known_folder_id& a, const known_folder_id& b) const noexcept {
    return std::tie(a.data1, a.data2, a.data3, a.data4) < std::tie(b.data1, b.data2, b.data3, b.data4);
}

shell_folders_double::shell_folders_double() : special_(default_special_folders(L"tester")) {
    for (const auto& known : default_known_folders) known_[known.id] = special_.at(known.csidl);
}

void shell_folders_double::set_known_folder(const known_folder_id& id, std::wstring path) {
    known_[id] = std::move(path);
}

void shell_folders_double::fail_known_folder(const known_folder_id& id, std::int32_t hresult) {
    if (hresult == 0) {
        known_failures_.erase(id);
    } else {
        known_failures_[id] = hresult;
    }
}

void shell_folders_double::set_special_folder(int csidl, std::wstring path) { special_[csidl] = std::move(path); }

void shell_folders_double::set_missing(int csidl, bool missing) {
    if (missing) {
        missing_.insert(csidl);
    } else {
        missing_.erase(csidl);
    }
}

std::int32_t shell_folders_double::known_folder_path(const known_folder_id& id, std::uint32_t flags,
                                                     std::wstring& path) {
    ++known_folder_calls;
    known_folders_asked.push_back(id);
    known_folder_flags_asked.push_back(flags);
    if (const auto failure = known_failures_.find(id); failure != known_failures_.end()) return failure->second;
    const auto found = known_.find(id);
    if (found == known_.end()) return hr::from_win32(errc::file_not_found);
    path = found->second;
    return hr::ok;
}

bool shell_folders_double::special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) {
    return folder_path(owner, csidl | (create ? csidl::flag_create : 0), folder_type::current, path) == hr::ok;
}

std::int32_t shell_folders_double::folder_path(shell_owner, int csidl_and_flags, std::uint32_t, std::wstring& path) {
    const int csidl = csidl_and_flags & ~csidl::flag_mask;
    const auto found = special_.find(csidl);
    if (found == special_.end()) return hr::e_invalidarg;
    if (missing_.count(csidl) != 0) {
        if ((csidl_and_flags & csidl::flag_create) == 0) return s_false;
        created.insert(csidl);
        missing_.erase(csidl);
    }
    path = found->second;
    return hr::ok;
}

}  // namespace os::native
