// The start-up: the library's checks before the application object exists, then the sequence that
// takes the single-instance mutex, chooses the language, checks the user and the running product,
// detects an earlier installation and fills the default folders.
#include "app/global_objects.h"
#include "app/install_app.h"
#include "app/instance_counter.h"
#include "app/language_state.h"
#include "app/library_startup.h"
#include "os/native/shell_folders_double.h"
#include "startup_fixture.h"
#include "vd/sid.h"
#include "vd/ui_hooks.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using startup_test::SimulatedMachine;

constexpr std::wstring_view CloseProductEnglish = L"You should close 'Lignotek' before continuing Installation.";
constexpr std::wstring_view CloseProductGerman =
    L"Bitte schließen Sie 'Lignotek', bevor Sie mit der Installation fortfahren.";
constexpr std::wstring_view AdministratorEnglish =
    L"You should have Administrator Rights in order to proceed to Installation.";

// The library start-up.

TEST(LibraryStartup, AProcessorWithoutSse2GetsTheTrilingualBoxAndExitCode1) {
    SimulatedMachine m;
    m.environment.has_sse2 = false;
    EXPECT_EQ(app::RunLibraryStartup(m.ports, m.knownFolders), app::ExitNoSse2);
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    const auto& box = m.ui.boxes()[0];
    EXPECT_EQ(box.text,
              L"This Version is not compatible with your Configuration.\n\n"
              L"Cette version n'est pas compatible avec votre configuration.\n\n"
              L"Diese Version ist nicht mit Ihrer Konfiguration kompatibel.");
    EXPECT_EQ(box.caption, std::nullopt) << "no caption: the system's own";
    EXPECT_EQ(box.owner, os::window_handle::none);
    EXPECT_EQ(box.type, os::mb::icon_hand);
    EXPECT_EQ(m.environment.error_mode, 0u) << "nothing else ran";
}

struct InitializationFailure {
    const char* what;
    void (*arrange)(SimulatedMachine&);
};

class LibraryStartupFailure : public ::testing::TestWithParam<InitializationFailure> {};

TEST_P(LibraryStartupFailure, ShowsInitializationErrorAndEndsWithMinus11) {
    SimulatedMachine m;
    GetParam().arrange(m);
    EXPECT_EQ(app::RunLibraryStartup(m.ports, m.knownFolders), app::ExitInitializationError);
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    EXPECT_EQ(m.ui.boxes()[0].text, L"Initialization Error");
    EXPECT_EQ(m.ui.boxes()[0].caption, std::nullopt) << "no caption: the system's own";
    EXPECT_EQ(m.ui.boxes()[0].type, 0x00010000u | 0x00002000u | os::mb::icon_hand);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibraryStartupFailure,
    ::testing::Values(InitializationFailure{"user locale has no name",
                                            [](SimulatedMachine& m) { m.locale.set_facts(0x0409, std::nullopt); }},
                      InitializationFailure{"old common controls",
                                            [](SimulatedMachine& m) { m.environment.common_controls_version = 5; }},
                      InitializationFailure{"common controls refuse",
                                            [](SimulatedMachine& m) { m.environment.init_succeeds = false; }}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (auto& c : name)
            if (c == ' ') c = '_';
        return name;
    });

TEST(LibraryStartup, SetsTheErrorModeTheUserLocaleAndTheCommonControls) {
    SimulatedMachine m;
    EXPECT_EQ(app::RunLibraryStartup(m.ports, m.knownFolders), std::nullopt);
    EXPECT_TRUE(m.ui.boxes().empty());
    EXPECT_EQ(m.environment.error_mode, 0x8001u);
    EXPECT_EQ(m.locale.global_locale(), L"en-US");
    EXPECT_EQ(m.environment.initialised_size, 8u);
    EXPECT_EQ(m.environment.initialised_classes, 0xC0FFu);
}

TEST(LibraryStartup, AKnownFolderTheShellCannotGiveEndsWithInitializationError) {
    SimulatedMachine m;
    os::native::shell_folders_double shell;
    shell.set_known_folder(os::known_folder::documents, L"C:\\Users\\User\\Documents");
    shell.set_known_folder(os::known_folder::roaming_app_data, L"C:\\Users\\User\\AppData\\Roaming");
    shell.fail_known_folder(os::known_folder::program_data, static_cast<std::int32_t>(0x80070002u));
    const app::SystemPorts ports{m.environment, m.process, m.locale, m.codePage, m.resources, m.registry,
                                 m.machine,     shell,     m.kernel, m.security, m.ui,        m.systemText};
    EXPECT_EQ(app::RunLibraryStartup(ports, m.knownFolders), app::ExitInitializationError);
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    EXPECT_EQ(m.ui.boxes()[0].text, L"Initialization Error");
    // The failed lookup is not kept: once the shell gives the folder, the next start-up succeeds.
    shell.fail_known_folder(os::known_folder::program_data, 0);
    shell.set_known_folder(os::known_folder::program_data, L"C:\\ProgramData");
    EXPECT_EQ(app::RunLibraryStartup(ports, m.knownFolders), std::nullopt);
    EXPECT_EQ(m.knownFolders.common_company(shell), L"C:\\ProgramData\\Vendrel & Vodoraru");
}

TEST(LibraryStartup, ApplicationIdFallsBackToTheProgramStemWithoutAVersionBlock) {
    SimulatedMachine m;
    EXPECT_EQ(app::DetermineApplicationId(m.ports), L"LignotekSetup");
}

// The start-up sequence.

class StartupSequence : public ::testing::Test {
protected:
    StartupSequence() {
        counter.Start();
        MakeAdministrator(true);
    }

    void MakeAdministrator(bool member) {
        const vd::security::well_known_sid administrators(vd::security::sid_kind::administrators);
        m.security.set_group_member(administrators.bytes(), member);
    }

    CInstallApp& App() {
        if (!app_) app_ = std::make_unique<CInstallApp>(m.ports, m.hooks, language, counter, L"LignotekSetup");
        return *app_;
    }

    SimulatedMachine m;
    LanguageState language{m.locale, m.resources};
    app::InstanceCounter counter{m.kernel, L"Lignotek7"};
    std::unique_ptr<CInstallApp> app_;
};

TEST_F(StartupSequence, RunsToTheEndWithoutABoxAndFillsTheDefaults) {
    EXPECT_FALSE(App().InitInstance());
    EXPECT_TRUE(m.ui.boxes().empty());
    EXPECT_EQ(App().previousOutcome, PreviousInstallState::None);
    EXPECT_EQ(App().settings.installFolder, L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7");
    EXPECT_EQ(App().settings.menuFolder,
              m.machine.special_folder(os::csidl::common_programs) + L"\\Vendrel & Vodoraru\\Lignotek 7");
    EXPECT_TRUE(App().settings.menuShortcut);
    EXPECT_TRUE(App().settings.desktopShortcut);
    EXPECT_FALSE(App().settings.advancedMode);
    EXPECT_EQ(App().ApplicationName(), L"Installer \u2013 Lignotek 7.08r");
    EXPECT_EQ(language.CurrentLanguage(), EnglishLanguage);
    EXPECT_TRUE(App().singleInstance.owned());
}

TEST_F(StartupSequence, WithoutCommonProgramsTheMenuFolderIsBuiltOnTheUsersPrograms) {
    m.machine.set_special_folder(os::csidl::common_programs, L"");
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(App().settings.menuFolder,
              m.machine.special_folder(os::csidl::programs) + L"\\Vendrel & Vodoraru\\Lignotek 7");
}

TEST_F(StartupSequence, ASecondCopyEndsWithTheBusyTextAndNothingElse) {
    auto first = m.OtherProcess();
    app::NamedMutex running(*first, app::SingleInstanceName(L"Lignotek7"), false, true);
    ASSERT_TRUE(running.TryLock());

    EXPECT_FALSE(App().InitInstance());
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    const auto& box = m.ui.boxes()[0];
    EXPECT_EQ(box.text, L"The requested resource is in use.");
    EXPECT_EQ(box.caption, L"LignotekSetup") << "the application's name before start-up localises it";
    EXPECT_EQ(box.type, os::mb::icon_exclamation | os::mb::ok);
    EXPECT_TRUE(running.owned()) << "the first copy is not disturbed";
}

TEST_F(StartupSequence, ANonAdministratorGetsMessage1126AndStartUpStops) {
    MakeAdministrator(false);
    EXPECT_FALSE(App().InitInstance());
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    EXPECT_EQ(m.ui.boxes()[0].text, AdministratorEnglish);
    EXPECT_EQ(m.ui.boxes()[0].caption, L"Installer \u2013 Lignotek 7.08r");
    EXPECT_EQ(m.ui.boxes()[0].type & os::mb::icon_mask, os::mb::icon_exclamation);
    EXPECT_TRUE(App().settings.installFolder.empty()) << "stopped before the default folders";
}

TEST_F(StartupSequence, WhileTheProductRunsMessage1127RepeatsUntilItIsClosed) {
    auto product = m.OtherProcess();
    auto productCounter = std::make_unique<app::InstanceCounter>(*product, L"Lignotek7");
    productCounter->Start();

    m.ui.answer_next(os::id::retry);  // still running: asked again
    m.ui.answer_next([&](const os::native::shown_box&) {
        productCounter.reset();  // the user closes the product, then presses Retry
        return os::id::retry;
    });
    EXPECT_FALSE(App().InitInstance());
    ASSERT_EQ(m.ui.boxes().size(), 2u);
    for (const auto& box : m.ui.boxes()) {
        EXPECT_EQ(box.text, CloseProductEnglish);
        EXPECT_EQ(box.type, 0x35u);
    }
    EXPECT_FALSE(App().settings.installFolder.empty()) << "start-up went on";
}

TEST_F(StartupSequence, CancelOnMessage1127EndsWithoutAnotherBox) {
    auto product = m.OtherProcess();
    app::InstanceCounter productCounter(*product, L"Lignotek7");
    productCounter.Start();
    m.ui.answer_next(os::id::cancel);
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(m.ui.boxes().size(), 1u);
    EXPECT_TRUE(App().settings.installFolder.empty());
}

// The interface language: the user's, replaced by a stored product language, then by English when
// the setup program has no texts in it.
struct LanguageCase {
    const char* what;
    os::lcid userLcid;
    std::optional<std::uint32_t> stored;
    LanguageIndex expected;
};

class StartupLanguage : public StartupSequence, public ::testing::WithParamInterface<LanguageCase> {};

TEST_P(StartupLanguage, ChoosesTheExpectedLanguage) {
    const auto& c = GetParam();
    m.locale.set_user_lcid(c.userLcid);
    if (c.stored) m.StoreLanguage(*c.stored);
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(language.CurrentLanguage(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupLanguage,
                         ::testing::Values(LanguageCase{"french_user", 0x040C, std::nullopt, 0},
                                           LanguageCase{"japanese_user_gets_english", 0x0411, std::nullopt, 1},
                                           LanguageCase{"greek_user_gets_english", 0x0408, std::nullopt, 1},
                                           LanguageCase{"stored_german_wins", 0x040C, 2u, 2},
                                           LanguageCase{"stored_danish_is_ignored", 0x040C, 6u, 0},
                                           LanguageCase{"stored_dutch_becomes_english", 0x040C, 5u, 1},
                                           LanguageCase{"stored_index_out_of_range_is_ignored", 0x0407, 21u, 2}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(StartupSequence, AStoredValueLongerThanFourBytesIsIgnored) {
    m.locale.set_user_lcid(0x040C);
    const std::byte eight[8] = {std::byte{2}};
    m.StoreLanguage(os::reg_type::binary, eight);
    EXPECT_FALSE(App().InitInstance());
    EXPECT_EQ(language.CurrentLanguage(), 0);
}

TEST_F(StartupSequence, MessagesFollowTheStoredLanguage) {
    m.StoreLanguage(2);
    auto product = m.OtherProcess();
    app::InstanceCounter productCounter(*product, L"Lignotek7");
    productCounter.Start();
    m.ui.answer_next(os::id::cancel);
    EXPECT_FALSE(App().InitInstance());
    ASSERT_EQ(m.ui.boxes().size(), 1u);
    EXPECT_EQ(m.ui.boxes()[0].text, CloseProductGerman);
    EXPECT_EQ(m.ui.boxes()[0].caption, L"Installationsprogramm \u2013 Lignotek 7.08r");
}

}  // namespace

namespace {

TEST(ApplicationObject, PublishesItsIconThroughTheHook) {
    startup_test::SimulatedMachine m;
    m.ui.add_icon(128);
    LanguageState language{m.locale, m.resources};
    app::InstanceCounter counter{m.kernel, L"Lignotek7"};
    CInstallApp application(m.ports, m.hooks, language, counter, L"LignotekSetup");
    ASSERT_TRUE(m.hooks.icon());
    EXPECT_NE(m.hooks.icon()(), os::icon_handle::none);
}

}  // namespace
