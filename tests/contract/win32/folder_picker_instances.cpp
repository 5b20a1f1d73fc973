// Win32-only: the folder-picker contract on the shell (its picker driven by posted OK and Cancel
// commands from the picker's own events, in scratch folders of the temporary directory), and on
// the scripted double for comparison.
#include "contract/folder_picker_contract.h"

#include <windows.h>

#include <string>
#include <vector>

#include "contract/folder_picker_contract_double.h"
#include "os/win32/folder_picker_win32.h"
#include "vd/win_path.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

HWND hwnd_of(os::window_handle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

class shell_subject final : public folder_picker_subject {
public:
    shell_subject() {
        wchar_t temp[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, temp);
        scratch_ = vd::path::join(temp, L"lignotek-picker-contract-" + std::to_wstring(::GetCurrentProcessId()));
    }
    // The folders go in the reverse order of their making; a scratch folder that is not empty
    // (a test left something) stays.
    ~shell_subject() override {
        for (auto folder = made_.rbegin(); folder != made_.rend(); ++folder) ::RemoveDirectoryW(folder->c_str());
    }

    os::folder_picker& picker() override { return adapter_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

    std::wstring make_folder(std::wstring_view parent, std::wstring_view name) override {
        if (parent.empty()) {
            create(scratch_);
            parent = scratch_;
        }
        std::wstring folder = vd::path::join(parent, name);
        create(folder);
        return folder;
    }
    void press_ok(os::window_handle picker) override {
        ::PostMessageW(hwnd_of(picker), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
    void press_cancel(os::window_handle picker) override {
        ::PostMessageW(hwnd_of(picker), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    std::wstring edit_text(os::window_handle edit) override {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd_of(edit))) + 1, L'\0');
        const int copied = ::GetWindowTextW(hwnd_of(edit), text.data(), static_cast<int>(text.size()));
        text.resize(static_cast<std::size_t>(copied));
        return text;
    }
    bool edit_text_all_selected(os::window_handle edit) override {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageW(hwnd_of(edit), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return start == 0 && end == static_cast<DWORD>(::GetWindowTextLengthW(hwnd_of(edit)));
    }
    bool ok_enabled(os::window_handle picker) override {
        return ::IsWindowEnabled(::GetDlgItem(hwnd_of(picker), IDOK)) != FALSE;
    }

private:
    void create(const std::wstring& folder) {
        if (!::CreateDirectoryW(folder.c_str(), nullptr)) return;
        made_.push_back(folder);
        read_folder(vd::path::remove_file_spec(folder));
        read_folder(folder);
    }
    // Lists a folder once.  Wine's picker compares item ids byte for byte, times included, and
    // the first listing of a new folder moves its times: done here, it cannot happen between the
    // two item ids of one BFFM_SETSELECTIONW.
    static void read_folder(std::wstring_view folder) {
        WIN32_FIND_DATAW entry{};
        const HANDLE search = ::FindFirstFileW(vd::path::join(folder, L"*").c_str(), &entry);
        if (search == INVALID_HANDLE_VALUE) return;
        while (::FindNextFileW(search, &entry)) {}
        ::FindClose(search);
    }

    os::win32::folder_picker_adapter adapter_;
    std::wstring scratch_;
    std::vector<std::wstring> made_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, FolderPickerContract,
    testing::Values(
        subject_factory<folder_picker_subject>{
            "Shell", [] { return std::unique_ptr<folder_picker_subject>(std::make_unique<shell_subject>()); }},
        folder_picker_double_factory()),
    subject_name{});

}  // namespace
}  // namespace contract
