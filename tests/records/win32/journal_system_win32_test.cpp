// Win32-only: the journal against the real system under test: file backups in the user's
// temporary folder with their attributes, the written log's attributes, and the hive save of an
// existing uninstall key with SeBackupPrivilege.
#include "os/code_page.h"
#include "os/security.h"
#include "os/win_error.h"
#include "os/win32/code_page_win32.h"
#include "os/win32/file_system_win32.h"
#include "os/win32/shell_folders_win32.h"
#include "records/journal_wiring.h"
#include "records/uninstall_log.h"
#include "os/win32/registry_win32.h"
#include "os/win32/security_win32.h"
#include "support/win32/running_under_wine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

namespace {

using test_support::running_under_wine;

class SystemJournal : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH + 1] = {};
        ASSERT_NE(::GetTempPathW(MAX_PATH, temp), 0u);
        temp_ = temp;
        folder_ = temp_ + L"lignotek-journal-" + std::to_wstring(::GetCurrentProcessId());
        remove_folder();
        ASSERT_TRUE(::CreateDirectoryW(folder_.c_str(), nullptr));
        registry_ = os::win32::make_system_registry();
        security_ = os::win32::make_system_security();
        identity_.productKeyName = L"LignotekTests " + std::to_wstring(::GetCurrentProcessId());
        (void)registry_->delete_tree(os::hkey::local_machine, key_path());
    }
    void TearDown() override {
        (void)registry_->delete_tree(os::hkey::local_machine, key_path());
        remove_folder();
    }
    std::wstring key_path() const {
        return std::wstring(UninstallLog::uninstall_root) + L"\\" + identity_.productKeyName;
    }
    void remove_folder() {
        WIN32_FIND_DATAW data;
        const HANDLE find = ::FindFirstFileW((folder_ + L"\\*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring path = folder_ + L"\\" + data.cFileName;
                ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path.c_str());
            } while (::FindNextFileW(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryW(folder_.c_str());
    }
    void write(const std::wstring& path, const std::string& bytes, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
        const HANDLE h =
            ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(h, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        ::CloseHandle(h);
        ::SetFileAttributesW(path.c_str(), attributes);
    }
    std::string read(const std::wstring& path) {
        const HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE) return "<missing>";
        std::string out(4096, '\0');
        DWORD got = 0;
        ::ReadFile(h, out.data(), static_cast<DWORD>(out.size()), &got, nullptr);
        ::CloseHandle(h);
        out.resize(got);
        return out;
    }
    std::unique_ptr<UninstallLog> journal() {
        return std::make_unique<UninstallLog>(
            records::make_journal_ports(files_, shell_, *registry_, *security_, code_pages_), identity_);
    }

    os::win32::file_system_adapter files_;
    os::win32::shell_folders_adapter shell_;
    os::win32::code_page_adapter code_pages_;
    std::unique_ptr<os::registry> registry_;
    std::unique_ptr<os::security> security_;
    journal_identity identity_;
    std::wstring temp_;
    std::wstring folder_;
};

TEST_F(SystemJournal, AReadOnlyFileGoesToABackupAndComesBack) {
    const std::wstring file = folder_ + L"\\Lignotek.exe";
    write(file, "7.07 program", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    auto log = journal();
    log->RecordFile(file, 1, false);
    const std::wstring backup = log->currentRecords().back().backupPath;
    ASSERT_FALSE(backup.empty());
    EXPECT_EQ(backup.rfind(temp_ + L"vd", 0), 0u);
    EXPECT_EQ(::GetFileAttributesW(file.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(::GetFileAttributesW(backup.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    write(file, "7.08 program");
    log->CompleteLast(true);
    log->Rollback();
    EXPECT_EQ(read(file), "7.07 program");
    EXPECT_EQ(::GetFileAttributesW(file.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE),
              DWORD{FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE});
    EXPECT_EQ(::GetFileAttributesW(backup.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SystemJournal, WriteEndsTheBackupsAndLeavesAReadOnlyLog) {
    const std::wstring shared = folder_ + L"\\shared.dat";
    write(shared, "shared data", FILE_ATTRIBUTE_READONLY);
    auto log = journal();
    log->RecordFile(shared, 3, true);
    log->CompleteLast(true);
    const std::wstring copy = log->currentRecords().back().backupPath;
    ASSERT_FALSE(copy.empty());
    EXPECT_EQ(read(copy), "shared data");
    EXPECT_NE(::GetFileAttributesW(copy.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);

    const std::wstring log_path = folder_ + L"\\Uninstall.ulog";
    ASSERT_TRUE(log->Write(log_path, folder_, folder_));
    EXPECT_EQ(::GetFileAttributesW(copy.c_str()), INVALID_FILE_ATTRIBUTES);
    const DWORD attributes = ::GetFileAttributesW(log_path.c_str());
    EXPECT_EQ(attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE), DWORD{0x21});
    if (!running_under_wine()) {
        EXPECT_NE(attributes & FILE_ATTRIBUTE_NOT_CONTENT_INDEXED, 0u);
    }
    // A second Write replaces the read-only log.
    auto again = journal();
    EXPECT_TRUE(again->Write(log_path, folder_, folder_));
    EXPECT_EQ(read(log_path).substr(0, 2), "\xFF\xFE");
}

TEST_F(SystemJournal, AnExistingUninstallKeyIsSavedToAHive) {
    os::registry_handle key = 0;
    bool existed = false;
    ASSERT_FALSE(registry_->create_key(os::hkey::local_machine, key_path(), os::key_access::all_access, key, existed));
    const os::unique_key closer(*registry_, key);
    const wchar_t name[] = L"Lignotek 7.07";
    ASSERT_FALSE(registry_->set_value(key, L"DisplayName", os::reg_type::sz, std::as_bytes(std::span(name))));

    auto log = journal();
    log->RecordUninstallKey(key);
    log->CompleteLast(true);
    const std::wstring hive = log->currentRecords().back().backupPath;
    ASSERT_FALSE(hive.empty()) << "the hive save failed";
    EXPECT_NE(read(hive), "<missing>");
    EXPECT_GT(read(hive).size(), 0u);
    if (running_under_wine()) {
        // Wine's RegRestoreKeyW restores nothing, so undoing an existing key is proven on the
        // in-memory registry; here the write ends the backup.
        EXPECT_TRUE(log->Write(folder_ + L"\\Uninstall.ulog", folder_, folder_));
        EXPECT_EQ(::GetFileAttributesW(hive.c_str()), INVALID_FILE_ATTRIBUTES);
        return;
    }
    log->Rollback();
    EXPECT_EQ(::GetFileAttributesW(hive.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(SystemJournal, AFreshUninstallKeyIsDeletedByRollback) {
    os::registry_handle key = 0;
    bool existed = true;
    ASSERT_FALSE(registry_->create_key(os::hkey::local_machine, key_path() + L"\\Sub", os::key_access::all_access, key,
                                       existed));
    registry_->close_key(key);
    auto log = journal();
    log->RecordUninstallKey(0);
    log->CompleteLast(true);
    log->Rollback();
    os::registry_handle gone = 0;
    EXPECT_EQ(registry_->open_key(os::hkey::local_machine, key_path(), os::key_access::read, gone),
              os::win_error(os::errc::file_not_found));
}

}  // namespace
