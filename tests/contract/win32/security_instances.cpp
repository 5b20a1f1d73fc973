// Win32-only: the security contract on the Win32 adapter, with scratch files in a temporary folder.
#include "contract/security_contract.h"
#include "os/win32/security_win32.h"

#include <windows.h>

#include <string>
#include <vector>

namespace contract {
namespace {

bool running_on_wine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class system_subject final : public security_subject {
public:
    system_subject() : adapter_(os::win32::make_system_security()) {
        wchar_t temp[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH + 1, temp);
        folder_ = std::wstring(temp) + L"lignotek-security-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                  std::to_wstring(GetTickCount64());
        CreateDirectoryW(folder_.c_str(), nullptr);
    }
    ~system_subject() override {
        for (auto it = made_.rbegin(); it != made_.rend(); ++it) {
            if (!DeleteFileW(it->c_str())) RemoveDirectoryW(it->c_str());
        }
        RemoveDirectoryW(folder_.c_str());
    }

    os::security& security() override { return *adapter_; }
    std::wstring make_file() override {
        std::wstring path = next_name(L".dat");
        const HANDLE file =
            CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
        return path;
    }
    std::wstring make_folder() override {
        std::wstring path = next_name(L"");
        CreateDirectoryW(path.c_str(), nullptr);
        return path;
    }
    std::wstring missing_path() override { return folder_ + L"\\missing.dat"; }
    bool is_wine() const override { return running_on_wine(); }

private:
    std::wstring next_name(const wchar_t* extension) {
        made_.push_back(folder_ + L"\\item" + std::to_wstring(made_.size() + 1) + extension);
        return made_.back();
    }

    std::unique_ptr<os::security> adapter_;
    std::wstring folder_;
    std::vector<std::wstring> made_;
};

INSTANTIATE_TEST_SUITE_P(Win32, SecurityContract,
                         testing::Values(factory_of<security_subject, system_subject>("System")), subject_name{});

}  // namespace
}  // namespace contract
