// Win32-only: the shell-folders contract on the shell, and on the table double for comparison.
#include "contract/shell_folders_contract.h"

#include <windows.h>

#include "os/native/shell_folders_double.h"
#include "os/win32/shell_folders_win32.h"

namespace contract {
namespace {

bool running_under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class shell_subject final : public shell_folders_subject {
public:
    os::shell_folders& shell() override { return adapter_; }
    bool under_wine() const override { return running_under_wine(); }

private:
    os::win32::shell_folders_adapter adapter_;
};

class double_subject final : public shell_folders_subject {
public:
    os::shell_folders& shell() override { return double_; }

private:
    os::native::shell_folders_double double_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, ShellFoldersContract,
    testing::Values(
        shell_folders_factory{"Shell",
                              [] { return std::unique_ptr<shell_folders_subject>(std::make_unique<shell_subject>()); }},
        shell_folders_factory{
            "Table", [] { return std::unique_ptr<shell_folders_subject>(std::make_unique<double_subject>()); }}),
    shell_folders_factory_name);

}  // namespace
}  // namespace contract
