// The shell-folders contract on the table double.
#include "contract/shell_folders_contract.h"

#include "os/native/shell_folders_double.h"

namespace contract {
namespace {

class double_subject final : public shell_folders_subject {
public:
    os::shell_folders& shell() override { return double_; }

private:
    os::native::shell_folders_double double_;
};

INSTANTIATE_TEST_SUITE_P(Table, ShellFoldersContract,
                         testing::Values(factory_of<shell_folders_subject, double_subject>("Table")), subject_name{});

}  // namespace
}  // namespace contract
