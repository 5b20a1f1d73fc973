// The file-system contract on the directory machine.
#include "contract/file_system_contract.h"

#include "os/native/directory_machine.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace contract {
namespace {

class directory_subject final : public file_system_subject {
public:
    directory_subject() {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("lignotek-fs-contract-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(root_);
        machine_ = std::make_unique<os::native::directory_machine>(root_);
        (void)machine_->create_directory(L"C:\\Scratch");
    }
    ~directory_subject() override {
        machine_.reset();
        std::error_code ec;
        // Read-only files would not stop root, but keep the host tidy for other users too.
        for (auto& e : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    os::file_system& fs() override { return *machine_; }
    std::wstring scratch() const override { return L"C:\\Scratch"; }
    bool make_link(const std::wstring& link, const std::wstring& target, bool folder) override {
        const auto at = machine_->host_path(link);
        const auto to = machine_->host_path(target);
        if (!at || !to) return false;
        std::error_code ec;
        if (folder)
            std::filesystem::create_directory_symlink(*to, *at, ec);
        else
            std::filesystem::create_symlink(*to, *at, ec);
        return !ec;
    }
    bool make_hard_link(const std::wstring& link, const std::wstring& target) override {
        const auto at = machine_->host_path(link);
        const auto to = machine_->host_path(target);
        std::error_code ec;
        if (at && to) std::filesystem::create_hard_link(*to, *at, ec);
        return at && to && !ec;
    }
    std::wstring planted_link() override {
        (void)machine_->create_directory(L"C:\\Planted target");
        return make_link(L"C:\\Scratch\\planted", L"C:\\Planted target", true) ? L"C:\\Scratch\\planted"
                                                                               : std::wstring();
    }
    std::wstring other_volume_scratch() const override {
        std::error_code ec;
        std::filesystem::create_directories(root_ / "D" / "Scratch", ec);
        return ec ? std::wstring() : L"D:\\Scratch";
    }

private:
    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
};

INSTANTIATE_TEST_SUITE_P(DirectoryMachine, FileSystemContract,
                         testing::Values(subject_factory<file_system_subject>{
                             "DirectoryMachine",
                             [] {
                                 return std::unique_ptr<file_system_subject>(std::make_unique<directory_subject>());
                             }}),
                         subject_name{});

}  // namespace
}  // namespace contract
