// Whether an uninstall log found on the machine may be read.
#include "records/trusted_log_source.h"

#include "records/log_paths.h"
#include "records/previous_installation.h"
#include "vd/write_access.h"

#include <span>
#include <string>
#include <vector>

namespace records {
namespace {

bool only_trusted_may_change(os::security& security, std::wstring_view path, std::span<const std::byte> user) {
    std::vector<std::byte> descriptor;
    return security.read_file_owner_and_dacl(path, descriptor) == os::hr::ok &&
           vd::security::only_administrators_may_write(descriptor, user);
}

// No folder from the log's own up to the drive is a link that could be turned elsewhere after the
// check.
bool no_folder_is_a_link(os::file_system& files, std::wstring folder) {
    for (;;) {
        std::uint32_t attributes = 0;
        if (files.get_attributes(folder, attributes) || (attributes & os::file_attribute::reparse_point) != 0)
            return false;
        std::wstring parent = remove_last_element(folder);
        if (parent == folder) return true;
        folder = std::move(parent);
    }
}

}  // namespace

bool is_trusted_log_source(os::file_system& files, os::security& security, std::wstring_view path,
                           log_writers writers) {
    if (!is_local_absolute_path(path)) return false;
    std::uint32_t attributes = 0;
    if (files.get_attributes(path, attributes) ||
        (attributes & (os::file_attribute::directory | os::file_attribute::reparse_point)) != 0)
        return false;
    std::vector<std::byte> user;
    if (writers == log_writers::administrators_and_installing_user && security.token_user_sid(user) != os::hr::ok)
        return false;
    const std::wstring folder = remove_last_element(path);
    return no_folder_is_a_link(files, folder) && only_trusted_may_change(security, path, user) &&
           only_trusted_may_change(security, folder, user);
}

}  // namespace records
