// Creating a folder and its missing ancestors (see create_folders.h).
#include "vd/create_folders.h"

#include "os/win_error.h"
#include "vd/link_check.h"
#include "vd/win_path.h"

namespace vd {

std::error_code create_folders_below(os::file_system& files, std::wstring base,
                                     std::span<const std::wstring_view> elements, const folder_created& created,
                                     std::size_t links_refused_from) {
    std::wstring level = std::move(base);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        level = path::join(level, elements[i]);
        const auto ec = files.create_directory(level);
        if (ec == os::win_error(os::errc::already_exists)) {
            if (i < links_refused_from) continue;
            os::item_information info;
            if (auto query = files.query_item(level, info)) return query;
            if (info.is_link()) return os::win_error(os::errc::reparse_point_encountered);
            continue;
        }
        if (ec) return ec;
        if (created) created(level);
    }
    return {};
}

std::error_code create_folders(os::file_system& files, std::wstring_view folder, const folder_created& created) {
    const auto elements = path::elements(folder);
    return create_folders_below(files, std::wstring(path::root(folder)), elements, created);
}

std::error_code create_folders_without_links(os::file_system& files, std::wstring_view trusted,
                                             std::wstring_view folder, const folder_created& created) {
    const auto elements = path::elements(folder);
    return create_folders_below(files, std::wstring(path::root(folder)), elements, created,
                                trusted_levels(trusted, folder));
}

}  // namespace vd
