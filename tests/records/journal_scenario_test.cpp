// Replaying an installation's recording sequence on the doubles, then ending it either way:
// Rollback gives back the machine exactly as it was, Write leaves the installation and no backup.
#include "records_fixture.h"

#include "os/win_error.h"
#include "records/log_format.h"
#include "support/error_assertions.h"

#include <span>

namespace records_test {
namespace {

const std::wstring company = L"C:\\Program Files\\Vendrel & Vodoraru";
const std::wstring install = company + L"\\Lignotek 7";
const std::wstring shared = L"C:\\ProgramData\\Vendrel & Vodoraru\\Shared";
const std::wstring menu = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring desktop = L"C:\\Users\\Public\\Desktop";
const std::wstring uninstall_root(UninstallLog::uninstall_root);

std::span<const std::byte> bytes_of(std::wstring_view text) {
    return std::as_bytes(std::span(text.data(), text.size() + 1));
}

class Installation : public records_machine {
protected:
    void SetUp() override {
        records_machine::SetUp();
        make_folder(L"C:\\Program Files");
        make_folder(shared);
        make_folder(desktop);
        // What the machine held before: a shared file that an earlier release placed, a read-only
        // language library in the way of the new one, and an old desktop shortcut.
        write_file(shared + L"\\textures.dat", "old textures",
                   os::file_attribute::readonly | os::file_attribute::archive);
        write_file(desktop + L"\\Lignotek 7.07.lnk", "old link");
    }

    // The uninstall key with the values of an earlier installation, or none.
    void earlier_uninstall_key() {
        os::registry_handle key = 0;
        bool existed = false;
        ASSERT_OK(registry_->create_key(os::hkey::local_machine, uninstall_root + L"\\Lignotek 7",
                                        os::key_access::all_access, key, existed));
        const os::unique_key closer(*registry_, key);
        ASSERT_OK(registry_->set_value(key, L"DisplayName", os::reg_type::sz, bytes_of(L"Lignotek 7.07")));
        os::registry_handle sub = 0;
        ASSERT_OK(registry_->create_key(key, L"Extra", os::key_access::all_access, sub, existed));
        const os::unique_key sub_closer(*registry_, sub);
        const std::uint32_t one = 1;
        ASSERT_OK(registry_->set_value(sub, L"Flag", os::reg_type::dword, std::as_bytes(std::span(&one, 1))));
    }

    // The recording sequence of one installation, each step acting on the machine as it says.
    void install_everything(UninstallLog& log, bool fail_desktop_shortcut = false) {
        // A language library and the two programs into the new installation folder.
        for (const auto& [name, kind] :
             {std::pair{L"Lignotek_EN.dll", 0}, {L"Lignotek.exe", 1}, {L"Uninstall.exe", 2}}) {
            const std::wstring path = install + L"\\" + name;
            log.RecordFile(path, kind, false);
            write_file(path, "new " + std::to_string(kind));
            log.CompleteLast(true);
        }
        // A shared file over an existing read-only one, and one the earlier release left that stays.
        log.RecordFile(shared + L"\\textures.dat", 3, true);
        log.CompleteLast(true);
        log.RecordFile(shared + L"\\Sub\\new.dat", 3, false);
        write_file(shared + L"\\Sub\\new.dat", "fresh");
        log.CompleteLast(true);
        // Start-menu shortcuts in a new folder, then the desktop one.
        log.RecordShortcut(0, menu);
        write_file(menu + L"\\Lignotek 7.lnk", "menu link");
        log.CompleteLast(true, std::wstring_view(menu + L"\\Lignotek 7.lnk"));
        log.RecordShortcut(1, menu);
        write_file(menu + L"\\Uninstall.lnk", "uninstall link");
        log.CompleteLast(true, std::wstring_view(menu + L"\\Uninstall.lnk"));
        log.RecordShortcut(2, desktop);
        if (fail_desktop_shortcut) {
            log.CompleteLast(false);
        } else {
            write_file(desktop + L"\\Lignotek 7.08r.lnk", "desktop link");
            log.CompleteLast(true, std::wstring_view(desktop + L"\\Lignotek 7.08r.lnk"));
        }
        log.RecordDirectXUpdate();
        log.CompleteLast(true, std::wstring_view(L"#"));
        // The uninstall key: created, or opened when it existed.
        os::registry_handle key = 0;
        bool existed = false;
        ASSERT_OK(registry_->create_key(os::hkey::local_machine, uninstall_root + L"\\Lignotek 7",
                                        os::key_access::all_access, key, existed));
        const os::unique_key closer(*registry_, key);
        log.RecordUninstallKey(existed ? key : 0);
        ASSERT_OK(registry_->set_value(key, L"DisplayName", os::reg_type::sz, bytes_of(L"Lignotek 7.08r")));
        ASSERT_OK(
            registry_->set_value(key, L"UninstallString", os::reg_type::sz, bytes_of(install + L"\\Uninstall.exe")));
        (void)registry_->delete_tree(key, L"Extra");
        log.CompleteLast(true);
        log.RecordRegistration();
        log.CompleteLast(true);
    }

    std::optional<os::native::memory_registry::node> uninstall_tree() {
        return registry_->snapshot(os::hkey::local_machine, uninstall_root + L"\\Lignotek 7");
    }
};

TEST_F(Installation, RecordsFollowTheStepsInOrder) {
    auto log = journal();
    install_everything(*log);
    std::vector<std::pair<RecordKind, std::wstring>> got;
    for (const auto& r : log->currentRecords()) got.emplace_back(r.kind, r.path);
    const std::vector<std::pair<RecordKind, std::wstring>> expected{
        {RecordKind::Directory, company},
        {RecordKind::Directory, install},
        {RecordKind::File, install + L"\\Lignotek_EN.dll"},
        {RecordKind::File, install + L"\\Lignotek.exe"},
        {RecordKind::File, install + L"\\Uninstall.exe"},
        {RecordKind::File, shared + L"\\textures.dat"},
        {RecordKind::Directory, shared + L"\\Sub"},
        {RecordKind::File, shared + L"\\Sub\\new.dat"},
        {RecordKind::Directory, L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru"},
        {RecordKind::Directory, menu},
        {RecordKind::MenuShortcut, menu + L"\\Lignotek 7.lnk"},
        {RecordKind::UninstallShortcut, menu + L"\\Uninstall.lnk"},
        {RecordKind::DesktopShortcut, desktop + L"\\Lignotek 7.08r.lnk"},
        {RecordKind::DirectXUpdate, L"#"},
        {RecordKind::UninstallKey, L""},
        {RecordKind::Registration, L""},
    };
    EXPECT_EQ(got, expected);
    EXPECT_EQ(machine_->folders_notified(),
              (std::vector<std::wstring>{
                  company, install, shared + L"\\Sub",
                  L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru", menu}));
    EXPECT_FALSE(log->lastPending());
    // The shared file left in place keeps its content and attributes; its copy carries them too.
    const auto& kept = *std::next(log->currentRecords().begin(), 5);
    EXPECT_EQ(read_file(shared + L"\\textures.dat"), "old textures");
    EXPECT_EQ(read_file(kept.backupPath), "old textures");
    EXPECT_EQ(attributes(kept.backupPath), attributes(shared + L"\\textures.dat"));
    EXPECT_TRUE(kept.backupPath.starts_with(L"C:\\Users\\User\\AppData\\Local\\Temp\\vd"));
    EXPECT_TRUE(kept.backupPath.ends_with(L".tmp"));
}

TEST_F(Installation, RollbackGivesBackTheMachineAsItWas) {
    for (const bool key_existed : {false, true}) {
        SCOPED_TRACE(key_existed ? "uninstall key existed" : "fresh uninstall key");
        if (key_existed) earlier_uninstall_key();
        const auto files_before = snapshot();
        const auto key_before = uninstall_tree();
        auto log = journal();
        // An earlier log whose desktop shortcut is moved away when the new one is recorded.
        write_file(L"C:\\old.ulog",
                   utf16_file(L"// Uninstall Log File v1\r\n0000:04ff:1 -- " + desktop + L"\\Lignotek 7.07.lnk\r\n"));
        log->Read(std::wstring_view(L"C:\\old.ulog"));
        const auto with_log = snapshot();
        install_everything(*log);
        ASSERT_NE(snapshot(), with_log);
        EXPECT_FALSE(exists(desktop + L"\\Lignotek 7.07.lnk"));

        log->Rollback();
        EXPECT_TRUE(log->currentRecords().empty());
        EXPECT_EQ(log->previousRecords().size(), 1u);
        EXPECT_EQ(snapshot(), with_log);
        EXPECT_TRUE(temp_files().empty());
        const auto key_after = uninstall_tree();
        ASSERT_EQ(key_after.has_value(), key_before.has_value());
        if (key_before) {
            EXPECT_TRUE(os::native::same_tree(*key_before, *key_after));
        }
        EXPECT_EQ(registry_->open_handles(), 0u);
        EXPECT_EQ(security_.privilege_enabled(L"SeBackupPrivilege"), false);
        EXPECT_EQ(security_.privilege_enabled(L"SeRestorePrivilege"), false);
        (void)machine_->set_attributes(L"C:\\old.ulog", os::file_attribute::normal);
        (void)machine_->delete_file(L"C:\\old.ulog");
        EXPECT_EQ(snapshot(), files_before);
    }
}

TEST_F(Installation, WriteKeepsTheInstallationAndEndsEveryBackup) {
    earlier_uninstall_key();
    auto log = journal();
    write_file(L"C:\\old.ulog",
               utf16_file(L"// Uninstall Log File v1\r\n0000:04ff:1 -- " + desktop + L"\\Lignotek 7.07.lnk\r\n"));
    log->Read(std::wstring_view(L"C:\\old.ulog"));
    install_everything(*log);
    std::vector<std::wstring> backups;
    for (const auto& r : log->currentRecords())
        if (!r.backupPath.empty()) backups.push_back(r.backupPath);
    ASSERT_EQ(backups.size(), 3u);  // the shared file's copy, the old shortcut, the key's hive
    auto installed = snapshot();
    for (const auto& b : backups) installed.erase(b);

    const std::wstring log_path = install + L"\\Uninstall.ulog";
    ASSERT_TRUE(log->Write(log_path, install, menu));
    for (const auto& b : backups) EXPECT_FALSE(exists(b));
    EXPECT_TRUE(temp_files().empty());
    auto after = snapshot();
    after.erase(log_path);
    EXPECT_EQ(after, installed);
    const std::string text = read_file(log_path);
    EXPECT_TRUE(text.ends_with(utf16_file(L"0015:06ff:1 -- HKEY_CLASSES_ROOT\\...\r\n").substr(2)));
    // The earlier log's desktop record is replaced by this run's.
    EXPECT_EQ(text.find(utf16_file(L"7.07.lnk").substr(2)), std::string::npos);
}

TEST_F(Installation, ReadOnlyFileMovedToABackupAndBack) {
    const std::wstring file = install + L"\\Lignotek.exe";
    make_folder(install);
    write_file(file, "7.07 program", os::file_attribute::readonly);
    const auto before = snapshot();
    auto log = journal();
    log->RecordFile(file, 1, false);
    const std::wstring backup = log->currentRecords().back().backupPath;
    ASSERT_FALSE(backup.empty());
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(read_file(backup), "7.07 program");
    EXPECT_NE(attributes(backup) & os::file_attribute::readonly, 0u);
    write_file(file, "7.08 program");
    log->CompleteLast(true);
    log->Rollback();
    EXPECT_EQ(snapshot(), before);
}

TEST_F(Installation, BackupsFailWhenTheTemporaryFolderIsTooLongOrMissing) {
    const std::wstring file = install + L"\\Lignotek.exe";
    make_folder(install);
    write_file(file, "7.07 program");
    for (const std::wstring& temp : {L"C:\\" + std::wstring(244, L't') + L"\\", std::wstring()}) {
        if (!temp.empty()) make_folder(temp.substr(0, temp.size() - 1));
        machine_->set_temp_path(temp);
        auto log = journal();
        log->RecordFile(file, 1, false);
        EXPECT_EQ(log->currentRecords().back().backupPath, L"");
        EXPECT_EQ(read_file(file), "7.07 program");
        // The existing file was overwritten in place: undoing the step keeps it rather than
        // deleting what was there before.
        write_file(file, "7.08 program");
        log->CompleteLast(true);
        log->Rollback();
        EXPECT_EQ(read_file(file), "7.08 program");
        write_file(file, "7.07 program");
    }
    // 246 characters still fit.
    const std::wstring fits = L"C:\\" + std::wstring(242, L'u') + L"\\";
    ASSERT_EQ(fits.size(), 246u);
    make_folder(fits.substr(0, fits.size() - 1));
    machine_->set_temp_path(fits);
    auto log = journal();
    EXPECT_NE(log->MakeBackupCopy(std::nullopt, false), L"");
}

TEST_F(Installation, AKeyThatCannotBeSavedIsLeftInPlaceByRollback) {
    earlier_uninstall_key();
    const auto before = uninstall_tree();
    // Without the privilege in the token, the save fails with 1314.
    security_.set_privilege_held(L"SeBackupPrivilege", std::nullopt);
    auto log = journal();
    install_everything(*log);
    auto key_record = std::prev(log->currentRecords().end(), 2);
    ASSERT_EQ(key_record->kind, RecordKind::UninstallKey);
    EXPECT_EQ(key_record->backupPath, L"");
    EXPECT_EQ(temp_files().size(), 1u);  // the shared file's copy only: no hive file
    log->Rollback();
    const auto after = uninstall_tree();
    ASSERT_TRUE(after);
    EXPECT_FALSE(os::native::same_tree(*before, *after));  // the new values stay: there is no backup
    EXPECT_TRUE(temp_files().empty());
}

TEST_F(Installation, CompletionLandsOnlyOnThePendingRecord) {
    auto log = journal();
    log->CompleteLast(true, std::wstring_view(L"nothing pending"));
    EXPECT_TRUE(log->currentRecords().empty());
    log->RecordDirectXUpdate();
    log->CompleteLast(false, std::wstring_view(L"#"));
    log->CompleteLast(true, std::wstring_view(L"second"));
    EXPECT_EQ(log->currentRecords().back().path, L"#");
    EXPECT_FALSE(log->currentRecords().back().flag);
    log->Rollback();
    log->Rollback();
    EXPECT_TRUE(log->currentRecords().empty());
}

TEST_F(Installation, AFailedShortcutStillGetsTheOldOneBackOnRollback) {
    auto log = journal();
    write_file(L"C:\\old.ulog",
               utf16_file(L"// Uninstall Log File v1\r\n0000:04ff:1 -- " + desktop + L"\\Lignotek 7.07.lnk\r\n"));
    log->Read(std::wstring_view(L"C:\\old.ulog"));
    install_everything(*log, true);
    const auto& r = *std::prev(log->currentRecords().end(), 4);
    ASSERT_EQ(r.kind, RecordKind::DesktopShortcut);
    EXPECT_EQ(r.path, L"");
    EXPECT_FALSE(r.flag);
    EXPECT_EQ(read_file(r.backupPath), "old link");
    EXPECT_FALSE(exists(desktop + L"\\Lignotek 7.07.lnk"));
    log->Rollback();
    EXPECT_EQ(read_file(desktop + L"\\Lignotek 7.07.lnk"), "old link");
    EXPECT_TRUE(temp_files().empty());
}

TEST_F(Installation, FoldersThatDoNotFitThePathBufferAreNotCreated) {
    auto log = journal();
    const std::wstring deep = L"C:\\" + std::wstring(120, L'a') + L"\\" + std::wstring(140, L'b');
    log->CreateRecordedDirectories(deep);
    EXPECT_TRUE(log->currentRecords().empty());
    EXPECT_FALSE(exists(L"C:\\" + std::wstring(120, L'a')));
    // A file in the way of a folder stops the creation without further records.
    write_file(L"C:\\blocker", "x");
    log->CreateRecordedDirectories(L"C:\\blocker\\inner");
    log->CreateRecordedDirectories(L"C:\\fresh\\inner");
    ASSERT_EQ(log->currentRecords().size(), 2u);
    EXPECT_EQ(log->currentRecords().front().path, L"C:\\fresh");
    EXPECT_EQ(log->currentRecords().back().path, L"C:\\fresh\\inner");
}

}  // namespace
}  // namespace records_test
