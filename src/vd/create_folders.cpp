// Creating a folder and its missing ancestors (see create_folders.h).
#include "vd/create_folders.h"

#include "os/win_error.h"
#include "vd/win_path.h"

namespace vd {

std::error_code create_folders_below(os::file_system& files, std::wstring base,
                                     std::span<const std::wstring_view> elements, const folder_created& created) {
    std::wstring level = std::move(base);
    for (const auto element : elements) {
        level = path::join(level, element);
        const auto ec = files.create_directory(level);
        if (ec == os::win_error(os::errc::already_exists)) continue;
        if (ec) return ec;
        if (created) created(level);
    }
    return {};
}

std::error_code create_folders(os::file_system& files, std::wstring_view folder, const folder_created& created) {
    const auto elements = path::elements(folder);
    return create_folders_below(files, std::wstring(path::root(folder)), elements, created);
}

}  // namespace vd
