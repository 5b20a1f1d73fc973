// Refusing to act through a link (see link_check.h).
#include "vd/link_check.h"

#include "os/win_error.h"
#include "vd/win_path.h"

namespace vd {

namespace {

[[nodiscard]] bool absent(const std::error_code& ec) {
    return ec == os::win_error(os::errc::file_not_found) || ec == os::win_error(os::errc::path_not_found);
}

[[nodiscard]] std::error_code link_refused() { return os::win_error(os::errc::reparse_point_encountered); }

}  // namespace

std::size_t trusted_levels(std::wstring_view trusted, std::wstring_view path) {
    if (trusted.empty() || !path::equal_ignore_case(path::root(trusted), path::root(path))) return 0;
    const auto outer = path::elements(trusted);
    const auto inner = path::elements(path);
    if (outer.size() > inner.size()) return 0;
    for (std::size_t i = 0; i < outer.size(); ++i)
        if (!path::equal_ignore_case(outer[i], inner[i])) return 0;
    return outer.size();
}

std::error_code refuse_links_below(os::file_system& files, std::wstring_view trusted, std::wstring_view path) {
    const auto parts = path::elements(path);
    std::wstring level(path::root(path));
    const std::size_t first_checked = trusted_levels(trusted, path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        level = path::join(level, parts[i]);
        if (i < first_checked) continue;
        os::item_information info;
        if (auto ec = files.query_item(level, info)) return absent(ec) ? std::error_code{} : ec;
        if (info.is_link()) return link_refused();
    }
    return {};
}

std::error_code refuse_linked_item(os::file_system& files, std::wstring_view path) {
    os::item_information info;
    if (auto ec = files.query_item(path, info)) return absent(ec) ? std::error_code{} : ec;
    const bool many_names = (info.attributes & os::file_attribute::directory) == 0 && info.link_count > 1;
    return info.is_link() || many_names ? link_refused() : std::error_code{};
}

}  // namespace vd
