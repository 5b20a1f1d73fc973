// The characters of the uninstall log's lines: what the uninstaller reads.
#include "records/log_format.h"

#include <gtest/gtest.h>

namespace {

LogRecord rec(RecordKind kind, std::int32_t entry, bool flag, std::wstring path) {
    LogRecord r;
    r.kind = kind;
    r.entryKind = entry;
    r.flag = flag;
    r.path = std::move(path);
    return r;
}

TEST(LogFormat, RecordLinesCarryPositionCodeFlagAndPath) {
    struct row {
        std::size_t position;
        LogRecord record;
        std::wstring line;
    };
    const row rows[] = {
        {0, rec(RecordKind::Directory, -1, true, L"C:\\A"), L"0000:00ff:1 -- C:\\A\r\n"},
        {54, rec(RecordKind::File, 2, true, L"C:\\A\\Uninstall.exe"), L"0054:0102:1 -- C:\\A\\Uninstall.exe\r\n"},
        {3, rec(RecordKind::File, 3, false, L""), L"0003:0103:0 -- \r\n"},
        {73, rec(RecordKind::DirectXUpdate, -1, true, L"#"), L"0073:07ff:1 -- #\r\n"},
        {9999, rec(RecordKind::UninstallKey, -1, false, L"K"), L"9999:05ff:0 -- K\r\n"},
        {10000, rec(RecordKind::MenuShortcut, -1, true, L"x.lnk"), L"10000:02ff:1 -- x.lnk\r\n"},
    };
    for (const auto& r : rows) EXPECT_EQ(records::record_line(r.position, r.record), r.line);
}

TEST(LogFormat, HeaderOfAFirstInstallationAndOfAnUpdate) {
    const std::wstring menu =
        L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru\\Lignotek 7";
    const auto lines =
        records::header_lines(L"Lignotek 7.08r", L"", L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7", menu);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], L"// Uninstall Log File v1\r\n");
    EXPECT_EQ(lines[1], L"// ############ WARNING: Do not delete or modify this file. ############\r\n");
    EXPECT_EQ(lines[2], L"// Install Lignotek 7.08r\r\n");
    EXPECT_EQ(lines[3], L"// Install Path : C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\r\n");
    EXPECT_EQ(lines[4], L"// Shortcut Path : " + menu + L"\r\n");
    EXPECT_EQ(lines[5], L"// " + std::wstring(98, L'-') + L"\r\n");

    const auto update = records::header_lines(L"Lignotek 7.08r", L"Lignotek 7.07", L"", L"");
    EXPECT_EQ(update[2], L"// Install Lignotek 7.08r -- Update (Lignotek 7.07)\r\n");
    EXPECT_EQ(update[5], L"// " + std::wstring(16, L'-') + L"\r\n");
}

TEST(LogFormat, RecordLineParsing) {
    struct row {
        std::wstring line;
        bool ok;
        RecordKind kind;
        std::int32_t entry;
        bool flag;
        std::wstring path;
    };
    const row rows[] = {
        {L"0054:0102:1 -- C:\\A\\Uninstall.exe", true, RecordKind::File, 2, true, L"C:\\A\\Uninstall.exe"},
        {L"0000:00FF:1 -- C:\\A", true, RecordKind::Directory, -1, true, L"C:\\A"},
        {L"  12 :0102:1 -- x", false, {}, 0, false, L""},  // ':' must follow the number at once
        {L"  12:  0x0103:0 --   spaced  path", true, RecordKind::File, 3, false, L"spaced  path"},
        {L"0003:01ff:0 --", true, RecordKind::File, -1, false, L""},
        {L"0073:05ff:1 -- HKEY_LOCAL_MACHINE\\x", true, RecordKind::UninstallKey, -1, true, L""},
        {L"0074:06ff:1 -- HKEY_CLASSES_ROOT\\...", true, RecordKind::Registration, -1, true, L""},
        {L"0001:0800:1 -- kind 8", false, {}, 0, false, L""},
        {L"0001:ffffffffffffffffff:1 -- huge", false, {}, 0, false, L""},
        {L"-1:0100:1 -- negative", false, {}, 0, false, L""},
        {L"99999999999999999999999:0100:1 -- too big", false, {}, 0, false, L""},
        {L"0001:0100:2 -- bad flag", false, {}, 0, false, L""},
        {L"0001:0100:1 - x", false, {}, 0, false, L""},
        {L"0001:0100:1 --x", false, {}, 0, false, L""},
        {L"0001:0100", false, {}, 0, false, L""},
        {L"", false, {}, 0, false, L""},
        {L"abc", false, {}, 0, false, L""},
    };
    for (const auto& r : rows) {
        const auto parsed = records::parse_record_line(r.line);
        ASSERT_EQ(parsed.has_value(), r.ok) << std::string(r.line.begin(), r.line.end());
        if (!parsed) continue;
        EXPECT_EQ(parsed->kind, r.kind);
        EXPECT_EQ(parsed->entryKind, r.entry);
        EXPECT_EQ(parsed->flag, r.flag);
        EXPECT_EQ(parsed->path, r.path);
    }
}

TEST(LogFormat, WrittenLinesReadBack) {
    for (std::int32_t kind = 0; kind < record_kind_count; ++kind) {
        const auto r = rec(static_cast<RecordKind>(kind), kind == 1 ? 4 : -1, kind % 2 == 0, L"C:\\p q\\r");
        auto line = records::record_line(12345, r);
        const auto parsed = records::parse_record_line(records::trim_right(line));
        ASSERT_TRUE(parsed);
        EXPECT_EQ(parsed->kind, r.kind);
        EXPECT_EQ(parsed->entryKind, r.entryKind);
        EXPECT_EQ(parsed->flag, r.flag);
        EXPECT_EQ(parsed->path, kind == 5 || kind == 6 ? L"" : r.path);
    }
}

}  // namespace
