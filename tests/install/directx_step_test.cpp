// The DirectX step: the setup library of the temporary folder is used only when it reports a recent
// enough DirectX, its result decides the log line and the record, its progress pumps the page, and
// an earlier successful update is not repeated except on a reinstallation.
#include "install_fixture.h"

#include "install/directx_setup.h"
#include "res/message_ids.h"

namespace install_test {
namespace {

// The setup library stand-in: its exports are plain functions, so what it reports and what it saw
// live here for the one test that runs at a time.
struct fake_dsetup {
    static inline std::uint32_t version = 0x00040009;
    static inline std::uint32_t revision = 904;
    static inline std::int32_t result = 0;
    static inline install::dsetup::callback callback = nullptr;
    static inline std::wstring source;
    static inline std::uint32_t flags = 0;
    static inline std::uint32_t answers = 0;

    static std::int32_t LIGNOTEK_DSETUP_CALL GetVersion(std::uint32_t* v, std::uint32_t* r) {
        *v = version;
        *r = revision;
        return 1;
    }
    static std::int32_t LIGNOTEK_DSETUP_CALL SetCallback(install::dsetup::callback c) {
        callback = c;
        return 1;
    }
    static std::int32_t LIGNOTEK_DSETUP_CALL Setup(void*, wchar_t* folder, std::uint32_t f) {
        source = folder;
        flags = f;
        answers = 0;
        for (std::uint32_t reason : {18u, 18u, 3u})
            answers += callback ? callback(reason, 0, nullptr, nullptr, nullptr) : 0;
        return result;
    }
    static os::native::module_table::exports exports() {
        return {{"DirectXSetupGetVersion", reinterpret_cast<os::library_symbol>(&GetVersion)},
                {"DirectXSetupSetCallback", reinterpret_cast<os::library_symbol>(&SetCallback)},
                {"DirectXSetupW", reinterpret_cast<os::library_symbol>(&Setup)}};
    }
};

class DirectXStep : public Installation {
protected:
    DirectXStep() {
        fake_dsetup::version = 0x00040009;
        fake_dsetup::revision = 904;
        fake_dsetup::result = 0;
        fake_dsetup::callback = nullptr;
        // The library appears once the temporary folder is known and the files are out.
        surface.onStatus = [this](std::wstring_view status) {
            if (status == Text(text::creating_shortcuts))
                modules.add(application.settings.tempFolder + L"\\DSetup.dll", fake_dsetup::exports());
        };
        UsePayload(sample_payload());
    }

    // The log line of the step, or "" when there is none.
    std::wstring DirectXLine() {
        for (const auto& line : surface.Lines())
            if (line.rfind(Text(text::updating_directx), 0) == 0) return line;
        return L"";
    }
    const LogRecord* DirectXRecord() {
        for (const auto& r : application.uninstallLog.currentRecords())
            if (r.kind == RecordKind::DirectXUpdate) return &r;
        return nullptr;
    }
};

TEST_F(DirectXStep, TheResultDecidesTheLineAndTheRecord) {
    struct Case {
        std::int32_t result;
        bool ok;
    };
    for (const Case& c : {Case{0, true}, Case{1, true}, Case{-2, false}}) {
        fake_dsetup::result = c.result;
        surface.log.clear();
        const int pumpsBefore = surface.pumps;
        ASSERT_TRUE(Install());
        EXPECT_EQ(DirectXLine(), Text(text::updating_directx) + Text(c.ok ? text::step_ok : text::step_failed))
            << c.result;
        EXPECT_EQ(fake_dsetup::source, application.settings.tempFolder);
        // By its full path, its dependencies from its own folder and System32 only.
        ASSERT_FALSE(modules.loads_asked.empty());
        EXPECT_EQ(modules.loads_asked.back().path, application.settings.tempFolder + L"\\DSetup.dll");
        EXPECT_EQ(modules.loads_asked.back().search, os::library_search::own_folder_and_system32);
        EXPECT_EQ(fake_dsetup::flags, 0x10018u);
        EXPECT_EQ(fake_dsetup::answers, 3u);  // IDOK for every reason
        EXPECT_GT(surface.pumps, pumpsBefore);
        EXPECT_EQ(modules.loaded, 0);  // freed after the step
        const auto& records = application.uninstallLog.currentRecords();
        const auto record = std::find_if(records.rbegin(), records.rend(),
                                         [](const LogRecord& r) { return r.kind == RecordKind::DirectXUpdate; });
        ASSERT_NE(record, records.rend());
        EXPECT_EQ(record->flag, c.ok);
        EXPECT_EQ(record->path, Text(text::updating_directx));
    }
}

TEST_F(DirectXStep, AnOlderDirectXOrAMissingLibrarySkipsTheStepSilently) {
    fake_dsetup::revision = 902;
    ASSERT_TRUE(Install());
    EXPECT_EQ(DirectXLine(), L"");
    EXPECT_EQ(DirectXRecord(), nullptr);
    EXPECT_EQ(modules.loaded, 0);

    surface.onStatus = {};
    surface.log.clear();
    ASSERT_TRUE(Install());  // a fresh temporary folder without a library registered for it
    EXPECT_EQ(DirectXLine(), L"");
}

TEST(DirectXUpdateWanted, AnEarlierSuccessIsNotRepeatedExceptOnAReinstallation) {
    const auto previous = [](bool flag) {
        RecordList records;
        LogRecord r;
        r.kind = RecordKind::DirectXUpdate;
        r.flag = flag;
        records.push_back(r);
        return records;
    };
    struct Case {
        PreviousInstallState outcome;
        RecordList records;
        bool wanted;
    };
    const std::vector<Case> cases = {{PreviousInstallState::None, {}, true},
                                     {PreviousInstallState::Older, previous(true), false},
                                     {PreviousInstallState::Older, previous(false), true},
                                     {PreviousInstallState::None, previous(true), false},
                                     {PreviousInstallState::Same, previous(true), true}};
    for (const auto& c : cases)
        EXPECT_EQ(install::directx_update_wanted(c.outcome, c.records), c.wanted) << static_cast<int>(c.outcome);
}

}  // namespace
}  // namespace install_test
