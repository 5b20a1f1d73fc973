// What the wizard says: the start page for each earlier installation, every text after a language
// change, the fallback to English, the About entry and the About box.
#include "wizard_fixture.h"

#include "wizard/pages/about_dialog.h"

#include <algorithm>

namespace wizard_test {
namespace {

struct StartPageCase {
    const char* name;
    PreviousInstallState outcome;
    const wchar_t* info;
    const wchar_t* status;
};

class StartPage : public Wizard, public ::testing::WithParamInterface<StartPageCase> {};

TEST_P(StartPage, SaysWhatTheInstallationWillDo) {
    const auto& c = GetParam();
    application.previousOutcome = c.outcome;
    application.previousTitle = L"Lignotek 7.07";
    Run([&](wizard::CInstallDlg& frame) {
        EXPECT_EQ(Text(frame.startPage, control::info), c.info);
        EXPECT_EQ(Text(frame.startPage, control::status), c.status);
        EXPECT_EQ(Text(frame.startPage, control::language_label), L"Select Installation Langage");
    });
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, StartPage,
    ::testing::Values(
        StartPageCase{"none", PreviousInstallState::None, L"'Lignotek 7.08r' Installation.",
                      L"Click on 'Next' to continue."},
        StartPageCase{"same", PreviousInstallState::Same,
                      L"'Lignotek 7.08r' is already installed.\r\nDo you confirm Reinstallation ?",
                      L"Click on 'Next' to continue or on 'Cancel' to exit Installation."},
        StartPageCase{"older", PreviousInstallState::Older, L"Update from 'Lignotek 7.07' to 'Lignotek 7.08r'.",
                      L"Click on 'Next' to continue."},
        StartPageCase{"newer", PreviousInstallState::Newer,
                      L"'Lignotek 7.08r' Installation.\r\nA more recent Version (Lignotek 7.07) is already installed.",
                      L"Click on 'Cancel' to exit Installation."}),
    [](const auto& info) { return std::string(info.param.name); });

// The list position of a language, by its item data.
int PositionOf(wizard::headless_dialog_host& page, LanguageIndex language) {
    for (int i = 0; i < page.list_count(control::language_list); ++i)
        if (page.list_item_data(control::language_list, i) == language) return i;
    return -1;
}

class Languages : public Wizard {};

TEST_F(Languages, TheListShowsTheSixteenProductLanguagesInTheirOwnNames) {
    Run([&](wizard::CInstallDlg& frame) {
        auto& page = Window(frame.startPage);
        ASSERT_EQ(page.list_count(control::language_list), 16);
        const LanguageIndex order[] = {0, 1, 2, 3, 11, 4, 5, 15, 14, 7, 9, 10, 16, 17, 19, 20};
        for (int i = 0; i < 16; ++i) EXPECT_EQ(page.list_item_data(control::language_list, i), order[i]) << i;
        EXPECT_EQ(page.list_item_text(control::language_list, 2), L"Deutsch");
        EXPECT_EQ(page.list_selection(control::language_list), PositionOf(page, EnglishLanguage));
    });
}

// Text wide enough that the longest native name does not fit the list's own width.
class WideLanguageNames : public Wizard {
protected:
    WideLanguageNames() : Wizard(Units()) {}
    static wizard::headless::metrics Units() {
        wizard::headless::metrics units;
        units.char_width = 20;
        return units;
    }
};

TEST_F(WideLanguageNames, TheDropDownIsAsWideAsTheWidestNameAndThirtyPixels) {
    Run([&](wizard::CInstallDlg& frame) {
        auto& page = Window(frame.startPage);
        int widest = 0;
        for (int i = 0; i < page.list_count(control::language_list); ++i)
            widest = std::max(
                widest, page.list_text_width(control::language_list, page.list_item_text(control::language_list, i)));
        ASSERT_GT(widest + 30, page.control_rect(control::language_list).width());
        EXPECT_EQ(page.dropped_width(control::language_list), widest + 30);
    });
}

TEST_F(Languages, ChoosingGermanChangesEveryTextAtOnce) {
    Run([&](wizard::CInstallDlg& frame) {
        Next(frame);
        Back(frame);  // every page has been refreshed once in English
        auto& start = Window(frame.startPage);
        system.choose_list_item(frame.startPage, control::language_list, PositionOf(start, 2));
        EXPECT_EQ(language.CurrentLanguage(), 2);
        EXPECT_EQ(Window(frame).title(), L"Installationsprogramm \u2013 Lignotek 7.08r");
        EXPECT_EQ(application.ApplicationName(), L"Installationsprogramm \u2013 Lignotek 7.08r");
        EXPECT_EQ(Text(frame, control::next), L"Weiter  >");
        EXPECT_EQ(Text(frame, control::back), L"<  Zur\u00fcck");
        EXPECT_EQ(Text(frame, control::exit), L"Abbrechen");
        const auto& menu = Window(frame).system_menu();
        EXPECT_TRUE(std::any_of(menu.begin(), menu.end(), [](const auto& item) {
            return item.command == wizard::about_command && item.text == L"&\u00dcber 'Installationsprogramm'...";
        }));
        EXPECT_EQ(Text(frame.startPage, control::language_label), L"Installationssprache ausw\u00e4hlen");
        EXPECT_EQ(Text(frame.startPage, control::info), L"Installation von 'Lignotek 7.08r'.");
        EXPECT_EQ(Text(frame.modePage, control::status), L"Klicken Sie auf 'Weiter', um fortzufahren.");
        EXPECT_EQ(Text(frame.installPage, control::status).find(L"Klicken Sie auf"), 0u);
        EXPECT_TRUE(system.boxes().empty());
    });
}

TEST_F(Languages, ALanguageWithoutInstallerTextsIsAnnouncedInEnglishAndKeepsTheWizardEnglish) {
    Run([&](wizard::CInstallDlg& frame) {
        auto& start = Window(frame.startPage);
        const int dutch = PositionOf(start, 5);
        system.choose_list_item(frame.startPage, control::language_list, dutch);
        ASSERT_EQ(system.boxes().size(), 1u);
        EXPECT_EQ(system.boxes()[0].text,
                  L"'Lignotek' will be installed in the selected Langage, but the Installer, still under "
                  L"translation,  shall run in English.");
        EXPECT_EQ(system.boxes()[0].type, 0x40u);
        EXPECT_EQ(language.CurrentLanguage(), EnglishLanguage);
        EXPECT_EQ(start.list_selection(control::language_list), dutch);
        EXPECT_EQ(Window(frame).title(), L"Installer \u2013 Lignotek 7.08r");
        EXPECT_EQ(Text(frame, control::next), L"Next  >");
    });
}

TEST_F(Languages, TheSystemMenuOffersAboutAndNeitherMaximizeNorSize) {
    Run([&](wizard::CInstallDlg& frame) {
        const auto& menu = Window(frame).system_menu();
        ASSERT_GE(menu.size(), 2u);
        EXPECT_TRUE(menu[menu.size() - 2].separator);
        EXPECT_EQ(menu.back().command, wizard::about_command);
        EXPECT_EQ(menu.back().text, L"&About 'Installer'...");
        for (const auto& item : menu) {
            EXPECT_NE(item.command, wizard::sc::maximize);
            EXPECT_NE(item.command, wizard::sc::size);
        }
    });
}

TEST_F(Languages, ARightToLeftLanguageWritesTheAboutEntryWithoutAccelerator) {
    language.SetLanguage(HebrewLanguage);
    ASSERT_TRUE(language.RightToLeft());
    Run([&](wizard::CInstallDlg& frame) {
        const auto& entry = Window(frame).system_menu().back();
        EXPECT_EQ(entry.text.substr(0, 3), L"...");
        EXPECT_EQ(entry.text.find(L'&'), std::wstring::npos);
        EXPECT_NE(entry.text.substr(entry.text.size() - 3), L"...");
    });
}

TEST_F(Languages, TheAboutBoxOpensFromTheSystemMenu) {
    std::wstring title;
    std::wstring ok;
    system.on_modal(res::dialog::about, [&](wizard::CDialog& about) {
        title = Window(about).title();
        ok = Text(about, control::next);
        system.click(about, control::next);
    });
    Run([&](wizard::CInstallDlg& frame) { system.system_command(frame, wizard::about_command | 0x3); });
    EXPECT_EQ(title, L"About 'Installer'");
    EXPECT_EQ(ok, L"OK");
    ASSERT_FALSE(system.modal_runs().empty());
    EXPECT_EQ(system.modal_runs().front().template_id, res::dialog::about);
    EXPECT_EQ(system.modal_runs().front().result, wizard::id_ok);
}

}  // namespace
}  // namespace wizard_test
