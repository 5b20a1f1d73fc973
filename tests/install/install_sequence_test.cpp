// The installation sequence over the simulated machine: the log and journal of a fresh
// installation, the registry entry and the registration run, a failed extraction rolled back, the
// shared data that stays, and the DirectX step.
#include "install_fixture.h"

#include "install/extraction_handler.h"
#include "install/registration.h"
#include "install/uninstall_entry.h"
#include "res/product_identity.h"
#include "res/message_ids.h"
#include "vd/win_path.h"

namespace install_test {
namespace {

std::wstring RegistryText(os::registry& registry, std::wstring_view key, std::wstring_view name) {
    os::registry_handle opened = 0;
    if (registry.open_key(os::hkey::local_machine, key, os::key_access::read, opened)) return L"<no key>";
    const os::unique_key k(registry, opened);
    std::uint32_t type = 0, size = 0;
    if (registry.query_value(k.get(), name, type, nullptr, size)) return L"<no value>";
    std::vector<std::byte> data(size);
    if (registry.query_value(k.get(), name, type, data.data(), size)) return L"<no value>";
    if (type == os::reg_type::dword)
        return L"dword:" +
               std::to_wstring(std::to_integer<unsigned>(data[0]) | std::to_integer<unsigned>(data[1]) << 8);
    std::wstring text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2)
        text += static_cast<wchar_t>(std::to_integer<unsigned>(data[i]) | std::to_integer<unsigned>(data[i + 1]) << 8);
    return text;
}

TEST_F(Installation, AFreshInstallationLogsEveryStepAndJournalsEveryChange) {
    UsePayload(sample_payload());
    ASSERT_TRUE(Install());

    const std::wstring ok = Text(text::step_ok);
    const auto copying = [&](const std::wstring& path) {
        return language.FormatText(text::copying_file, {vd::path::quote_spaces(path)}) + ok;
    };
    const std::wstring main = install_folder + L"\\Lignotek.exe", uninstaller = install_folder + L"\\Uninstall.exe";
    const std::wstring temp = application.settings.tempFolder;
    const std::vector<std::wstring> expected = {L"--------",
                                                Text(text::preparing) + ok,
                                                copying(main),
                                                copying(uninstaller),
                                                copying(install_folder + L"\\Lang\\LignotekDEU.dll"),
                                                copying(shared_file),
                                                copying(install_folder + L"\\Samples\\Chair.lig"),
                                                copying(temp + L"\\DSetup.dll"),
                                                Text(text::creating_shortcuts) + ok,
                                                Text(text::writing_registry) + ok,
                                                Text(text::writing_records) + ok};
    EXPECT_EQ(surface.Lines(), expected);
    EXPECT_EQ(surface.LastStatus(), language.FormatText(text::click_to_continue, {Text(text::next)}));
    EXPECT_EQ(mainProgramPath, main);
    EXPECT_EQ(uninstallerPath, uninstaller);
    EXPECT_EQ(surface.waitCursor, 0);
    EXPECT_TRUE(surface.progressShown);
    ASSERT_FALSE(surface.progress.empty());
    EXPECT_EQ(surface.progress.front(), 0);
    EXPECT_EQ(surface.progress.back(), 100);

    // The programs are read-only; the temporary files and their folder are gone.
    std::uint32_t attributes = 0;
    ASSERT_FALSE(m.machine.get_attributes(main, attributes));
    EXPECT_TRUE(attributes & os::file_attribute::readonly);
    EXPECT_FALSE(Exists(temp + L"\\DSetup.dll"));
    EXPECT_FALSE(Exists(temp));

    // One File record per placed file, the three shortcuts with their link paths, the key and the run.
    std::vector<std::pair<RecordKind, std::wstring>> records;
    for (const auto& r : application.uninstallLog.currentRecords())
        if (r.kind != RecordKind::Directory) {
            records.emplace_back(r.kind, r.path);
            EXPECT_TRUE(r.flag) << int(r.kind);
        }
    const std::wstring menu = application.settings.menuFolder;
    const std::wstring desktop = m.machine.special_folder(os::csidl::common_desktopdirectory);
    const std::vector<std::pair<RecordKind, std::wstring>> expectedRecords = {
        {RecordKind::File, main},
        {RecordKind::File, uninstaller},
        {RecordKind::File, install_folder + L"\\Lang\\LignotekDEU.dll"},
        {RecordKind::File, shared_file},
        {RecordKind::File, install_folder + L"\\Samples\\Chair.lig"},
        {RecordKind::MenuShortcut, menu + L"\\Lignotek 7.08r.lnk"},
        {RecordKind::UninstallShortcut, menu + L"\\Uninstall Lignotek.lnk"},
        {RecordKind::DesktopShortcut, desktop + L"\\Lignotek 7.08r.lnk"},
        {RecordKind::UninstallKey, L""},
        {RecordKind::Registration, L""}};
    EXPECT_EQ(records.size(), expectedRecords.size());
    for (std::size_t i = 0; i < std::min(records.size(), expectedRecords.size()); ++i) {
        EXPECT_EQ(records[i].first, expectedRecords[i].first) << i;
        if (!expectedRecords[i].second.empty()) {
            EXPECT_EQ(records[i].second, expectedRecords[i].second) << i;
        }
    }
    os::shell_link link;
    ASSERT_EQ(links.read_link(desktop + L"\\Lignotek 7.08r.lnk", link), 0);
    EXPECT_EQ(link.target, main);
    EXPECT_EQ(link.working_folder, install_folder);
    EXPECT_TRUE(Exists(install_folder + L"\\Uninstall.ulog"));
}

TEST_F(Installation, TheUninstallEntryAndProductPathAreWritten) {
    UsePayload(sample_payload());
    language.SetLanguage(EnglishLanguage);
    ASSERT_TRUE(Install());
    const std::wstring key = product::uninstall_key();
    const std::vector<std::pair<std::wstring, std::wstring>> values = {
        {L"DisplayName", L"Lignotek 7.08r"},
        {L"UninstallString", install_folder + L"\\Uninstall.exe"},
        {L"DisplayIcon", install_folder + L"\\Lignotek.exe,0"},
        {L"DisplayVersion", L"7.8.18.1"},
        {L"Publisher", L"Vendrel & Vodoraru"},
        {L"URLInfoAbout", std::wstring(install::support_address)},
        {L"HelpLink", std::wstring(install::support_address)},
        {L"URLUpdateInfo", std::wstring(install::support_address)},
        {L"HelpTelephone", std::wstring(install::support_telephone)},
        {L"NoModify", L"dword:1"},
        {L"NoRepair", L"dword:1"},
        {L"VdLanguage", L"dword:" + std::to_wstring(EnglishLanguage)}};
    // Strings are stored with their terminating null.
    for (const auto& [name, data] : values)
        EXPECT_EQ(RegistryText(m.registry, key, name), data.starts_with(L"dword:") ? data : data + L'\0')
            << testing::PrintToString(name);
    std::vector<std::wstring> names;
    os::registry_handle opened = 0;
    ASSERT_FALSE(m.registry.open_key(os::hkey::local_machine, key, os::key_access::read, opened));
    const os::unique_key k(m.registry, opened);
    ASSERT_FALSE(m.registry.value_names(k.get(), names));
    EXPECT_EQ(names.size(), values.size());
    EXPECT_EQ(RegistryText(m.registry, product::company_key(), product::product_path_value()),
              install_folder + L"\\Lignotek.exe" + L'\0');
}

TEST_F(Installation, TheRegistrationRunsWithoutTheMutexAndNeedsMinusTen) {
    struct Case {
        std::uint64_t previousVersion;
        std::uint32_t exitCode;
        std::wstring switches;
        bool lineOk;
    };
    for (const Case& c :
         {Case{0, 0xFFFFFFF6u, L" /Register /Background", true},
          Case{0x0007000800110003ull, 0xFFFFFFF6u, L" /Register /Background /update=0007000800110003", true},
          Case{0, 0, L" /Register /Background", false}}) {
        processes.started.clear();
        exitCode = c.exitCode;
        application.previousVersion = c.previousVersion;
        UsePayload(sample_payload());
        surface.log.clear();
        ASSERT_TRUE(Install());
        ASSERT_EQ(processes.started.size(), 1u);
        const auto& start = processes.started[0];
        EXPECT_EQ(start.command_line, L"\"" + install_folder + L"\\Lignotek.exe\"" + c.switches);
        EXPECT_EQ(start.working_directory, install_folder);
        EXPECT_EQ(start.creation_flags, 0x80u);
        EXPECT_EQ(start.show_window, 4u);
        EXPECT_FALSE(mutexHeldDuringRun);
        EXPECT_TRUE(application.singleInstance.owned());
        EXPECT_EQ(processes.open_handles, 0);
        const auto lines = surface.Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2],
                  Text(text::writing_registry) + Text(c.lineOk ? text::step_ok : text::step_failed));
        const auto& records = application.uninstallLog.currentRecords();
        // The journal keeps the earlier runs' records: this run's is the newest.
        const auto run = std::find_if(records.rbegin(), records.rend(),
                                      [](const LogRecord& r) { return r.kind == RecordKind::Registration; });
        ASSERT_NE(run, records.rend());
        EXPECT_EQ(run->flag, c.lineOk);
    }
    EXPECT_EQ(associationNotices, 2);
}

TEST_F(Installation, AProgramThatCannotStartFailsTheLineAndTakesTheMutexBack) {
    processes.script({});
    UsePayload(sample_payload());
    ASSERT_TRUE(Install());
    const auto lines = surface.Lines();
    EXPECT_EQ(lines[lines.size() - 2], Text(text::writing_registry) + Text(text::step_failed));
    EXPECT_TRUE(application.singleInstance.owned());
}

TEST_F(Installation, AFailedExtractionIsRolledBackWithItsCode) {
    auto files = sample_payload();
    files[2].crc_override = 1;  // the language library is written wrong
    UsePayload(files);
    EXPECT_FALSE(Install());
    EXPECT_EQ(surface.LastStatus(), language.FormatText(text::installation_failed, {L"3"}));
    const auto lines = surface.Lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), language.FormatText(text::copying_file,
                                                {vd::path::quote_spaces(install_folder + L"\\Lang\\LignotekDEU.dll")}) +
                                Text(text::step_failed));
    EXPECT_FALSE(Exists(install_folder + L"\\Lignotek.exe"));
    EXPECT_FALSE(Exists(install_folder));
    EXPECT_TRUE(application.uninstallLog.currentRecords().empty());
    EXPECT_FALSE(Exists(application.settings.tempFolder));
    EXPECT_TRUE(processes.started.empty());
    EXPECT_EQ(surface.waitCursor, 0);
}

TEST_F(Installation, ACorruptPayloadFailsInThePreparationWithCodeSix) {
    UsePayloadBytes("BZh9 this is not a payload");
    EXPECT_FALSE(Install());
    const std::vector<std::wstring> expected = {L"--------", Text(text::preparing) + Text(text::step_failed)};
    EXPECT_EQ(surface.Lines(), expected);
    EXPECT_EQ(surface.LastStatus(), language.FormatText(text::installation_failed, {L"6"}));
    EXPECT_FALSE(Exists(install_folder));
}

TEST_F(Installation, AnExistingSharedFileStaysAndIsRecordedAsPlaced) {
    Put(shared_file, "the user's own oak");
    UsePayload(sample_payload());
    ASSERT_TRUE(Install());
    EXPECT_EQ(Content(shared_file), "the user's own oak");
    const auto& records = application.uninstallLog.currentRecords();
    const auto shared =
        std::find_if(records.begin(), records.end(), [](const LogRecord& r) { return r.path == shared_file; });
    ASSERT_NE(shared, records.end());
    EXPECT_EQ(shared->kind, RecordKind::File);
    EXPECT_EQ(shared->entryKind, 3);
    EXPECT_TRUE(shared->flag);
    // No line for the skipped file.
    for (const auto& line : surface.Lines()) EXPECT_EQ(line.find(L"Oak.mat"), std::wstring::npos);
}

TEST(ProgressPercent, RoundsToTheNearestAndKeepsHundredForTheEnd) {
    struct Case {
        std::uint64_t done, total;
        int percent;
    };
    for (const Case& c : {Case{0, 1000, 0}, Case{4, 1000, 0}, Case{5, 1000, 1}, Case{994, 1000, 99},
                          Case{995, 1000, 99}, Case{999, 1000, 99}, Case{1000, 1000, 100}, Case{0, 0, 0}})
        EXPECT_EQ(install::progress_percent(c.done, c.total), c.percent) << c.done << "/" << c.total;
}

}  // namespace
}  // namespace install_test
