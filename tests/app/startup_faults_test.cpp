// Start-up faults end in a box, never in a crash or in a guess: a default folder the shell cannot give
// ends start-up with the initialization error, and what escapes the program (a missing string,
// exhausted memory) is shown in an ownerless box without caption before the process ends.
#include "app/install_app.h"
#include "app/instance_counter.h"
#include "app/language_state.h"
#include "app/library_startup.h"
#include "app/startup_guard.h"
#include "os/win_error.h"
#include "startup_fixture.h"
#include "vd/hresult_error.h"
#include "vd/sid.h"
#include "vd/system_message.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

namespace {

using startup_test::SimulatedMachine;

struct MissingShellFolder {
    const char* what;
    void (*arrange)(SimulatedMachine&);
};

TEST(StartupDefaultFolders, AFolderTheShellCannotGiveEndsStartUpWithTheInitializationError) {
    const MissingShellFolder cases[] = {
        {"no Program Files", [](SimulatedMachine& m) { m.machine.set_special_folder(os::csidl::program_files, L""); }},
        {"a relative Program Files",
         [](SimulatedMachine& m) { m.machine.set_special_folder(os::csidl::program_files, L"Program Files"); }},
        {"neither Programs folder",
         [](SimulatedMachine& m) {
             m.machine.set_special_folder(os::csidl::common_programs, L"");
             m.machine.set_special_folder(os::csidl::programs, L"");
         }},
    };
    for (const auto& c : cases) {
        SimulatedMachine m;
        c.arrange(m);
        const vd::security::well_known_sid administrators(vd::security::sid_kind::administrators);
        m.security.set_group_member(administrators.bytes(), true);
        LanguageState language{m.locale, m.resources};
        app::InstanceCounter counter{m.kernel, L"Lignotek7"};
        counter.Start();
        CInstallApp application(m.ports, m.hooks, language, counter, L"LignotekSetup");
        bool wizardRan = false;
        application.SetWizardRunner([&](CInstallApp&) { wizardRan = true; });

        EXPECT_FALSE(application.InitInstance()) << c.what;
        EXPECT_FALSE(wizardRan) << c.what << ": never with a folder below the current directory ("
                                << std::string(application.settings.installFolder.begin(),
                                               application.settings.installFolder.end())
                                << ")";
        EXPECT_EQ(application.exitCode, app::ExitInitializationError) << c.what;
        ASSERT_EQ(m.ui.boxes().size(), 1u) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].text, L"Initialization Error") << c.what;
        EXPECT_EQ(m.ui.boxes()[0].caption, std::nullopt) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].owner, os::window_handle::none) << c.what;
    }
}

struct EscapingFault {
    const char* what;
    std::int32_t code;  // whose system text the box shows
    void (*raise)(LanguageState&);
};

TEST(StartupGuard, WhatEscapesIsAnOwnerlessBoxWithoutCaptionAndEndsTheProcess) {
    const EscapingFault cases[] = {
        {"a string missing from the resources", os::hr::e_fail,
         [](LanguageState& language) { (void)language.FormatText(1500, {}); }},
        {"memory exhausted", os::hr::e_outofmemory, [](LanguageState&) { throw std::bad_alloc(); }},
        {"anything else", os::hr::e_unexpected, [](LanguageState&) { throw std::logic_error("unforeseen"); }},
        {"not even an exception", os::hr::e_unexpected, [](LanguageState&) { throw 42; }},
    };
    for (const auto& c : cases) {
        SimulatedMachine m;
        LanguageState language{m.locale, m.resources};
        const int exitCode = app::RunGuarded(m.ui, m.systemText, [&] {
            c.raise(language);
            return 0;
        });
        EXPECT_EQ(exitCode, app::ExitInitializationError) << c.what;
        ASSERT_EQ(m.ui.boxes().size(), 1u) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].text, vd::system_message(m.systemText, c.code, 0)) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].caption, std::nullopt) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].owner, os::window_handle::none) << c.what;
        EXPECT_EQ(m.ui.boxes()[0].type & os::mb::icon_mask, os::mb::icon_hand) << c.what;
    }
}

TEST(StartupGuard, ANormalEndKeepsItsExitCodeAndShowsNothing) {
    SimulatedMachine m;
    EXPECT_EQ(app::RunGuarded(m.ui, m.systemText, [] { return 0; }), 0);
    EXPECT_EQ(app::RunGuarded(m.ui, m.systemText, [] { return app::ExitNoSse2; }), app::ExitNoSse2);
    EXPECT_TRUE(m.ui.boxes().empty());
}

}  // namespace
