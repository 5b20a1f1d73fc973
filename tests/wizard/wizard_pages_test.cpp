// The pages' own behaviour: the folder and shortcut pages' data, the progress page's summary and
// log lines, the end page, and the frame's layout around the largest page.
#include "wizard_fixture.h"

#include <algorithm>
#include <set>

namespace wizard_test {
namespace {

class Pages : public Wizard {
protected:
    // Runs the wizard in advanced mode up to `page` and lets `user` act there.
    void OnPage(int page, std::function<void(wizard::CInstallDlg&)> user) {
        application.settings.advancedMode = true;
        Run([&](wizard::CInstallDlg& frame) {
            while (frame.CurrentPage() < page) Next(frame);
            ASSERT_EQ(frame.CurrentPage(), page);
            user(frame);
        });
    }
    std::wstring Log(wizard::CInstallDlg& frame) { return Text(frame.installPage, control::log_box); }
};

TEST_F(Pages, AFolderOverTheShellsLimitIsRefusedAndTheWizardStays) {
    OnPage(2, [&](wizard::CInstallDlg& frame) {
        const std::wstring tooLong = L"C:\\" + std::wstring(258, L'a');  // 261 characters
        system.type_text(frame.pathPage, control::folder_edit, tooLong);
        // The edit control refuses what is over its limit: put the text in as a program would.
        Window(frame.pathPage).set_text(control::folder_edit, tooLong);
        Next(frame);
        EXPECT_EQ(frame.CurrentPage(), 2);
        ASSERT_EQ(system.boxes().size(), 1u);
        EXPECT_EQ(system.boxes()[0].text, L"Enter no more than 260 characters.");
        EXPECT_EQ(system.focused_control(frame.pathPage), control::folder_edit);
        EXPECT_NE(application.settings.installFolder, tooLong);

        const std::wstring longest = L"C:\\" + std::wstring(257, L'b');  // 260 characters
        Window(frame.pathPage).set_text(control::folder_edit, longest);
        Next(frame);
        EXPECT_EQ(frame.CurrentPage(), 3);
        EXPECT_EQ(application.settings.installFolder, longest);
    });
}

TEST_F(Pages, TheFolderIsReadOnlyAfterAnEarlierInstallation) {
    for (const auto outcome : {PreviousInstallState::Same, PreviousInstallState::Older}) {
        application.previousOutcome = outcome;
        OnPage(2, [&](wizard::CInstallDlg& frame) {
            auto& page = Window(frame.pathPage);
            EXPECT_TRUE(page.is_read_only(control::folder_edit));
            EXPECT_FALSE(page.is_enabled(control::browse));
            EXPECT_FALSE(page.is_enabled(control::folder_label));
            EXPECT_EQ(page.text(control::folder_edit), application.settings.installFolder);
        });
    }
}

TEST_F(Pages, BrowseTakesThePickedFolderAndCancelChangesNothing) {
    OnPage(2, [&](wizard::CInstallDlg& frame) {
        const std::wstring before = application.settings.installFolder;
        pickedFolder.clear();
        system.click(frame.pathPage, control::browse);
        EXPECT_EQ(Text(frame.pathPage, control::folder_edit), before);
        pickedFolder = L"D:\\Apps\\Lignotek 7";
        system.click(frame.pathPage, control::browse);
        EXPECT_EQ(Text(frame.pathPage, control::folder_edit), L"D:\\Apps\\Lignotek 7");
        EXPECT_EQ(application.settings.installFolder, L"D:\\Apps\\Lignotek 7");
    });
}

TEST_F(Pages, TheStartMenuFolderIsShownRelativeToTheStartMenu) {
    OnPage(3, [&](wizard::CInstallDlg& frame) {
        EXPECT_EQ(frame.shortcutPage.startMenuRoot, m.machine.special_folder(os::csidl::common_startmenu));
        EXPECT_EQ(Text(frame.shortcutPage, control::folder_edit), L"Programs\\Vendrel & Vodoraru\\Lignotek 7");
        EXPECT_TRUE(Window(frame.shortcutPage).is_read_only(control::folder_edit));
    });
}

TEST_F(Pages, TheMenuCheckBoxEnablesTheFolderAndBothChoicesAreSaved) {
    OnPage(3, [&](wizard::CInstallDlg& frame) {
        auto& page = Window(frame.shortcutPage);
        EXPECT_TRUE(page.is_checked(control::menu_check));
        EXPECT_TRUE(page.is_enabled(control::browse));
        system.click(frame.shortcutPage, control::menu_check);
        EXPECT_FALSE(page.is_enabled(control::browse));
        EXPECT_FALSE(page.is_enabled(control::folder_edit));
        system.click(frame.shortcutPage, control::desktop_check);
        pickedMenuFolder = {L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tools\\Lignotek 7",
                            L"Programs\\Tools\\Lignotek 7"};
        system.click(frame.shortcutPage, control::menu_check);
        system.click(frame.shortcutPage, control::browse);
        EXPECT_EQ(page.text(control::folder_edit), L"Programs\\Tools\\Lignotek 7");
        system.click(frame.shortcutPage, control::menu_check);
        Next(frame);
        EXPECT_FALSE(application.settings.menuShortcut);
        EXPECT_FALSE(application.settings.desktopShortcut);
        // The folder is still saved while its shortcut is off.
        EXPECT_EQ(application.settings.menuFolder,
                  L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tools\\Lignotek 7");
    });
}

TEST_F(Pages, TheSummaryListsTheChosenOptions) {
    application.settings.installFolder = L"C:\\Lignotek";
    application.settings.menuShortcut = false;
    application.settings.desktopShortcut = false;
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        const std::wstring log = Log(frame);
        EXPECT_EQ(log.find(L"'Lignotek 7.08r' Installation.\r\n"), 0u);
        EXPECT_NE(log.find(L" Installation Options "), std::wstring::npos);
        EXPECT_NE(log.find(L"\r\nInstallation Folder: C:\\Lignotek.\r\n"), std::wstring::npos);
        EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 3);
        EXPECT_FALSE(Window(frame.installPage).is_control_visible(control::progress_bar));
        EXPECT_EQ(Text(frame.installPage, control::status), L"Click on 'Install' to start Installation.");
    });
}

TEST_F(Pages, FoldersWithBlanksAreQuotedInTheSummary) {
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        const std::wstring log = Log(frame);
        EXPECT_NE(log.find(L"Installation Folder: \"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\".\r\n"),
                  std::wstring::npos);
        EXPECT_NE(log.find(L"Creating a Shortcut in the Start Menu (Folder \"C:\\ProgramData"), std::wstring::npos);
        EXPECT_NE(log.find(L"Creating a Shortcut on the Desktop.\r\n"), std::wstring::npos);
        EXPECT_EQ(Window(frame.installPage).first_visible_line(control::log_box), 0);
    });
}

TEST_F(Pages, BackFromTheEndPageShowsTheInstallationLogNotANewSummary) {
    duringInstallation = [](wizard::CDlgInstall& page) { page.AppendLog(L"Installed everything\r\n"); };
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        Next(frame);
        Next(frame);
        EXPECT_EQ(Text(frame.endPage, control::info), L"Installation is complete.");
        EXPECT_EQ(Text(frame.endPage, control::status), L"Click on 'Exit' to exit Installation.");
        const std::wstring log = Log(frame);
        Back(frame);
        EXPECT_EQ(frame.CurrentPage(), 4);
        EXPECT_EQ(Log(frame), log);
        EXPECT_NE(log.find(L"Installed everything"), std::wstring::npos);
    });
}

TEST_F(Pages, WithoutAnInstallationSequenceInstallFails) {
    application.settings.advancedMode = false;
    wizard::CInstallDlg frame(system, application, Pickers(), {});
    system.on_modal(res::dialog::frame, [&](wizard::CDialog&) {
        Next(frame);
        Next(frame);
        Next(frame);
        EXPECT_EQ(frame.CurrentPage(), 4);
        EXPECT_EQ(Text(frame.installPage, control::status), L"Installation failed (Error Code 7).");
    });
    frame.DoModal();
    EXPECT_FALSE(application.installSucceeded);
}

// AppendLog's separators over the headless log box: its width, margins and character widths are
// those of the model, so the dash count follows from them.
class Separators : public Pages {
protected:
    // The number of dashes a heading of `text` gets on each side.
    std::pair<std::size_t, std::size_t> Dashes(const std::wstring& line, const std::wstring& text) {
        const auto at = line.find(L" " + text + L" ");
        EXPECT_NE(at, std::wstring::npos) << "in " << std::string(line.begin(), line.end());
        const auto after = at + text.size() + 2;
        return {at, line.size() - 2 - after};
    }
};

TEST_F(Separators, HeadingsAreCentredWithTheRightHalfLongerWhenTheCountIsOdd) {
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        auto& box = Window(frame.installPage);
        const auto [left, right] = box.edit_margins(control::log_box);
        const int width = box.control_client_rect(control::log_box).width() - left - right - 2;
        const int dash = box.text_width(control::log_box, L"-");
        ASSERT_GT(dash, 0);
        for (const std::wstring& text : {std::wstring(L"ab"), std::wstring(L"abc"), std::wstring(L"")}) {
            box.set_text(control::log_box, L"");
            frame.installPage.AppendLog(text, true);
            const std::wstring line = box.text(control::log_box);
            ASSERT_EQ(line.substr(line.size() - 2), L"\r\n");
            const int n = (width - (text.empty() ? 0 : box.text_width(control::log_box, L" " + text + L" "))) / dash;
            if (text.empty()) {
                EXPECT_EQ(line, std::wstring(static_cast<std::size_t>(n), L'-') + L"\r\n");
                continue;
            }
            const auto [before, after] = Dashes(line, text);
            EXPECT_EQ(before, static_cast<std::size_t>(n / 2)) << "odd count " << (n % 2);
            EXPECT_EQ(after, static_cast<std::size_t>((n + 1) / 2));
        }
    });
}

TEST_F(Separators, AnOddAndAnEvenCountBothOccur) {
    // Texts one character apart give counts of both parities on any dash width that divides a
    // character's width; the model's widths are fixed, so this holds the parity test above honest.
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        auto& box = Window(frame.installPage);
        std::set<std::size_t> parities;
        for (const std::wstring& text : {std::wstring(L"ab"), std::wstring(L"abc")}) {
            box.set_text(control::log_box, L"");
            frame.installPage.AppendLog(text, true);
            const auto [before, after] = Dashes(box.text(control::log_box), text);
            parities.insert((before + after) % 2);
        }
        EXPECT_EQ(parities.size(), 2u);
    });
}

TEST_F(Pages, PlainTextIsAppendedAsItStands) {
    OnPage(4, [&](wizard::CInstallDlg& frame) {
        auto& box = Window(frame.installPage);
        box.set_text(control::log_box, L"");
        frame.installPage.AppendLog(L"Copying");
        frame.installPage.AppendLog(L"OK\r\n");
        EXPECT_EQ(box.text(control::log_box), L"CopyingOK\r\n");
    });
}

TEST_F(Pages, TheFrameGrowsToTheLargestPageAndMovesItsButtons) {
    Run([&](wizard::CInstallDlg& frame) {
        auto& w = Window(frame);
        const wizard::rect area{w.control_rect(control::side_background).right, 0, w.client_rect().right,
                                w.control_rect(control::separator).top};
        for (wizard::CWizardPage* page :
             {static_cast<wizard::CWizardPage*>(&frame.startPage), static_cast<wizard::CWizardPage*>(&frame.modePage),
              static_cast<wizard::CWizardPage*>(&frame.pathPage),
              static_cast<wizard::CWizardPage*>(&frame.shortcutPage),
              static_cast<wizard::CWizardPage*>(&frame.installPage), static_cast<wizard::CWizardPage*>(&frame.endPage)})
            EXPECT_EQ(Window(*page).window_rect(), area) << Window(*page).template_id();
        // The buttons keep their place under the page area's right part.
        const auto x = [](int units) { return wizard::headless::mul_div(units, 6, 4); };
        EXPECT_EQ(w.client_rect().right - w.control_rect(control::exit).right, x(273) - x(216 + 50));
        EXPECT_EQ(w.control_rect(control::separator).top, area.bottom);
        EXPECT_GT(w.control_rect(control::next).top, area.bottom);
        // The status lines were moved with their pages: each stays inside its page.
        EXPECT_LE(Window(frame.shortcutPage).control_rect(control::status).bottom, area.height());
    });
}

TEST_F(Pages, MaximizingChangesNothing) {
    Run([&](wizard::CInstallDlg& frame) {
        const auto before = Window(frame).window_rect();
        const auto info = system.maximized_size(frame);
        EXPECT_EQ(info.max_width, before.width());
        EXPECT_EQ(info.max_height, before.height());
        EXPECT_EQ(info.max_x, before.left);
        EXPECT_EQ(info.max_y, before.top);
    });
}

}  // namespace
}  // namespace wizard_test
