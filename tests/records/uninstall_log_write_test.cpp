// Writing the uninstall log: the exact bytes, the merge with the previous log, the attributes and
// the end of every backup.
#include "records_fixture.h"

#include "os/native/refusing_file_system.h"
#include "os/win_error.h"
#include "records/journal_wiring.h"
#include "records/log_format.h"

#include <filesystem>

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

// Where writing the new log fails.
enum class failure { none, first_write, later_write, flush, rename };

// The machine's file system, except that the log being written breaks down at one point: a full disk
// on the first or a later write, a flush the disk refuses, or a rename that another process blocks.
class failing_log_files final : public os::native::refusing_file_system {
public:
    failing_log_files(os::file_system& machine, failure where) : machine_(machine), where_(where) {}

    std::error_code open(std::wstring_view path, os::file_access access, os::file_disposition disposition,
                         std::uint32_t share, std::unique_ptr<os::file>& opened) override {
        if (auto error = machine_.open(path, access, disposition, share, opened)) return error;
        if (access != os::file_access::read && path.find(L"Uninstall.ulog") != std::wstring_view::npos)
            opened = std::make_unique<failing_file>(std::move(opened), where_);
        return {};
    }
    std::error_code move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) override {
        if (where_ == failure::rename && to.ends_with(L"Uninstall.ulog"))
            return os::win_error(os::errc::sharing_violation);
        return machine_.move_file(from, to, flags);
    }
    std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override {
        return machine_.get_attributes(path, attributes);
    }
    std::error_code set_attributes(std::wstring_view path, std::uint32_t attributes) override {
        return machine_.set_attributes(path, attributes);
    }
    std::error_code create_directory(std::wstring_view path) override { return machine_.create_directory(path); }
    std::error_code delete_file(std::wstring_view path) override { return machine_.delete_file(path); }
    std::error_code copy_file(std::wstring_view from, std::wstring_view to, bool fail_if_exists) override {
        return machine_.copy_file(from, to, fail_if_exists);
    }
    std::error_code temp_path(std::wstring& path) override { return machine_.temp_path(path); }
    std::error_code temp_file_name(std::wstring_view folder, std::wstring_view prefix, std::wstring& path) override {
        return machine_.temp_file_name(folder, prefix, path);
    }

private:
    class failing_file final : public os::file {
    public:
        failing_file(std::unique_ptr<os::file> inner, failure where) : inner_(std::move(inner)), where_(where) {}
        std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
            return inner_->read(buffer, count);
        }
        std::error_code write(std::span<const std::byte> data) override {
            ++writes_;
            if ((where_ == failure::first_write && writes_ == 1) || (where_ == failure::later_write && writes_ == 5))
                return os::win_error(os::errc::disk_full);
            return inner_->write(data);
        }
        std::error_code seek(std::uint64_t offset) override { return inner_->seek(offset); }
        std::error_code size(std::uint64_t& bytes) override { return inner_->size(bytes); }
        std::error_code flush() override {
            if (where_ == failure::flush) return os::win_error(os::errc::disk_full);
            return inner_->flush();
        }
        std::error_code close() override { return inner_->close(); }

    private:
        std::unique_ptr<os::file> inner_;
        failure where_;
        int writes_ = 0;
    };

    os::file_system& machine_;
    failure where_;
};

TEST_F(WriteLog, AFailedWriteLeavesTheOldLogWholeAndKeepsTheBackups) {
    const std::wstring file = install + L"\\main.exe";
    const struct {
        const char* what;
        failure where;
    } cases[] = {
        {"disk full at once", failure::first_write},
        {"disk full half-way", failure::later_write},
        {"flush refused", failure::flush},
        {"rename blocked", failure::rename},
    };
    for (const auto& c : cases) {
        // The earlier installation's log, read-only as Write leaves it.
        ASSERT_TRUE(journal()->Write(log_path, install, menu)) << c.what;
        const std::string old_log = read_file(log_path);
        write_file(file, "old");

        failing_log_files files(*machine_, c.where);
        auto ports = records::make_journal_ports(files, *machine_, *registry_, security_, code_pages_);
        UninstallLog log(ports);
        log.RecordFile(file, 1, false);
        const std::wstring backup = log.currentRecords().back().backupPath;
        ASSERT_FALSE(backup.empty()) << c.what;
        write_file(file, "new");
        log.CompleteLast(true);

        EXPECT_FALSE(log.Write(log_path, install, menu)) << c.what;
        EXPECT_EQ(read_file(log_path), old_log) << c.what;
        EXPECT_EQ(attributes(log_path), 0x2021u) << c.what;
        EXPECT_FALSE(exists(log_path + L".new")) << c.what;
        // Without a log that records the replacement, what the file held before is kept.
        EXPECT_EQ(read_file(backup), "old") << c.what;
        EXPECT_EQ(log.currentRecords().back().backupPath, backup) << c.what;
        ASSERT_FALSE(machine_->delete_file(backup)) << c.what;
    }
}

TEST_F(WriteLog, ALogThatCannotBeCreatedKeepsEveryBackup) {
    const std::wstring file = install + L"\\main.exe";
    write_file(file, "old", os::file_attribute::readonly);
    auto log = journal();
    log->RecordFile(file, 1, false);
    const std::wstring backup = log->currentRecords().back().backupPath;
    ASSERT_FALSE(backup.empty());
    write_file(file, "new");
    log->CompleteLast(true);
    EXPECT_FALSE(log->Write(L"C:\\no such folder\\Uninstall.ulog", install, menu));
    EXPECT_EQ(read_file(backup), "old");
    EXPECT_EQ(log->currentRecords().back().backupPath, backup);
    EXPECT_EQ(read_file(file), "new");

    // Once a log is in place, the backups go.
    EXPECT_TRUE(log->Write(log_path, install, menu));
    EXPECT_FALSE(exists(backup));
    EXPECT_TRUE(log->currentRecords().back().backupPath.empty());
    EXPECT_TRUE(temp_files().empty());
}

TEST_F(WriteLog, LinksPlantedAtTheLogOrItsSiblingAreReplacedNotWrittenThrough) {
    const std::wstring victim = L"C:\\Windows\\System32\\victim.dll";
    make_folder(L"C:\\Windows\\System32");
    const struct {
        const char* what;
        std::wstring planted;
    } cases[] = {
        {"the log is a link", log_path},
        {"the sibling is a link", log_path + L".new"},
    };
    for (const auto& c : cases) {
        write_file(victim, "system code");
        if (exists(log_path)) {
            ASSERT_FALSE(machine_->set_attributes(log_path, os::file_attribute::normal));
            ASSERT_FALSE(machine_->delete_file(log_path));
        }
        std::error_code made;
        std::filesystem::create_symlink(*machine_->host_path(victim), *machine_->host_path(c.planted), made);
        if (made) GTEST_SKIP() << "the host makes no symbolic links here (under Wine): " << made.message();
        ASSERT_TRUE(journal()->Write(log_path, install, menu)) << c.what;
        EXPECT_EQ(read_file(victim), "system code") << c.what;
        EXPECT_EQ(attributes(victim) & os::file_attribute::readonly, 0u) << c.what;
        EXPECT_EQ(read_file(log_path), utf16_file(expected_header(L"Lignotek 7.08r"))) << c.what;
        EXPECT_EQ(attributes(log_path), 0x2021u) << c.what;
        EXPECT_FALSE(exists(log_path + L".new")) << c.what;
    }
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
