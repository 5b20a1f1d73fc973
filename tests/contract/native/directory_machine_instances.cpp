// The shell-folders contract on the directory machine, whose folders are those of a default
// Windows installation below a scratch host folder.
#include "contract/shell_folders_contract.h"

#include "os/native/directory_machine.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace contract {
namespace {

class directory_machine_subject final : public shell_folders_subject {
public:
    directory_machine_subject()
        : root_(std::filesystem::temp_directory_path() /
                ("lignotek-shell-contract-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++))),
          machine_(root_) {}
    ~directory_machine_subject() override {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    os::shell_folders& shell() override { return machine_; }

private:
    static inline std::atomic<int> counter_{0};
    std::filesystem::path root_;
    os::native::directory_machine machine_;
};

INSTANTIATE_TEST_SUITE_P(
    DirectoryMachine, ShellFoldersContract,
    testing::Values(factory_of<shell_folders_subject, directory_machine_subject>("DirectoryMachine")), subject_name{});

}  // namespace
}  // namespace contract
