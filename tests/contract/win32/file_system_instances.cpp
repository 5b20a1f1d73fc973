// Win32-only: the file-system contract on the Win32 adapter (in a scratch folder under the
// temporary directory) and on the directory machine.
#include "contract/file_system_contract.h"

#include <windows.h>

#include "os/native/directory_machine.h"
#include "os/win32/file_system_win32.h"
#include "support/win32/running_under_wine.h"

#include <atomic>
#include <filesystem>
#include <vector>

namespace contract {
namespace {

std::atomic<int> counter{0};

class win32_subject final : public file_system_subject {
public:
    win32_subject() {
        std::wstring temp;
        if (adapter_.temp_path(temp)) throw std::runtime_error("no temporary directory");
        scratch_ = temp + L"lignotek-fs-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                   std::to_wstring(counter++);
        remove_tree(scratch_);
        if (adapter_.create_directory(scratch_)) throw std::runtime_error("cannot create the scratch folder");
    }
    ~win32_subject() override {
        remove_tree(scratch_);
        for (const auto& other : others_) remove_tree(other);
    }
    os::file_system& fs() override { return adapter_; }
    std::wstring scratch() const override { return scratch_; }
    bool under_wine() const override { return test_support::running_under_wine(); }
    bool make_link(const std::wstring& link, const std::wstring& target, bool folder) override {
        // Wine 8's CreateSymbolicLinkW answers success, but its own lookups then find nothing at the
        // name (2) and a folder can be created there, unlike Windows; links under Wine are the ones
        // planted from outside (planted_link).
        if (under_wine()) return false;
        // SYMBOLIC_LINK_FLAG_DIRECTORY; the caller runs elevated, as the setup program does.
        return CreateSymbolicLinkW(link.c_str(), target.c_str(), folder ? 0x1 : 0x0) != 0;
    }
    bool make_hard_link(const std::wstring& link, const std::wstring& target) override {
        return CreateHardLinkW(link.c_str(), target.c_str(), nullptr) != FALSE;
    }
    std::wstring planted_link() override { return environment(L"LIGNOTEK_PLANTED_LINK"); }
    // LIGNOTEK_OTHER_VOLUME names a folder on a second volume (under Wine: a drive letter on another
    // file system, such as a tmpfs mounted for the test).
    std::wstring other_volume_scratch() const override {
        const std::wstring folder = environment(L"LIGNOTEK_OTHER_VOLUME");
        if (folder.empty()) return {};
        const std::wstring other = folder + L"\\lignotek-fs-contract-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                   std::to_wstring(counter++);
        if (!CreateDirectoryW(other.c_str(), nullptr)) return {};
        others_.push_back(other);
        return other;
    }

private:
    static std::wstring environment(const wchar_t* name) {
        wchar_t value[MAX_PATH] = {};
        const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
        return n == 0 || n >= MAX_PATH ? std::wstring() : std::wstring(value, n);
    }

    void remove_tree(const std::wstring& folder) {
        std::vector<os::directory_entry> entries;
        if (adapter_.list_directory(folder, entries)) return;
        for (const auto& e : entries) {
            const std::wstring path = folder + L"\\" + e.name;
            // A link goes by itself: what it points to is not the test's to remove.
            if (e.attributes & os::file_attribute::reparse_point) {
                if (adapter_.remove_directory(path)) (void)adapter_.delete_file(path);
                continue;
            }
            (void)adapter_.set_attributes(path, os::file_attribute::normal);
            if (e.attributes & os::file_attribute::directory)
                remove_tree(path);
            else
                (void)adapter_.delete_file(path);
        }
        (void)adapter_.remove_directory(folder);
    }

    os::win32::file_system_adapter adapter_;
    std::wstring scratch_;
    mutable std::vector<std::wstring> others_;
};

class directory_subject final : public file_system_subject {
public:
    directory_subject()
        : root_(std::filesystem::temp_directory_path() /
                ("lignotek-dm-contract-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++))) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        machine_ = std::make_unique<os::native::directory_machine>(root_);
        (void)machine_->create_directory(L"C:\\Scratch");
    }
    ~directory_subject() override {
        machine_.reset();
        std::error_code ec;
        for (auto& e : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }
    os::file_system& fs() override { return *machine_; }
    std::wstring scratch() const override { return L"C:\\Scratch"; }

private:
    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, FileSystemContract,
    testing::Values(
        subject_factory<file_system_subject>{
            "Kernel32", [] { return std::unique_ptr<file_system_subject>(std::make_unique<win32_subject>()); }},
        subject_factory<file_system_subject>{
            "DirectoryMachine",
            [] { return std::unique_ptr<file_system_subject>(std::make_unique<directory_subject>()); }}),
    subject_name{});

}  // namespace
}  // namespace contract
