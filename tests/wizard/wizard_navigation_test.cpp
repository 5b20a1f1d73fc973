// The wizard frame's navigation: the page sequences, the button table in every state, the
// installation run from the progress page and the questions asked on leaving.
#include "wizard_fixture.h"

#include <vector>

namespace wizard_test {
namespace {

// What the three buttons show.
struct Buttons {
    bool nextEnabled;
    std::wstring next;
    bool backEnabled;
    bool exitEnabled;
    std::wstring exit;
    int defaultButton;
    friend bool operator==(const Buttons&, const Buttons&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Buttons& b) {
        return out << "next " << b.nextEnabled << " back " << b.backEnabled << " exit " << b.exitEnabled << " default "
                   << b.defaultButton;
    }
};

class Navigation : public Wizard {
protected:
    Buttons Read(wizard::CInstallDlg& frame) {
        auto& w = Window(frame);
        return {w.is_enabled(control::next), w.text(control::next), w.is_enabled(control::back),
                w.is_enabled(control::exit), w.text(control::exit), w.default_button()};
    }
    // The pages a user sees pressing `presses` (true: Next, false: Back) from page 0.
    std::vector<int> Walk(const std::vector<bool>& presses) {
        std::vector<int> shown;
        Run([&](wizard::CInstallDlg& frame) {
            shown.push_back(frame.CurrentPage());
            for (const bool next : presses) {
                if (next)
                    Next(frame);
                else
                    Back(frame);
                shown.push_back(frame.CurrentPage());
            }
        });
        return shown;
    }
};

const Buttons onFirstPages{true, L"Next  >", true, true, L"Cancel", control::next};

TEST_F(Navigation, QuickInstallationPassesOverTheFolderAndShortcutPages) {
    EXPECT_EQ(Walk({true, true, false, true, true, true}), (std::vector<int>{0, 1, 4, 1, 4, 4, 5}));
    EXPECT_EQ(installations, 1);
}

TEST_F(Navigation, AdvancedInstallationShowsEveryPage) {
    std::vector<int> shown;
    Run([&](wizard::CInstallDlg& frame) {
        Next(frame);
        system.click(frame.modePage, control::advanced_mode);
        for (int i = 0; i < 3; ++i) Next(frame), shown.push_back(frame.CurrentPage());
        Back(frame);
        shown.push_back(frame.CurrentPage());
        Next(frame);
        Next(frame);  // Install
        Next(frame);
        shown.push_back(frame.CurrentPage());
    });
    EXPECT_EQ(shown, (std::vector<int>{2, 3, 4, 3, 5}));
    EXPECT_TRUE(application.settings.advancedMode);
}

TEST_F(Navigation, SwitchingBackToQuickModeSkipsVisitedAdvancedPages) {
    std::vector<int> shown;
    Run([&](wizard::CInstallDlg& frame) {
        Next(frame);
        system.click(frame.modePage, control::advanced_mode);
        Next(frame);
        Next(frame);
        Back(frame);
        Back(frame);
        shown.push_back(frame.CurrentPage());
        system.click(frame.modePage, control::quick_mode);
        Next(frame);
        shown.push_back(frame.CurrentPage());
        Back(frame);
        shown.push_back(frame.CurrentPage());
    });
    EXPECT_EQ(shown, (std::vector<int>{1, 4, 1}));
    EXPECT_FALSE(application.settings.advancedMode);
}

TEST_F(Navigation, ButtonsFollowThePageAndTheInstallation) {
    std::vector<Buttons> seen;
    wizard::CInstallDlg* current = nullptr;
    duringInstallation = [&](wizard::CDlgInstall&) {
        seen.push_back(Read(*current));
        // Esc and the close box have no effect while Exit is disabled.
        system.press_escape(*current);
        system.system_command(*current, wizard::sc::close);
    };
    installationSucceeds = false;
    int result = Run([&](wizard::CInstallDlg& frame) {
        current = &frame;
        seen.push_back(Read(frame));  // page 0
        Next(frame);
        seen.push_back(Read(frame));  // page 1
        Next(frame);
        seen.push_back(Read(frame));  // page 4 before the installation
        Next(frame);                  // fails
        seen.push_back(Read(frame));
        installationSucceeds = true;
        Next(frame);  // a second Install runs the sequence again
        seen.push_back(Read(frame));
        Next(frame);
        seen.push_back(Read(frame));  // page 5
        Back(frame);
        seen.push_back(Read(frame));  // page 4 again, after the installation
        system.press_escape(frame);   // leaves without a question
    });
    EXPECT_EQ(result, wizard::id_ok);
    EXPECT_EQ(installations, 2);
    const Buttons table[] = {
        {true, L"Next  >", false, true, L"Cancel", control::next},    // page 0
        onFirstPages,                                                 // page 1
        {true, L"Install", true, true, L"Cancel", control::next},     // page 4, not installed
        {false, L"Install", false, false, L"Cancel", control::next},  // during the first installation
        {true, L"Install", true, true, L"Cancel", control::next},     // page 4 after a failure
        {false, L"Install", false, false, L"Cancel", control::next},  // during the second installation
        {true, L"Next  >", false, true, L"Exit", control::next},      // page 4 after a success
        {false, L"Next  >", true, true, L"Exit", control::exit},      // page 5
        {true, L"Next  >", false, true, L"Exit", control::next},      // back on page 4
    };
    ASSERT_EQ(seen.size(), std::size(table));
    for (std::size_t i = 0; i < seen.size(); ++i) EXPECT_EQ(seen[i], table[i]) << "state " << i;
    EXPECT_TRUE(system.boxes().empty());
}

TEST_F(Navigation, AdvancedPagesHaveTheCommonButtons) {
    std::vector<Buttons> seen;
    Run([&](wizard::CInstallDlg& frame) {
        Next(frame);
        system.click(frame.modePage, control::advanced_mode);
        Next(frame);
        seen.push_back(Read(frame));
        Next(frame);
        seen.push_back(Read(frame));
    });
    EXPECT_EQ(seen, (std::vector<Buttons>{onFirstPages, onFirstPages}));
}

TEST_F(Navigation, ANewerInstallationDisablesNextAndCancelLeavesWithoutAsking) {
    application.previousOutcome = PreviousInstallState::Newer;
    application.previousTitle = L"Lignotek 7.09";
    Buttons first{};
    const int result = Run([&](wizard::CInstallDlg& frame) {
        first = Read(frame);
        Next(frame);  // disabled: nothing happens
        EXPECT_EQ(frame.CurrentPage(), 0);
        system.click(frame, control::exit);
    });
    EXPECT_FALSE(first.nextEnabled);
    EXPECT_FALSE(first.backEnabled);
    EXPECT_EQ(first.exit, L"Cancel");
    EXPECT_EQ(result, wizard::id_cancel);
    EXPECT_TRUE(system.boxes().empty());
}

struct LeavingCase {
    const char* name;
    PreviousInstallState outcome;
    int pagesForward;
    std::optional<int> answer;  // the answer to message 1110; nothing: no question is asked
    int result;                 // -1: the wizard stays open
};

class Leaving : public Wizard, public ::testing::WithParamInterface<LeavingCase> {};

TEST_P(Leaving, ExitAsksUnlessThereIsNothingToLose) {
    const auto& c = GetParam();
    application.previousOutcome = c.outcome;
    if (c.answer) system.answer_next_box(*c.answer);
    bool open = false;
    const int result = Run([&](wizard::CInstallDlg& frame) {
        for (int i = 0; i < c.pagesForward; ++i) Next(frame);
        system.click(frame, control::exit);
        open = !Window(frame).result();
    });
    if (c.answer) {
        ASSERT_EQ(system.boxes().size(), 1u);
        EXPECT_EQ(system.boxes()[0].text,
                  L"Installation is not complete.\r\n\r\nDo you still confirm exit Installation ?");
        EXPECT_EQ(system.boxes()[0].type, 0x124u);
    } else {
        EXPECT_TRUE(system.boxes().empty());
    }
    EXPECT_EQ(open, c.result == -1);
    EXPECT_EQ(result, c.result);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Leaving,
    ::testing::Values(LeavingCase{"fresh_no_keeps_the_wizard", PreviousInstallState::None, 1, 7, -1},
                      LeavingCase{"fresh_yes_cancels", PreviousInstallState::None, 0, 6, wizard::id_cancel},
                      LeavingCase{"same_on_first_page_leaves", PreviousInstallState::Same, 0, std::nullopt,
                                  wizard::id_cancel},
                      LeavingCase{"same_later_asks", PreviousInstallState::Same, 1, 6, wizard::id_cancel},
                      LeavingCase{"older_on_first_page_asks", PreviousInstallState::Older, 0, 6, wizard::id_cancel}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace wizard_test
