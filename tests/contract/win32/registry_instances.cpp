// Win32-only: the registry contract on the system registry, in a scratch key of the current user
// that is removed first and last.
#include "contract/registry_contract.h"

#include "os/security.h"
#include "vd/security.h"
#include "support/win32/running_under_wine.h"
#include "os/win32/registry_win32.h"
#include "os/win32/security_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace contract {
namespace {

class system_subject final : public registry_subject {
public:
    system_subject() : registry_(os::win32::make_system_registry()), security_(os::win32::make_system_security()) {
        scratch_ = L"Software\\LignotekTests\\" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
                   std::to_wstring(::GetTickCount());
        (void)registry_->delete_tree(os::hkey::current_user, scratch_);
        os::registry_handle h = 0;
        bool existed = false;
        (void)registry_->create_key(os::hkey::current_user, scratch_, os::key_access::all_access, h, existed);
        registry_->close_key(h);
        wchar_t temp[MAX_PATH + 1] = {};
        ::GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"lignotek-registry-" + std::to_wstring(::GetCurrentProcessId());
        ::CreateDirectoryW(folder_.c_str(), nullptr);
    }
    ~system_subject() override {
        (void)registry_->delete_tree(os::hkey::current_user, scratch_);
        for (const auto& f : files_) {
            ::SetFileAttributesW(f.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileW(f.c_str());
        }
        ::RemoveDirectoryW(folder_.c_str());
        (void)vd::security::set_privilege(*security_, L"SeBackupPrivilege", false);
        (void)vd::security::set_privilege(*security_, L"SeRestorePrivilege", false);
    }
    os::registry& reg() override { return *registry_; }
    os::registry_handle scratch_root() const override { return os::hkey::current_user; }
    std::wstring scratch_path() const override { return scratch_; }
    std::wstring hive_file(const std::wstring& name) override {
        files_.push_back(folder_ + L"\\" + name);
        ::DeleteFileW(files_.back().c_str());
        return files_.back();
    }
    bool file_exists(const std::wstring& path) override {
        return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    void write_file(const std::wstring& path, const std::string& bytes) override {
        const HANDLE h =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
    }
    void set_privilege(const std::wstring& name, bool enable) override {
        (void)vd::security::set_privilege(*security_, name, enable);
    }
    bool under_wine() const override { return test_support::running_under_wine(); }

private:
    std::unique_ptr<os::registry> registry_;
    std::unique_ptr<os::security> security_;
    std::wstring scratch_;
    std::wstring folder_;
    std::vector<std::wstring> files_;
};

INSTANTIATE_TEST_SUITE_P(SystemRegistry, RegistryContract,
                         testing::Values(factory_of<registry_subject, system_subject>("SystemRegistry")),
                         subject_name{});

}  // namespace
}  // namespace contract
