// The uninstaller's plan: which log records it acts on, in which order, and which logs it refuses.
#include "uninstaller/uninstall_plan.h"

#include <gtest/gtest.h>

namespace {

using sample::uninstall_action;

const std::wstring install = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring menu = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru\\Lignotek 7";
const std::wstring desktop = L"C:\\Users\\Public\\Desktop";
const std::wstring data = L"C:\\ProgramData\\Vendrel & Vodoraru";

sample::uninstall_roots roots() { return {install, {menu}, {desktop}, {data}}; }

LogRecord record(RecordKind kind, std::wstring path, std::int32_t entryKind = no_entry_kind, bool flag = true) {
    LogRecord r;
    r.kind = kind;
    r.path = std::move(path);
    r.entryKind = entryKind;
    r.flag = flag;
    return r;
}

sample::uninstall_plan plan(const RecordList& records) {
    return sample::plan_uninstall(records, roots(), install + L"\\Uninstall.exe", install + L"\\Uninstall.ulog");
}

TEST(LocalAbsolutePath, AcceptsOnlyPlainDrivePaths) {
    struct {
        const wchar_t* path;
        bool accepted;
    } cases[] = {
        {L"C:\\Program Files\\Lignotek 7\\Lignotek.exe", true},
        {L"d:\\x", true},
        {L"C:\\", true},
        {L"C:\\a\\..\\b", false},
        {L"C:\\a\\.\\b", false},
        {L"C:\\a\\. .\\b", false},
        {L"C:\\a\\...", false},
        {L"C:\\a\\\\b", false},
        {L"C:\\a\\b.", false},
        {L"C:\\a\\b ", false},
        {L"C:\\a/..\\b", false},
        {L"C:a\\b", false},
        {L"\\\\server\\share\\x", false},
        {L"\\\\?\\C:\\x", false},
        {L"\\\\.\\C:\\x", false},
        {L"C:\\a\\b:stream", false},
        {L"relative\\x", false},
        {L"", false},
    };
    for (const auto& c : cases) EXPECT_EQ(sample::is_local_absolute_path(c.path), c.accepted) << c.path;
}

TEST(Within, ComparesWholeElementsWithoutCase) {
    EXPECT_TRUE(sample::is_within(L"C:\\A\\b\\c.txt", L"c:\\a\\B"));
    EXPECT_TRUE(sample::is_within(L"C:\\a\\b", L"C:\\a\\b\\"));
    EXPECT_FALSE(sample::is_within(L"C:\\a\\bc\\d", L"C:\\a\\b"));
    EXPECT_FALSE(sample::is_within(L"C:\\a", L"C:\\a\\b"));
}

TEST(UninstallPlan, UndoesNewestFirstAndKeepsSharedData) {
    const RecordList records = {
        record(RecordKind::Directory, install),
        record(RecordKind::File, install + L"\\Uninstall.exe", 2),
        record(RecordKind::File, install + L"\\Lignotek.exe", 1),
        record(RecordKind::File, data + L"\\Lignotek 7\\Library01.lgl", 3),
        record(RecordKind::File, data + L"\\Textures\\Texture01.jpg", 4),
        record(RecordKind::File, install + L"\\Lang\\LignotekDEU.dll", 0, false),
        record(RecordKind::MenuShortcut, menu + L"\\Lignotek.lnk"),
        record(RecordKind::UninstallShortcut, L"", no_entry_kind, false),
        record(RecordKind::DesktopShortcut, desktop + L"\\Lignotek 7.08r.lnk"),
        record(RecordKind::DirectXUpdate, L"#"),
        record(RecordKind::UninstallKey, L""),
        record(RecordKind::Registration, L""),
    };
    const auto result = plan(records);
    ASSERT_FALSE(result.refusal) << *result.refusal;
    const std::vector<std::pair<uninstall_action, std::wstring>> expected = {
        {uninstall_action::remove_registration, L""},
        {uninstall_action::remove_uninstall_entry, L""},
        {uninstall_action::delete_shortcut, desktop + L"\\Lignotek 7.08r.lnk"},
        {uninstall_action::delete_shortcut, menu + L"\\Lignotek.lnk"},
        {uninstall_action::delete_file, data + L"\\Textures\\Texture01.jpg"},
        {uninstall_action::delete_file, install + L"\\Lignotek.exe"},
        {uninstall_action::remove_folder, install},
    };
    ASSERT_EQ(result.steps.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(result.steps[i].action, expected[i].first) << i;
        EXPECT_EQ(result.steps[i].path, expected[i].second) << i;
    }
}

TEST(UninstallPlan, RefusesTheWholeLogForOneHostileRecord) {
    const LogRecord hostile[] = {
        record(RecordKind::File, install + L"\\..\\..\\Windows\\system32\\kernel32.dll", 1),
        record(RecordKind::File, L"C:\\Windows\\system32\\kernel32.dll", 1),
        record(RecordKind::File, L"\\\\server\\share\\Lignotek.exe", 1),
        record(RecordKind::File, L"\\\\?\\C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\x.dll", 1),
        record(RecordKind::File, install, 1),            // the installation folder itself is no file
        record(RecordKind::File, data + L"\\..\\x", 3),  // kept, but its path must still be sound
        record(RecordKind::MenuShortcut, menu + L"\\Lignotek.exe"),
        record(RecordKind::DesktopShortcut, L"C:\\Windows\\evil.lnk"),
        record(RecordKind::Directory, L"C:\\Windows"),
        record(RecordKind::Directory, L"C:\\Program Files"),
    };
    for (const auto& bad : hostile) {
        RecordList records = {record(RecordKind::File, install + L"\\Lignotek.exe", 1), bad,
                              record(RecordKind::UninstallKey, L"")};
        const auto result = plan(records);
        EXPECT_TRUE(result.refusal) << bad.path;
        EXPECT_TRUE(result.steps.empty()) << bad.path;
    }
    // A shared-data file outside the product's folders is simply kept.
    EXPECT_FALSE(plan({record(RecordKind::File, L"C:\\ProgramData\\Other\\x.dat", 3)}).refusal);
}

TEST(UninstallPlan, RemovesTheMakersFolderThatHoldsTheInstallationOnlyAsAFolder) {
    const std::wstring company = L"C:\\Program Files\\Vendrel & Vodoraru";
    const auto folder = plan({record(RecordKind::Directory, company)});
    ASSERT_FALSE(folder.refusal);
    ASSERT_EQ(folder.steps.size(), 1u);
    EXPECT_EQ(folder.steps[0].action, uninstall_action::remove_folder);
    EXPECT_TRUE(plan({record(RecordKind::File, company + L"\\other.exe", 1)}).refusal);
}

}  // namespace
