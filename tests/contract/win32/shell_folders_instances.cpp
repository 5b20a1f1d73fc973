// Win32-only: the shell-folders contract on the shell, and on the table double for comparison.
#include "contract/shell_folders_contract.h"

#include <windows.h>

#include "os/native/shell_folders_double.h"
#include "os/win32/shell_folders_win32.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

class shell_subject final : public shell_folders_subject {
public:
    os::shell_folders& shell() override { return adapter_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

private:
    os::win32::shell_folders_adapter adapter_;
};

class double_subject final : public shell_folders_subject {
public:
    os::shell_folders& shell() override { return double_; }

private:
    os::native::shell_folders_double double_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ShellFoldersContract,
                         testing::Values(factory_of<shell_folders_subject, shell_subject>("Shell"),
                                         factory_of<shell_folders_subject, double_subject>("Table")),
                         subject_name{});

}  // namespace
}  // namespace contract
