// The shell's known folders that the library serves from a cache: Documents, and the company's
// folders under ProgramData and under the roaming AppData.  None of them is created.
#pragma once

#include "res/product_identity.h"
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "os/shell_folders.h"

namespace vd {

// The company's folder name under the shared and per-user data folders (and its registry key).
inline constexpr std::wstring_view company_folder_name = product::company_folder;

// One known folder, looked up on first use and kept.  A failed lookup keeps nothing, so the next
// call asks the shell again.  Safe to use from several threads.
class known_folder_cache {
public:
    // `appended`, when not empty, is added to the folder's path as one more element.
    explicit known_folder_cache(const os::known_folder_id& id, std::wstring_view appended = {});

    // The cached path; on the first successful call SHGetKnownFolderPath(id, KF_FLAG_DONT_VERIFY)
    // through `shell`.  Throws std::system_error carrying the failing HRESULT in the Windows
    // category; the cache stays empty then.
    [[nodiscard]] std::wstring get(os::shell_folders& shell);

private:
    os::known_folder_id id_;
    std::wstring appended_;
    std::mutex mutex_;
    std::optional<std::wstring> path_;
};

// The three caches of a process: one object, owned by wWinMain, filled by the library start-up and
// read by the folder browser.
class known_folders {
public:
    known_folders();

    [[nodiscard]] std::wstring documents(os::shell_folders& shell) { return documents_.get(shell); }
    [[nodiscard]] std::wstring common_company(os::shell_folders& shell) { return common_company_.get(shell); }
    [[nodiscard]] std::wstring user_company(os::shell_folders& shell) { return user_company_.get(shell); }

private:
    known_folder_cache documents_;
    known_folder_cache common_company_;
    known_folder_cache user_company_;
};

}  // namespace vd
