// Shell links to the installed programs (see shortcuts.h).
#include "install/shortcuts.h"

#include "vd/win_path.h"

namespace install {

namespace {

constexpr std::size_t path_buffer = vd::path::max_path;

bool fits(std::wstring_view path) { return path.size() < path_buffer; }

// The journal's shortcut kinds.
constexpr int menu_program = 0;
constexpr int menu_uninstaller = 1;
constexpr int desktop_program = 2;

bool journaled_shortcut(os::shell_links& links, UninstallLog& journal, int which, const std::wstring& folder,
                        const std::wstring& target, const std::wstring& name) {
    journal.RecordShortcut(which, folder);
    std::wstring linkPath;
    const bool created = create_shortcut(links, target, folder, name, &linkPath);
    if (created)
        journal.CompleteLast(true, linkPath);
    else
        journal.CompleteLast(false);
    return created;
}

}  // namespace

bool create_shortcut(os::shell_links& links, std::wstring_view target, std::wstring_view folder, std::wstring_view name,
                     std::wstring* linkPath) {
    if (!fits(target) || !fits(folder) || !fits(name)) return false;
    const std::wstring working = vd::path::remove_file_spec(target);
    if (working.empty() || working.size() == target.size()) return false;  // no folder part
    std::wstring linkName(name);
    if (linkName.empty()) {
        linkName = vd::path::file_name(target);
        const auto dot = linkName.find_last_of(L'.');
        if (dot != std::wstring::npos && dot != 0) linkName.erase(dot);
    }
    std::wstring link = vd::path::append(folder, linkName);
    if (link.empty()) return false;
    link += L".lnk";
    if (!fits(link)) return false;
    if (links.save_link(link, {std::wstring(target), working}) != 0) return false;
    if (linkPath) *linkPath = link;
    return true;
}

bool create_shortcuts(os::shell_links& links, os::shell_folders& shell, os::shell_owner owner, UninstallLog& journal,
                      const shortcut_request& request) {
    bool all = true;
    if (request.menu) {
        all &= journaled_shortcut(links, journal, menu_program, request.menuFolder, request.mainProgramPath,
                                  request.programName);
        all &= journaled_shortcut(links, journal, menu_uninstaller, request.menuFolder, request.uninstallerPath,
                                  request.uninstallName);
    }
    if (request.desktop) {
        std::wstring desktop;
        // Without either desktop folder there is nowhere to put the link: it fails unrecorded.
        if (shell.special_folder_path(owner, os::csidl::common_desktopdirectory, false, desktop) ||
            shell.special_folder_path(owner, os::csidl::desktopdirectory, false, desktop))
            all &= journaled_shortcut(links, journal, desktop_program, desktop, request.mainProgramPath,
                                      request.programName);
        else
            all = false;
    }
    return all;
}

}  // namespace install
