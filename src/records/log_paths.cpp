// Which paths the program takes from an uninstall log.
#include "records/log_paths.h"

namespace records {
namespace {

bool is_separator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool is_refused_in_name(wchar_t c) {
    return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'|' || c == L'?' || c == L'*';
}

// An element that the system would take as "." or ".." once it drops trailing dots and blanks.
bool is_dots_only(std::wstring_view element) {
    return !element.empty() && element.find_first_not_of(L". ") == std::wstring_view::npos;
}

bool ends_with_lnk(std::wstring_view path) {
    constexpr std::wstring_view extension = L".lnk";
    if (path.size() < extension.size()) return false;
    const auto tail = path.substr(path.size() - extension.size());
    for (std::size_t i = 0; i < extension.size(); ++i) {
        const wchar_t c = tail[i] >= L'A' && tail[i] <= L'Z' ? static_cast<wchar_t>(tail[i] - L'A' + L'a') : tail[i];
        if (c != extension[i]) return false;
    }
    return true;
}

}  // namespace

bool is_local_absolute_path(std::wstring_view path) {
    if (path.size() < 3) return false;
    const wchar_t drive = path[0];
    if (!((drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z'))) return false;
    if (path[1] != L':' || !is_separator(path[2])) return false;
    std::size_t start = 3;
    for (std::size_t i = 3; i <= path.size(); ++i) {
        if (i < path.size() && !is_separator(path[i])) {
            if (is_refused_in_name(path[i])) return false;
            continue;
        }
        if (is_dots_only(path.substr(start, i - start))) return false;
        start = i + 1;
    }
    return true;
}

bool is_usable_record(const LogRecord& record) {
    switch (record.kind) {
        case RecordKind::Directory:
        case RecordKind::File:
            return is_local_absolute_path(record.path);
        case RecordKind::MenuShortcut:
        case RecordKind::UninstallShortcut:
        case RecordKind::DesktopShortcut:
            return is_local_absolute_path(record.path) && ends_with_lnk(record.path);
        case RecordKind::UninstallKey:
        case RecordKind::Registration:
        case RecordKind::DirectXUpdate:
            return true;
    }
    return false;
}

}  // namespace records
