// What the journal promises about the items it replaces, when the machine works against it: a
// backup on another volume, a backup that cannot be made, a restore that fails, a hive that cannot
// be restored, and links planted below a token's folder.
#include "records_fixture.h"

#include "os/win_error.h"
#include "support/error_assertions.h"
#include "vd/win_path.h"
#include "support/host_links.h"

#include <cstdint>
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace records_test {
namespace {

namespace fs = std::filesystem;

// Which host file a path is: the inode where the host has them; elsewhere 0, which every file shares.
std::uint64_t host_file_identity(const fs::path& path) {
#ifdef _WIN32
    (void)path;
    return 0;
#else
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 ? static_cast<std::uint64_t>(facts.st_ino) : 0;
#endif
}

const std::wstring common_data = L"C:\\ProgramData";
const std::wstring company_data = common_data + L"\\Vendrel & Vodoraru";
const std::wstring system_folder = L"C:\\Windows\\System32";
const std::wstring uninstall_key = std::wstring(UninstallLog::uninstall_root) + L"\\Lignotek 7";

class Replacing : public records_machine {
protected:
    fs::path host(const std::wstring& path) { return machine_->host_path(path).value(); }
};

TEST_F(Replacing, AFileOnAnotherVolumeIsBackedUpAndRestored) {
    // The installation folder on D:, the backups on C:: a rename cannot cross, a copy can.
    fs::create_directories(root_ / "D");
    const std::wstring file = L"D:\\Lignotek 7\\Lignotek.exe";
    make_folder(L"D:\\Lignotek 7");
    write_file(file, "7.07 program", os::file_attribute::readonly);
    const auto before = snapshot();
    auto log = journal();
    EXPECT_OK(log->RecordFile(file, 1, false, std::wstring_view(L"D:\\Lignotek 7")));
    const std::wstring backup = log->currentRecords().back().backupPath;
    ASSERT_TRUE(backup.starts_with(L"C:\\")) << backup;
    EXPECT_FALSE(exists(file));
    EXPECT_EQ(read_file(backup), "7.07 program");
    write_file(file, "7.08 program", os::file_attribute::readonly);
    log->CompleteLast(true);
    EXPECT_TRUE(log->Rollback().empty());
    EXPECT_EQ(read_file(file), "7.07 program");
    EXPECT_NE(attributes(file) & os::file_attribute::readonly, 0u);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(exists(backup));
}

TEST_F(Replacing, SharedDataComesBackIntoTheSameFileKeepingItsRights) {
    // Shared data is backed up by a copy and changed in place; moving the copy back would give the
    // file the rights of the folder the copy lay in.  The bytes go back into the file itself, so the
    // host file is still the same one (the same inode).
    const std::wstring work = L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{run}";
    const std::wstring file = company_data + L"\\Materials\\oak.mat";
    make_folder(work);
    make_folder(company_data + L"\\Materials");
    write_file(file, "the user's oak");
    const auto identity_before = host_file_identity(host(file));
    auto log = journal();
    log->UseBackupFolder(work);
    EXPECT_OK(log->RecordFile(file, 3, true, std::wstring_view(common_data)));
    EXPECT_EQ(read_file(file), "the user's oak") << "a copy leaves the file in place";
    const std::wstring backup = log->currentRecords().back().backupPath;
    write_file(file, "the product's oak");
    log->CompleteLast(true);
    EXPECT_TRUE(log->Rollback().empty());
    EXPECT_EQ(read_file(file), "the user's oak");
    EXPECT_FALSE(exists(backup));
    EXPECT_EQ(host_file_identity(host(file)), identity_before) << "the file was replaced by its copy";
}

TEST_F(Replacing, BackupsGoIntoTheRunsOwnFolder) {
    const std::wstring work = L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{run}";
    make_folder(work);
    make_folder(L"C:\\Program Files\\Lignotek 7");
    write_file(L"C:\\Program Files\\Lignotek 7\\a.dll", "old");
    auto log = journal();
    log->UseBackupFolder(work);
    EXPECT_OK(log->RecordFile(L"C:\\Program Files\\Lignotek 7\\a.dll", 0, false));
    EXPECT_TRUE(log->currentRecords().back().backupPath.starts_with(work + L"\\vd"));
    EXPECT_TRUE(log->MakeBackupCopy(std::nullopt, false).starts_with(work + L"\\vd"));
}

TEST_F(Replacing, AFileThatCannotBeBackedUpIsRefusedAndKept) {
    const std::wstring file = L"C:\\Program Files\\Lignotek 7\\Lignotek.exe";
    make_folder(L"C:\\Program Files\\Lignotek 7");
    write_file(file, "7.07 program");
    machine_->set_temp_path(std::wstring());  // no folder to put a backup in
    auto log = journal();
    EXPECT_TRUE(log->RecordFile(file, 1, false));
    EXPECT_EQ(log->currentRecords().back().backupPath, L"");
    EXPECT_EQ(read_file(file), "7.07 program");
    log->CompleteLast(false);
    EXPECT_TRUE(log->Rollback().empty());
    EXPECT_EQ(read_file(file), "7.07 program");
}

TEST_F(Replacing, AFailedRestoreKeepsTheBackupAndIsReported) {
    const std::wstring file = L"C:\\Program Files\\Lignotek 7\\Lignotek.exe";
    make_folder(L"C:\\Program Files\\Lignotek 7");
    write_file(file, "7.07 program");
    auto log = journal();
    EXPECT_OK(log->RecordFile(file, 1, false));
    const std::wstring backup = log->currentRecords().back().backupPath;
    write_file(file, "7.08 program");
    log->CompleteLast(true);
    // Another process holds the backup without letting it be moved: the new file must stay
    // rather than leave the place empty.
    std::unique_ptr<os::file> holder;
    ASSERT_OK(machine_->open(backup, os::file_access::read, os::file_disposition::open_existing, os::file_share::read,
                             holder));
    const RecordList kept = log->Rollback();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().path, file);
    EXPECT_EQ(kept.front().backupPath, backup);
    EXPECT_TRUE(log->currentRecords().empty());
    EXPECT_EQ(read_file(file), "7.08 program");
    EXPECT_EQ(read_file(backup), "7.07 program");
}

TEST_F(Replacing, AHiveThatCannotBeRestoredIsKept) {
    os::registry_handle key = 0;
    bool existed = false;
    ASSERT_OK(registry_->create_key(os::hkey::local_machine, uninstall_key, os::key_access::all_access, key, existed));
    const os::unique_key closer(*registry_, key);
    auto log = journal();
    log->RecordUninstallKey(key);
    log->CompleteLast(true);
    const std::wstring hive = log->currentRecords().back().backupPath;
    ASSERT_FALSE(hive.empty());
    security_.set_privilege_held(L"SeRestorePrivilege", std::nullopt);  // the restore fails with 1314
    const RecordList kept = log->Rollback();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept.front().kind, RecordKind::UninstallKey);
    EXPECT_TRUE(exists(hive));
}

TEST_F(Replacing, NothingIsDoneThroughALinkBelowTheTokensFolder) {
    REQUIRE_HOST_LINKS();
    // A system folder holding a file of the name the payload places, and links an ordinary user
    // could have planted before the installation, each at another level.
    make_folder(system_folder + L"\\Target");
    struct case_t {
        const char* what;
        std::wstring link;    // planted at this path
        std::wstring target;  // pointing here
        std::wstring file;    // what the payload places
    };
    const case_t cases[] = {
        {"the company folder", company_data, system_folder + L"\\Target", company_data + L"\\Materials\\wood.dat"},
        {"a folder below it", company_data + L"\\Materials", system_folder + L"\\Target",
         company_data + L"\\Materials\\wood.dat"},
        {"the file itself", company_data + L"\\Textures\\wood.dat", system_folder + L"\\Target\\wood.dat",
         company_data + L"\\Textures\\wood.dat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        write_file(system_folder + L"\\Target\\wood.dat", "system file", os::file_attribute::readonly);
        make_folder(vd::path::parent(c.link));
        const auto before = snapshot();
        std::error_code ec;
        if (c.link.ends_with(L"wood.dat"))
            fs::create_symlink(host(c.target), host(c.link), ec);
        else
            fs::create_directory_symlink(host(c.target), host(c.link), ec);
        ASSERT_FALSE(ec) << ec.message();
        auto log = journal();
        EXPECT_EQ(log->RecordFile(c.file, 3, false, std::wstring_view(common_data)),
                  os::win_error(os::errc::reparse_point_encountered));
        EXPECT_EQ(read_file(system_folder + L"\\Target\\wood.dat"), "system file");
        EXPECT_EQ(log->currentRecords().back().backupPath, L"");
        log->CompleteLast(false);
        EXPECT_TRUE(log->Rollback().empty());
        EXPECT_EQ(read_file(system_folder + L"\\Target\\wood.dat"), "system file");
        EXPECT_TRUE(temp_files().empty());
        fs::remove(host(c.link));
        EXPECT_EQ(snapshot(), before);
        (void)machine_->set_attributes(system_folder + L"\\Target\\wood.dat", os::file_attribute::normal);
    }
}

TEST_F(Replacing, ALinkPlantedAfterTheBackupStopsTheRestore) {
    REQUIRE_HOST_LINKS();
    make_folder(company_data + L"\\Materials");
    make_folder(system_folder + L"\\Target");
    write_file(company_data + L"\\Materials\\wood.dat", "earlier wood");
    auto log = journal();
    EXPECT_OK(log->RecordFile(company_data + L"\\Materials\\wood.dat", 3, false, std::wstring_view(common_data)));
    const std::wstring backup = log->currentRecords().back().backupPath;
    log->CompleteLast(false);
    // The folder is swapped for a link to a system folder before the rollback.
    fs::rename(host(company_data + L"\\Materials"), root_ / "moved");
    fs::create_directory_symlink(host(system_folder + L"\\Target"), host(company_data) / "Materials");
    const RecordList kept = log->Rollback();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(read_file(backup), "earlier wood");
    EXPECT_FALSE(exists(system_folder + L"\\Target\\wood.dat"));
}

}  // namespace
}  // namespace records_test
