// Writing the uninstall log: the exact bytes, the merge with the previous log, the attributes and
// the end of every backup.
#include "records_fixture.h"

#include "records/log_format.h"

namespace records_test {
namespace {

const std::wstring log_path = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\Uninstall.ulog";
const std::wstring install = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring menu = L"C:\\Menu";

std::wstring expected_header(std::wstring_view line2) {
    return L"// Uninstall Log File v1\r\n"
           L"// ############ WARNING: Do not delete or modify this file. ############\r\n"
           L"// Install " +
           std::wstring(line2) +
           L"\r\n"
           L"// Install Path : " +
           install +
           L"\r\n"
           L"// Shortcut Path : " +
           menu +
           L"\r\n"
           L"// " +
           std::wstring(16 + menu.size(), L'-') + L"\r\n";
}

class WriteLog : public records_machine {
protected:
    void SetUp() override {
        records_machine::SetUp();
        make_folder(install);
        make_folder(menu);
    }
};

TEST_F(WriteLog, AFirstInstallationWritesTheFormatExactly) {
    auto log = journal();
    log->RecordFile(install + L"\\Uninstall.exe", 2, false);
    log->CompleteLast(true);
    log->RecordShortcut(0, menu);
    log->CompleteLast(true, std::wstring_view(L"C:\\Menu\\Lignotek 7.lnk"));
    log->RecordDirectXUpdate();
    log->CompleteLast(true, std::wstring_view(L"#"));
    log->RecordUninstallKey(0);
    log->CompleteLast(true);
    log->RecordRegistration();
    log->CompleteLast(false);
    ASSERT_TRUE(log->Write(log_path, install, menu));

    EXPECT_EQ(read_file(log_path),
              utf16_file(expected_header(L"Lignotek 7.08r") + L"0000:0102:1 -- " + install +
                         L"\\Uninstall.exe\r\n"
                         L"0001:02ff:1 -- C:\\Menu\\Lignotek 7.lnk\r\n"
                         L"0002:07ff:1 -- #\r\n"
                         L"0003:05ff:1 -- "
                         L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7\r\n"
                         L"0004:06ff:0 -- HKEY_CLASSES_ROOT\\...\r\n"));
    EXPECT_EQ(attributes(log_path), 0x2021u);
    EXPECT_EQ(std::next(log->currentRecords().begin(), 3)->path,
              L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7");

    // A later Write replaces the read-only file.
    auto again = journal();
    EXPECT_TRUE(again->Write(log_path, install, menu));
    EXPECT_EQ(read_file(log_path), utf16_file(expected_header(L"Lignotek 7.08r")));
}

TEST_F(WriteLog, AReinstallationMergesThePreviousRecordsAhead) {
    const std::wstring a = install + L"\\a.dll";
    const std::wstring gone = install + L"\\gone.dll";
    write_file(L"C:\\old.ulog",
               utf16_file(L"// Uninstall Log File v1\r\n//\r\n// Install Lignotek 7.08r -- Update (Lignotek 7.07)\r\n"
                          L"// Install Path : " +
                          install + L"\r\n// Shortcut Path : " + menu +
                          L"\r\n//-\r\n"
                          L"0000:00ff:1 -- C:\\Program Files\\Vendrel & Vodoraru\r\n"
                          L"0001:0100:1 -- " +
                          gone +
                          L"\r\n"
                          L"0002:0100:1 -- " +
                          install +
                          L"/A.DLL\r\n"
                          L"0003:0103:1 -- C:\\Shared\\s.dat\r\n"
                          L"0004:0103:0 -- C:\\Shared\\s.dat\r\n"
                          L"0005:07ff:1 -- #\r\n"
                          L"0006:04ff:1 -- C:\\Desktop\\old.lnk\r\n"
                          L"0007:04ff:1 -- C:\\Desktop\\older.lnk\r\n"
                          L"0008:05ff:1 -- HKEY\r\n"));
    make_folder(L"C:\\Desktop");
    auto log = journal();
    log->Read(std::wstring_view(L"C:\\old.ulog"));
    EXPECT_TRUE(log->WasPlacedBefore(gone));
    EXPECT_FALSE(log->WasPlacedBefore(install + L"\\GONE.dll"));
    EXPECT_TRUE(log->WasPlacedBefore(L"C:\\Shared\\s.dat"));
    log->RecordFile(a, 0, false);
    log->CompleteLast(true);
    log->RecordShortcut(2, L"C:\\Desktop");
    log->CompleteLast(true, std::wstring_view(L"C:\\Desktop\\new.lnk"));
    log->RecordUninstallKey(0);
    log->CompleteLast(true);
    ASSERT_TRUE(log->Write(log_path, install, menu));
    EXPECT_TRUE(log->previousRecords().empty());

    EXPECT_EQ(
        read_file(log_path),
        utf16_file(expected_header(L"Lignotek 7.08r -- Update (Lignotek 7.08r)") +
                   L"0000:00ff:1 -- C:\\Program Files\\Vendrel & Vodoraru\r\n"
                   L"0001:0100:1 -- " +
                   gone +
                   L"\r\n"
                   L"0002:0103:0 -- C:\\Shared\\s.dat\r\n"
                   L"0003:07ff:1 -- #\r\n"
                   L"0004:0100:1 -- " +
                   a +
                   L"\r\n"
                   L"0005:04ff:1 -- C:\\Desktop\\new.lnk\r\n"
                   L"0006:05ff:1 -- "
                   L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7\r\n"));
}

TEST_F(WriteLog, AFileThatCannotBeCreatedStillEndsEveryBackup) {
    const std::wstring file = install + L"\\main.exe";
    write_file(file, "old", os::file_attribute::readonly);
    auto log = journal();
    log->RecordFile(file, 1, false);
    const std::wstring backup = log->currentRecords().back().backupPath;
    ASSERT_FALSE(backup.empty());
    write_file(file, "new");
    log->CompleteLast(true);
    EXPECT_FALSE(log->Write(L"C:\\no such folder\\Uninstall.ulog", install, menu));
    EXPECT_FALSE(exists(backup));
    EXPECT_TRUE(log->currentRecords().back().backupPath.empty());
    EXPECT_EQ(read_file(file), "new");
    EXPECT_TRUE(temp_files().empty());
}

TEST_F(WriteLog, PositionsPassFourDigits) {
    auto log = journal();
    for (int i = 0; i < 10001; ++i) {
        log->RecordDirectXUpdate();
        log->CompleteLast(true, std::wstring_view(L"#"));
    }
    ASSERT_TRUE(log->Write(log_path, install, menu));
    const std::string bytes = read_file(log_path);
    EXPECT_NE(bytes.find(utf16_file(L"10000:07ff:1 -- #\r\n").substr(2)), std::string::npos);
    EXPECT_TRUE(bytes.ends_with(utf16_file(L"\r\n10000:07ff:1 -- #\r\n").substr(2)));
}

}  // namespace
}  // namespace records_test
