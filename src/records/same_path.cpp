// Whether two journal paths name the same folder or file.
#include "records/uninstall_log.h"

#include "vd/win_path.h"

#include <vector>

namespace records {
namespace {

using vd::path::has_drive;
using vd::path::is_separator;
using vd::path::is_unc;

std::vector<std::wstring_view> split(std::wstring_view path) {
    std::vector<std::wstring_view> parts;
    std::size_t i = 0;
    while (i < path.size()) {
        while (i < path.size() && is_separator(path[i])) ++i;
        const std::size_t start = i;
        while (i < path.size() && !is_separator(path[i])) ++i;
        if (i > start) parts.push_back(path.substr(start, i - start));
    }
    return parts;
}

// Equal element by element from the root; runs of either separator are one separator.
bool equal_as_paths(std::wstring_view a, std::wstring_view b) {
    const bool rooted_a = !a.empty() && is_separator(a.front());
    const bool rooted_b = !b.empty() && is_separator(b.front());
    return rooted_a == rooted_b && is_unc(a) == is_unc(b) && split(a) == split(b);
}

// The path made absolute against `cwd`, as its elements with "." and ".." resolved.  The first
// element is the root: "C:" or "\\server\share" (as two elements "\\server", "share").
std::vector<std::wstring> absolute_elements(std::wstring_view path, std::wstring_view cwd) {
    std::wstring full;
    if (vd::path::is_absolute(path)) {
        full = path;
    } else if (!path.empty() && is_separator(path[0])) {
        // Rooted without a drive: the drive (or share) of the current directory.
        const auto cwd_parts = split(cwd);
        if (is_unc(cwd) && cwd_parts.size() >= 2)
            full = L"\\\\" + std::wstring(cwd_parts[0]) + L"\\" + std::wstring(cwd_parts[1]) + std::wstring(path);
        else
            full = std::wstring(cwd.substr(0, has_drive(cwd) ? 2 : 0)) + std::wstring(path);
    } else if (has_drive(path)) {
        // "C:name": relative to the current directory when it is on that drive.
        const bool same_drive = has_drive(cwd) && vd::path::fold_case(cwd[0]) == vd::path::fold_case(path[0]);
        full = same_drive ? std::wstring(cwd) + L"\\" + std::wstring(path.substr(2))
                          : std::wstring(path.substr(0, 2)) + L"\\" + std::wstring(path.substr(2));
    } else {
        full = std::wstring(cwd) + L"\\" + std::wstring(path);
    }

    const bool full_unc = is_unc(full);
    const auto parts = split(full);
    std::vector<std::wstring> out;
    std::size_t root_count = full_unc ? 2 : (has_drive(full) ? 1 : 0);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i < root_count) {
            out.emplace_back(i == 0 && full_unc ? L"\\\\" + std::wstring(parts[i]) : std::wstring(parts[i]));
            continue;
        }
        if (parts[i] == L".") continue;
        if (parts[i] == L"..") {
            if (out.size() > root_count) out.pop_back();
            continue;
        }
        out.emplace_back(parts[i]);
    }
    return out;
}

}  // namespace

bool IsSamePath(std::wstring_view a, std::wstring_view b, const journal_ports& ports) {
    if (equal_as_paths(a, b)) return true;
    // Where the file system tells which items two paths lead to, that decides.
    os::item_identity x_item;
    os::item_identity y_item;
    if (!ports.files.identity(a, x_item) && !ports.files.identity(b, y_item)) return x_item == y_item;
    std::wstring cwd;
    if (ports.files.current_directory(cwd)) cwd = L"C:\\";
    const auto x = absolute_elements(a, cwd);
    const auto y = absolute_elements(b, cwd);
    if (x.size() != y.size()) return false;
    for (std::size_t i = 0; i < x.size(); ++i)
        if (!vd::path::equal_ignore_case(x[i], y[i])) return false;
    return true;
}

}  // namespace records
