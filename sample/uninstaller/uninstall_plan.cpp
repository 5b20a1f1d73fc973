// Planning the uninstallation from the log's records.
#include "uninstaller/uninstall_plan.h"

#include <cwctype>

namespace sample {
namespace {

wchar_t fold(wchar_t c) { return static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c))); }

bool equal_folded(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold(a[i]) != fold(b[i])) return false;
    return true;
}

bool ends_with_folded(std::wstring_view text, std::wstring_view suffix) {
    return text.size() >= suffix.size() && equal_folded(text.substr(text.size() - suffix.size()), suffix);
}

bool within_any(std::wstring_view path, const std::vector<std::wstring>& folders) {
    for (const auto& folder : folders)
        if (!folder.empty() && is_within(path, folder)) return true;
    return false;
}

// Strictly below one of the folders: a root itself is never removed by a file or shortcut step.
bool below_any(std::wstring_view path, const std::vector<std::wstring>& folders) {
    for (const auto& folder : folders)
        if (!folder.empty() && is_within(path, folder) && path.size() > folder.size()) return true;
    return false;
}

std::wstring describe(const LogRecord& record, std::wstring_view why) {
    return std::wstring(why) + L": " + record.path;
}

}  // namespace

bool is_local_absolute_path(std::wstring_view path) {
    if (path.size() < 3 || path.size() >= 32767) return false;
    const wchar_t drive = path[0];
    if (!((drive >= L'A' && drive <= L'Z') || (drive >= L'a' && drive <= L'z')) || path[1] != L':' || path[2] != L'\\')
        return false;
    std::wstring_view rest = path.substr(3);
    if (rest.empty()) return true;
    std::size_t start = 0;
    while (start <= rest.size()) {
        const auto end = std::min(rest.find(L'\\', start), rest.size());
        const std::wstring_view element = rest.substr(start, end - start);
        if (element.empty()) return false;
        // Elements made only of dots and blanks ("..", ". .") are parent or current folder to Windows.
        if (element.find_first_not_of(L". ") == std::wstring_view::npos) return false;
        // Trailing dots and blanks are dropped by Windows: "foo." names "foo".
        if (element.back() == L'.' || element.back() == L' ') return false;
        for (const wchar_t c : element)
            if (c < 0x20 || c == L'/' || c == L':' || c == L'*' || c == L'?' || c == L'"' || c == L'<' || c == L'>' ||
                c == L'|')
                return false;
        start = end + 1;
    }
    return true;
}

bool is_within(std::wstring_view path, std::wstring_view folder) {
    while (!folder.empty() && folder.back() == L'\\') folder.remove_suffix(1);
    if (folder.empty() || path.size() < folder.size() || !equal_folded(path.substr(0, folder.size()), folder))
        return false;
    return path.size() == folder.size() || path[folder.size()] == L'\\';
}

std::wstring parent_folder(std::wstring_view path) {
    const auto slash = path.rfind(L'\\');
    if (slash == std::wstring_view::npos || slash < 3) return {};
    return std::wstring(path.substr(0, slash));
}

uninstall_plan plan_uninstall(const RecordList& records, const uninstall_roots& roots,
                              std::wstring_view uninstallerPath, std::wstring_view logPath) {
    uninstall_plan plan;
    const std::vector<std::wstring> install{roots.installFolder};
    std::vector<std::wstring> shortcutRoots = roots.menuFolders;
    shortcutRoots.insert(shortcutRoots.end(), roots.desktops.begin(), roots.desktops.end());
    std::vector<std::wstring> fileRoots = install;
    fileRoots.insert(fileRoots.end(), shortcutRoots.begin(), shortcutRoots.end());
    fileRoots.insert(fileRoots.end(), roots.dataFolders.begin(), roots.dataFolders.end());
    // Created folders: inside a root, or the maker's folder that holds the installation or menu folder.
    std::vector<std::wstring> folderParents;
    for (const auto& folder : install) folderParents.push_back(parent_folder(folder));
    for (const auto& folder : roots.menuFolders) folderParents.push_back(parent_folder(folder));
    // A data folder's parent may have been made by the installation too (a fresh profile's AppData).
    for (const auto& folder : roots.dataFolders) folderParents.push_back(parent_folder(folder));

    auto refuse = [&plan](const LogRecord& record, std::wstring_view why) {
        plan.steps.clear();
        plan.refusal = describe(record, why);
        return plan;
    };

    for (auto it = records.rbegin(); it != records.rend(); ++it) {
        const LogRecord& record = *it;
        const bool namesItem = record.kind == RecordKind::Directory || record.kind == RecordKind::File ||
                               record.kind == RecordKind::MenuShortcut ||
                               record.kind == RecordKind::UninstallShortcut ||
                               record.kind == RecordKind::DesktopShortcut;
        if (namesItem && !record.path.empty() && !is_local_absolute_path(record.path))
            return refuse(record, L"not a local absolute path");

        switch (record.kind) {
            case RecordKind::File:
                // Shared data stays for the next installation and for other products of the maker.
                if (!record.flag || record.entryKind == 3 || record.path.empty()) break;
                if (equal_folded(record.path, uninstallerPath) || equal_folded(record.path, logPath)) break;
                if (!below_any(record.path, fileRoots)) return refuse(record, L"outside the product's folders");
                plan.steps.push_back({uninstall_action::delete_file, record.path});
                break;
            case RecordKind::MenuShortcut:
            case RecordKind::UninstallShortcut:
            case RecordKind::DesktopShortcut:
                if (!record.flag || record.path.empty()) break;
                if (!ends_with_folded(record.path, L".lnk")) return refuse(record, L"not a shortcut");
                if (!below_any(record.path, shortcutRoots)) return refuse(record, L"outside the product's folders");
                plan.steps.push_back({uninstall_action::delete_shortcut, record.path});
                break;
            case RecordKind::Directory: {
                if (record.path.empty()) break;
                bool allowed = below_any(record.path, fileRoots) || within_any(record.path, install) ||
                               within_any(record.path, roots.menuFolders) || within_any(record.path, roots.dataFolders);
                for (const auto& parent : folderParents)
                    if (!parent.empty() && parent.size() > 3 && equal_folded(record.path, parent)) allowed = true;
                if (!allowed) return refuse(record, L"outside the product's folders");
                plan.steps.push_back({uninstall_action::remove_folder, record.path});
                break;
            }
            case RecordKind::UninstallKey:
                plan.steps.push_back({uninstall_action::remove_uninstall_entry, {}});
                break;
            case RecordKind::Registration:
                plan.steps.push_back({uninstall_action::remove_registration, {}});
                break;
            case RecordKind::DirectXUpdate:
                // The runtime belongs to the system and stays.
                break;
        }
    }
    return plan;
}

}  // namespace sample
