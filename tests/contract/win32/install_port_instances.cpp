// Win32-only: the processes, modules and shell-links contracts on the system (programs of System32,
// links in a scratch folder under the temporary directory) and on the doubles for comparison.
#include "contract/install_port_doubles.h"

#include <windows.h>

#include "os/win32/file_system_win32.h"
#include "os/win32/modules_win32.h"
#include "os/win32/processes_win32.h"
#include "os/win32/shell_links_win32.h"

#include <array>
#include <stdexcept>

namespace contract {
namespace {

std::wstring system_folder() {
    std::array<wchar_t, MAX_PATH> buffer{};
    const UINT length = GetSystemDirectoryW(buffer.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) throw std::runtime_error("no system folder");
    return buffer.data();
}

class system_processes_subject final : public processes_subject {
public:
    os::processes& processes() override { return adapter_; }
    std::wstring command_exiting_with(std::uint32_t code) override {
        // cmd's exit takes a signed number: 0xFFFFFFF6 is -10.
        return L"\"" + system_folder() + L"\\cmd.exe\" /c exit " + std::to_wstring(static_cast<std::int32_t>(code));
    }
    std::wstring missing_program() override { return L"\"" + system_folder() + L"\\no-such-program.exe\""; }
    std::wstring working_folder() override { return system_folder(); }

private:
    os::win32::processes_adapter adapter_;
};

class system_modules_subject final : public modules_subject {
public:
    os::modules& modules() override { return adapter_; }
    std::wstring library_path() override { return system_folder() + L"\\kernel32.dll"; }
    const char* export_name() override { return "GetCurrentProcessId"; }
    std::wstring missing_library() override { return system_folder() + L"\\no-such-library.dll"; }

private:
    os::win32::modules_adapter adapter_;
};

class system_links_subject final : public shell_links_subject {
public:
    system_links_subject() {
        static int counter = 0;
        std::wstring temp;
        if (files_.temp_path(temp)) throw std::runtime_error("no temporary directory");
        scratch_ = temp + L"lignotek-links-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(counter++);
        remove_tree(scratch_);
        if (files_.create_directory(scratch_)) throw std::runtime_error("cannot create the scratch folder");
    }
    ~system_links_subject() override { remove_tree(scratch_); }
    os::shell_links& links() override { return adapter_; }
    os::file_system& files() override { return files_; }
    std::wstring scratch() const override { return scratch_; }

private:
    void remove_tree(const std::wstring& folder) {
        std::vector<os::directory_entry> entries;
        if (files_.list_directory(folder, entries)) return;
        for (const auto& e : entries) {
            const std::wstring path = folder + L"\\" + e.name;
            if (e.attributes & os::file_attribute::directory)
                remove_tree(path);
            else
                (void)files_.delete_file(path);
        }
        (void)files_.remove_directory(folder);
    }

    os::win32::file_system_adapter files_;
    os::win32::shell_links_adapter adapter_;
    std::wstring scratch_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, ProcessesContract,
    testing::Values(
        subject_factory<processes_subject>{"System", make_subject<system_processes_subject, processes_subject>},
        subject_factory<processes_subject>{"Scripted", make_subject<scripted_processes_subject, processes_subject>}),
    subject_name{});
INSTANTIATE_TEST_SUITE_P(
    Win32, ModulesContract,
    testing::Values(subject_factory<modules_subject>{"System", make_subject<system_modules_subject, modules_subject>},
                    subject_factory<modules_subject>{"Table", make_subject<module_table_subject, modules_subject>}),
    subject_name{});
INSTANTIATE_TEST_SUITE_P(
    Win32, ShellLinksContract,
    testing::Values(
        subject_factory<shell_links_subject>{"Shell", make_subject<system_links_subject, shell_links_subject>},
        subject_factory<shell_links_subject>{"Files", make_subject<file_links_subject, shell_links_subject>}),
    subject_name{});

}  // namespace
}  // namespace contract
