// Win32-only: Uninstall.exe, the sample product's uninstaller.  It reads "Uninstall.ulog" beside
// itself with the setup program's own reader, asks for confirmation, undoes the installation newest
// record first and removes itself.
//
//   Uninstall.exe            asks before removing anything
//   Uninstall.exe /quiet     answers yes itself and shows no message (for tests and scripts)
//
// Exit codes: 0 removed, 1 some items could not be removed, 2 cancelled, 3 the log was refused,
// 4 the log is missing or unreadable, 5 unknown switch.
#include "os/security.h"
#include "os/win32/code_page_win32.h"
#include "os/win32/file_system_win32.h"
#include "os/win32/process_info_win32.h"
#include "os/win32/shell_folders_win32.h"
#include "records/journal_wiring.h"
#include "records/log_format.h"
#include "records/uninstall_log.h"
#include "res/product_identity.h"
#include "uninstaller/uninstall_plan.h"
#include "uninstaller/uninstall_steps.h"
#include "uninstaller/win32/self_removal.h"
#include "vd/program_path.h"
#include "os/win32/registry_win32.h"
#include "os/win32/security_win32.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring running_program() {
    os::win32::process_info_adapter process;
    return vd::program_path(process);
}

enum exit_code : int { removed = 0, partly_removed = 1, cancelled = 2, refused = 3, unreadable = 4, bad_switch = 5 };

constexpr wchar_t caption[] = L"Lignotek 7.08r Uninstall";

std::vector<std::wstring> arguments() {
    int count = 0;
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> list(CommandLineToArgvW(GetCommandLineW(), &count), &LocalFree);
    std::vector<std::wstring> result;
    for (int i = 1; list && i < count; ++i) result.emplace_back(list.get()[i]);
    return result;
}

std::wstring shell_folder(int csidl) {
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, buffer))) return {};
    std::wstring path(buffer);
    while (!path.empty() && path.back() == L'\\') path.pop_back();
    return path;
}

// The Start-menu folder of the log, when it lies below one of the Programs folders (and is not one).
std::vector<std::wstring> menu_folders(const std::wstring& fromLog) {
    if (fromLog.empty() || !sample::is_local_absolute_path(fromLog)) return {};
    for (const int csidl : {CSIDL_COMMON_PROGRAMS, CSIDL_PROGRAMS}) {
        const std::wstring programs = shell_folder(csidl);
        if (!programs.empty() && sample::is_within(fromLog, programs) && fromLog.size() > programs.size())
            return {fromLog};
    }
    return {};
}

class messages {
public:
    explicit messages(bool quiet) : quiet_(quiet) {}
    bool confirm(const std::wstring& text) const {
        return quiet_ || MessageBoxW(nullptr, text.c_str(), caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void error(const std::wstring& text) const {
        if (!quiet_) MessageBoxW(nullptr, text.c_str(), caption, MB_OK | MB_ICONERROR);
    }

private:
    bool quiet_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const auto args = arguments();
    const std::wstring program = running_program();
    if (!args.empty() && args.front() == sample::delete_me_switch)
        return sample::finish_self_removal(program, {args.begin() + 1, args.end()}) ? removed : partly_removed;
    bool quiet = false;
    for (const auto& arg : args) {
        if (lstrcmpiW(arg.c_str(), L"/quiet") == 0)
            quiet = true;
        else
            return bad_switch;
    }
    const messages say(quiet);

    const std::wstring installFolder = sample::parent_folder(program);
    if (installFolder.empty() || !sample::is_local_absolute_path(program)) {
        say.error(L"The uninstaller must run from the product's installation folder.");
        return unreadable;
    }
    const std::wstring logPath = installFolder + L"\\" + std::wstring(records::log_file_name);

    os::win32::file_system_adapter files;
    os::win32::code_page_adapter codePages;
    os::win32::shell_folders_adapter shell;
    const auto registry = os::win32::make_system_registry();
    const auto security = os::win32::make_system_security();
    UninstallLog log(records::make_journal_ports(files, shell, *registry, *security, codePages));
    log.Read(logPath);
    if (log.logVersion() != 1) {
        say.error(L"The uninstall log \"" + logPath + L"\" is missing or cannot be read.");
        return unreadable;
    }

    sample::uninstall_roots roots;
    roots.installFolder = installFolder;
    roots.menuFolders = menu_folders(log.shortcutPath());
    roots.desktops = {shell_folder(CSIDL_COMMON_DESKTOPDIRECTORY), shell_folder(CSIDL_DESKTOPDIRECTORY)};
    // The maker's shared and per-user data folders.
    for (const int csidl : {CSIDL_COMMON_APPDATA, CSIDL_APPDATA})
        if (const auto data = shell_folder(csidl); !data.empty())
            roots.dataFolders.push_back(data + L"\\" + std::wstring(product::company_folder));
    auto plan = sample::plan_uninstall(log.previousRecords(), roots, program, logPath);
    // The reader leaves out records whose paths no installation writes; the uninstaller takes such a
    // log as altered, as it does any record outside the product's folders.
    if (!plan.refusal && log.leftOutRecords() > 0) plan.refusal = L"a record names a path no installation writes";
    if (plan.refusal) {
        say.error(L"The uninstall log \"" + logPath + L"\" has been altered and is not used (" + *plan.refusal +
                  L"). Nothing was removed.");
        return refused;
    }

    if (!say.confirm(L"Do you want to remove " + std::wstring(product::title) + L" and all of its components?"))
        return cancelled;

    auto outcome = sample::run_uninstall(plan.steps, files, *registry);
    if (!sample::delete_file_forcibly(files, logPath)) outcome.failures.push_back(logPath);
    // The folders that still hold the uninstaller go with it.
    std::vector<std::wstring> holding;
    for (const auto& folder : outcome.keptFolders)
        if (sample::is_within(program, folder)) holding.push_back(folder);
    sample::start_self_removal(program, holding);
    SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_FLUSH, nullptr, nullptr);

    if (!outcome.failures.empty()) {
        std::wstring text = L"Some items could not be removed:";
        for (const auto& failure : outcome.failures) text += L"\n" + failure;
        say.error(text);
        return partly_removed;
    }
    return removed;
}
