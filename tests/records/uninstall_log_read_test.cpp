// Reading an earlier installation's uninstall log: what is taken, and where a bad line stops it.
#include "records_fixture.h"

#include "records/log_format.h"

namespace records_test {
namespace {

const std::wstring header =
    L"// Uninstall Log File v1\r\n"
    L"// ############ WARNING: Do not delete or modify this file. ############\r\n"
    L"// Install Lignotek 7.07 -- Update (Lignotek 7.06)\r\n"
    L"// Install Path : C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\r\n"
    L"// Shortcut Path : C:\\Menu\r\n"
    L"// -------------------------\r\n";

class ReadLog : public records_machine {
protected:
    void SetUp() override {
        records_machine::SetUp();
        make_folder(L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7");
        make_folder(L"C:\\Menu");
        log_ = journal();
    }
    void read(std::string_view bytes) {
        write_file(L"C:\\Uninstall.ulog", bytes);
        log_->Read(std::wstring_view(L"C:\\Uninstall.ulog"));
    }
    [[nodiscard]] std::vector<std::wstring> paths() const {
        std::vector<std::wstring> out;
        for (const auto& r : log_->previousRecords()) out.push_back(r.path);
        return out;
    }
    std::unique_ptr<UninstallLog> log_;
};

TEST_F(ReadLog, AWrittenLogGivesFoldersTitleAndRecordsInFileOrder) {
    read(utf16_file(header + L"0000:00ff:1 -- C:\\A\r\n0001:0102:1 -- C:\\A\\Uninstall.exe\r\n"
                             L"0002:05ff:1 -- HKEY_LOCAL_MACHINE\\Software\\x\r\n0003:0103:0 --\r\n"));
    EXPECT_EQ(log_->installPath(), L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7");
    EXPECT_EQ(log_->shortcutPath(), L"C:\\Menu");
    EXPECT_EQ(log_->previousLogTitle(), L"Lignotek 7.07");  // never the chain of updates
    // The file record without a path names nothing this program could act on and is left out.
    EXPECT_EQ(paths(), (std::vector<std::wstring>{L"C:\\A", L"C:\\A\\Uninstall.exe", L""}));
    const auto& records = log_->previousRecords();
    EXPECT_EQ(std::next(records.begin(), 1)->kind, RecordKind::File);
    EXPECT_EQ(std::next(records.begin(), 1)->entryKind, 2);
    EXPECT_EQ(records.back().kind, RecordKind::UninstallKey);
    // The list walks from either end.
    EXPECT_EQ(records.rbegin()->path, L"");
    EXPECT_EQ(std::next(records.rbegin(), 2)->path, L"C:\\A");
}

TEST_F(ReadLog, ABadLineStopsTheParseAndKeepsWhatCameBefore) {
    struct row {
        const char* name;
        std::wstring tail;
        std::vector<std::wstring> expected;
    };
    const row rows[] = {
        {"blank line", L"0000:00ff:1 -- C:\\A\r\n\r\n0001:00ff:1 -- C:\\B\r\n", {L"C:\\A"}},
        {"kind 8", L"0000:00ff:1 -- C:\\A\r\n0001:08ff:1 -- C:\\B\r\n0002:00ff:1 -- C:\\C\r\n", {L"C:\\A"}},
        {"negative position", L"0000:00ff:1 -- C:\\A\r\n-001:00ff:1 -- C:\\B\r\n", {L"C:\\A"}},
        {"no separator", L"0000:00ff:1 -- C:\\A\r\n0001:00ff:1 C:\\B\r\n", {L"C:\\A"}},
        {"last line without line end", L"0000:00ff:1 -- C:\\A\r\n0001:00ff:1 -- C:\\B", {L"C:\\A", L"C:\\B"}},
        {"line beginning with a null is skipped",
         L"0000:00ff:1 -- C:\\A\r\n" + std::wstring(1, L'\0') + L"junk\r\n0001:00ff:1 -- C:\\B\r\n",
         {L"C:\\A", L"C:\\B"}},
        {"a null ends the line's text", L"0000:00ff:1 -- C:\\A" + std::wstring(1, L'\0') + L"tail\r\n", {L"C:\\A"}},
        {"header lines after the records are ignored",
         L"0000:00ff:1 -- C:\\A\r\n// note\r\n0001:00ff:1 -- C:\\B\r\n",
         {L"C:\\A", L"C:\\B"}},
    };
    for (const auto& r : rows) {
        log_ = journal();
        read(utf16_file(header + r.tail));
        EXPECT_EQ(paths(), r.expected) << r.name;
        EXPECT_EQ(log_->installPath(), L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7") << r.name;
    }
}

TEST_F(ReadLog, HeaderRules) {
    struct row {
        const char* name;
        std::wstring text;
        std::size_t records;
        std::wstring install;
        std::wstring title;
    };
    const std::wstring rec = L"0000:00ff:1 -- C:\\A\r\n";
    const std::wstring l1 = L"// x\r\n";
    const std::wstring l2 = L"// Install T\r\n";
    const std::wstring l4 = L"// Shortcut Path : C:\\Menu\r\n";
    const std::wstring l3 = L"// Install Path : C:\\Menu\r\n";
    const row rows[] = {
        {"version 2", L"// Uninstall Log File v2\r\n" + l1 + l2 + l3 + l4 + rec, 0, L"", L""},
        {"no signature", L"// Uninstall Log v1\r\n" + rec, 0, L"", L""},
        {"enormous version", L"// Uninstall Log File v4294967297\r\n" + l1 + l2 + l3 + l4 + rec, 0, L"", L""},
        {"version with trailing text", L"//Uninstall Log File v1beta\r\n" + l1 + l2 + l3 + l4 + rec, 1, L"C:\\Menu",
         L"T"},
        {"record before the version", rec + L"// Uninstall Log File v1\r\n", 0, L"", L""},
        {"line 2 without keyword", L"// Uninstall Log File v1\r\n" + l1 + L"// Setup T\r\n" + l3 + rec, 0, L"", L""},
        {"line 3 without keyword", L"// Uninstall Log File v1\r\n" + l1 + l2 + L"// Path C:\\Menu\r\n" + rec, 0, L"",
         L"T"},
        {"folder that is gone",
         L"// Uninstall Log File v1\r\n" + l1 + l2 + L"// Install Path : C:\\Gone\r\n" + l4 + rec, 1, L"", L"T"},
        {"several slashes and blanks", L"/// \t Uninstall Log File v 1\r\n" + l1 + l2 + l3 + l4 + rec, 1, L"C:\\Menu",
         L"T"},
    };
    for (const auto& r : rows) {
        log_ = journal();
        read(utf16_file(r.text));
        EXPECT_EQ(log_->previousRecords().size(), r.records) << r.name;
        EXPECT_EQ(log_->installPath(), r.install) << r.name;
        EXPECT_EQ(log_->previousLogTitle(), r.title) << r.name;
    }
}

TEST_F(ReadLog, OnlyRecordsNamingLocalFullPathsAreUsed) {
    struct row {
        const char* name;
        std::wstring line;
        bool used;
    };
    const row rows[] = {
        {"a folder", L"0001:00ff:1 -- C:\\Program Files\\Vendrel & Vodoraru", true},
        {"a file with forward slashes", L"0001:0100:1 -- d:/Data/x.dll", true},
        {"a shortcut", L"0001:02ff:1 -- C:\\Menu\\Lignotek 7.LNK", true},
        {"the uninstall key", L"0001:05ff:1 -- HKEY_LOCAL_MACHINE\\x", true},
        {"the registration", L"0001:06ff:1 -- HKEY_CLASSES_ROOT\\...", true},
        {"the DirectX step's text", L"0001:07ff:1 -- #", true},
        {"a name with a dot inside", L"0001:0100:1 -- C:\\a\\..b.\\x.dll", true},

        {"a climbing element", L"0001:0100:1 -- C:\\Program Files\\..\\Windows\\System32\\x.dll", false},
        {"a climbing element spelled with blanks", L"0001:00ff:1 -- C:\\a\\.. \\b", false},
        {"a dot element", L"0001:0100:1 -- C:\\.\\x.dll", false},
        {"a network share", L"0001:0100:1 -- \\\\server\\share\\x.dll", false},
        {"a network share with slashes", L"0001:00ff:1 -- //server/share", false},
        {"a long-path prefix", L"0001:0100:1 -- \\\\?\\C:\\x.dll", false},
        {"a device", L"0001:0100:1 -- \\\\.\\PhysicalDrive0", false},
        {"an object-manager prefix", L"0001:0100:1 -- \\??\\C:\\x.dll", false},
        {"a relative path", L"0001:0100:1 -- x.dll", false},
        {"a drive-relative path", L"0001:0100:1 -- C:x.dll", false},
        {"a rooted path without a drive", L"0001:00ff:1 -- \\Windows", false},
        {"a stream name", L"0001:0100:1 -- C:\\a\\x.dll:hidden", false},
        {"a wildcard", L"0001:0100:1 -- C:\\a\\*.dll", false},
        {"a file record without a path", L"0001:0100:0 --", false},
        {"a shortcut that is no .lnk", L"0001:04ff:1 -- C:\\Windows\\System32\\kernel32.dll", false},
        {"a shortcut whose creation failed", L"0001:02ff:0 --", false},
        {"a shortcut on a share", L"0001:03ff:1 -- \\\\server\\share\\x.lnk", false},
    };
    for (const auto& r : rows) {
        log_ = journal();
        read(utf16_file(header + L"0000:00ff:1 -- C:\\A\r\n" + r.line + L"\r\n0002:00ff:1 -- C:\\B\r\n"));
        // A record left out does not end the parse: the record after it is still read.
        const std::size_t expected = r.used ? 3u : 2u;
        ASSERT_EQ(log_->previousRecords().size(), expected) << r.name;
        EXPECT_EQ(log_->previousRecords().back().path, L"C:\\B") << r.name;
        // What was left out is counted, so that a reader which must not act on an altered log knows.
        EXPECT_EQ(log_->leftOutRecords(), r.used ? 0u : 1u) << r.name;
    }
}

TEST_F(ReadLog, FolderLinesAreTakenOnlyAsLocalFullPaths) {
    make_folder(L"C:\\Menu\\Sub");
    struct row {
        const char* name;
        std::wstring folder;
        std::wstring taken;
    };
    const row rows[] = {
        {"a local folder", L"C:\\Menu", L"C:\\Menu"},
        {"a climbing element", L"C:\\Menu\\Sub\\..", L""},
        {"a network share", L"\\\\server\\share", L""},
        {"a device path", L"\\\\?\\C:\\Menu", L""},
        {"a relative folder", L"Menu", L""},
    };
    for (const auto& r : rows) {
        log_ = journal();
        read(utf16_file(L"// Uninstall Log File v1\r\n//\r\n// Install T\r\n// Install Path : " + r.folder +
                        L"\r\n// Shortcut Path : " + r.folder + L"\r\n// ---\r\n0000:00ff:1 -- C:\\A\r\n"));
        EXPECT_EQ(log_->installPath(), r.taken) << r.name;
        EXPECT_EQ(log_->shortcutPath(), r.taken) << r.name;
        EXPECT_EQ(log_->previousRecords().size(), 1u) << r.name;
    }
}

TEST_F(ReadLog, ALogWrittenWithEmptyFoldersReadsBack) {
    const struct {
        const char* what;
        std::wstring install;
        std::wstring menu;
    } cases[] = {
        {"no Start-menu folder", L"C:\\Menu", L""},
        {"no installation folder", L"", L"C:\\Menu"},
        {"neither", L"", L""},
    };
    for (const auto& c : cases) {
        auto writer = journal();
        writer->RecordDirectXUpdate();
        writer->CompleteLast(true, std::wstring_view(L"#"));
        ASSERT_TRUE(writer->Write(L"C:\\Written.ulog", c.install, c.menu)) << c.what;

        log_ = journal();
        log_->Read(std::wstring_view(L"C:\\Written.ulog"));
        EXPECT_EQ(log_->installPath(), c.install) << c.what;
        EXPECT_EQ(log_->shortcutPath(), c.menu) << c.what;
        EXPECT_EQ(log_->previousLogTitle(), L"Lignotek 7.08r") << c.what;
        ASSERT_EQ(log_->previousRecords().size(), 1u) << c.what;
        EXPECT_EQ(log_->previousRecords().front().kind, RecordKind::DirectXUpdate) << c.what;
    }
}

TEST_F(ReadLog, WithoutByteOrderMarkTheLogIsAnsiText) {
    make_folder(L"C:\\Caf\u00e9 \u20ac");
    read(
        "// Uninstall Log File v1\n//\n// Install Lignotek 7.07\r\n// Install Path : C:\\Caf\xe9 \x80\r\n"
        "// Shortcut Path : C:\\Menu\n//--\n0000:0101:1 -- C:\\Caf\xe9 \x80\\x.dll\n");
    EXPECT_EQ(log_->installPath(), L"C:\\Caf\u00e9 \u20ac");
    EXPECT_EQ(paths(), std::vector<std::wstring>{L"C:\\Caf\u00e9 \u20ac\\x.dll"});
    EXPECT_EQ(log_->previousLogTitle(), L"Lignotek 7.07");
}

TEST_F(ReadLog, LinesLongerThanTheBufferStopTheParse) {
    const std::wstring fits = L"0001:00ff:1 -- C:\\" + std::wstring(511 - 20, L'x') + L"\r\n";  // 511 units
    ASSERT_EQ(fits.size(), 511u);
    const std::wstring too_long = L"0002:00ff:1 -- C:\\" + std::wstring(511 - 19, L'y') + L"\r\n";
    read(utf16_file(header + L"0000:00ff:1 -- C:\\A\r\n" + fits + too_long + L"0003:00ff:1 -- C:\\B\r\n"));
    EXPECT_EQ(paths(), (std::vector<std::wstring>{L"C:\\A", fits.substr(15, fits.size() - 17)}));

    log_ = journal();
    std::string ansi =
        "// Uninstall Log File v1\r\n0000:00ff:1 -- C:\\A\r\n0001:00ff:1 -- " + std::string(1100, 'z') + "\r\n";
    read(ansi);
    EXPECT_EQ(paths(), std::vector<std::wstring>{L"C:\\A"});
}

TEST_F(ReadLog, InvalidUtf16IsKeptAsCodeUnitsAndAnOddLastByteIsIgnored) {
    std::string bytes = utf16_file(header + L"0000:00ff:1 -- C:\\");
    bytes += std::string("\x00\xD8", 2);  // a lone high surrogate
    bytes += std::string(
        "\r\x00\n\x00"
        "A",
        5);
    read(bytes);
    ASSERT_EQ(log_->previousRecords().size(), 1u);
    EXPECT_EQ(log_->previousRecords().front().path, std::wstring(L"C:\\") + static_cast<wchar_t>(0xD800));
}

TEST_F(ReadLog, NullPathOrMissingFileClearsOnlyTheFolders) {
    read(utf16_file(header + L"0000:00ff:1 -- C:\\A\r\n"));
    ASSERT_FALSE(log_->installPath().empty());
    log_->Read(std::nullopt);
    EXPECT_EQ(log_->installPath(), L"");
    EXPECT_EQ(log_->shortcutPath(), L"");
    EXPECT_EQ(log_->previousRecords().size(), 1u);
    log_->Read(std::wstring_view(L"C:\\nothing\\Uninstall.ulog"));
    EXPECT_EQ(log_->previousRecords().size(), 1u);
}

}  // namespace
}  // namespace records_test
