// Known-folder caches: the lookup runs under the cache's lock, so that two first calls ask once.
#include "vd/known_folders.h"

#include <system_error>

#include "os/win_error.h"
#include "vd/win_path.h"

namespace vd {

known_folder_cache::known_folder_cache(const os::known_folder_id& id, std::wstring_view appended)
    : id_(id), appended_(appended) {}

std::wstring known_folder_cache::get(os::shell_folders& shell) {
    const std::lock_guard lock(mutex_);
    if (!path_) {
        std::wstring found;
        const std::int32_t result = shell.known_folder_path(id_, os::known_folder_flag::dont_verify, found);
        if (result < 0) throw std::system_error(result, os::win_category());
        path_ = appended_.empty() ? std::move(found) : path::join(found, appended_);
    }
    return *path_;
}

known_folders::known_folders()
    : documents_(os::known_folder::documents),
      common_company_(os::known_folder::program_data, company_folder_name),
      user_company_(os::known_folder::roaming_app_data, company_folder_name) {}

}  // namespace vd
