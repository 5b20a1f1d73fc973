// The Browse buttons' folder browser over the scripted picker: the tail kept at the end of a
// selected folder, typed paths checked and taken as typed, the Start-menu picker's relative
// answer, the error boxes, cancel, and what the picker is opened with.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "os/native/folder_picker_double.h"
#include "os/native/shell_folders_double.h"
#include "os/native/system_text_double.h"
#include "os/native/user_interface_double.h"
#include "wizard/folder_browser.h"
#include "wizard/folder_browser_paths.h"

namespace {

constexpr wchar_t product_tail[] = L"Lignotek 7";
constexpr wchar_t picker_title[] = L"Select 'Lignotek' Installation Folder.";
constexpr wchar_t program_files_folder[] = L"C:\\Program Files\\Lignotek 7";
constexpr wchar_t start_menu_folder[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu";
constexpr wchar_t programs_folder[] = L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs";
constexpr wchar_t bad_path_text[] = L"The specified path is invalid.";
constexpr wchar_t too_long_text[] = L"The filename or extension is too long.";

std::wstring Repeat(wchar_t c, std::size_t count) { return std::wstring(count, c); }

std::wstring Programs(std::wstring_view below) { return std::wstring(programs_folder) + L"\\" + std::wstring(below); }

class FolderBrowserTest : public testing::Test {
protected:
    FolderBrowserTest() {
        texts.set(161, std::wstring(bad_path_text) + L"\r\n");
        texts.set(0x800700CEu, std::wstring(too_long_text) + L"\r\n");
        wizard = ui.add_window();
        ui.set_active(wizard);
        picker.add_folder(L"D:\\Apps");
    }

    wizard::FolderBrowserPorts Ports() { return {picker, ui, texts, shell, knownFolders, ownerlessRightToLeft}; }
    std::wstring BrowseInstall(std::wstring_view initial = program_files_folder,
                               std::wstring_view tail = product_tail) {
        return wizard::BrowseInstallFolder(Ports(), initial, tail, picker_title);
    }
    std::pair<std::wstring, std::wstring> BrowseMenu(std::wstring_view initial) {
        return wizard::BrowseMenuFolder(Ports(), initial, product_tail, L"Create a Shortcut in the following Menu:");
    }
    const os::native::picker_session& Session() const { return picker.last_session(); }

    os::native::scripted_ui ui;
    os::native::folder_picker_double picker{ui};
    os::native::system_text_table texts;
    os::native::shell_folders_double shell;
    vd::known_folders knownFolders;
    std::function<bool()> ownerlessRightToLeft;
    os::window_handle wizard = os::window_handle::none;
};

// --- the tail rule -----------------------------------------------------------------------------

TEST_F(FolderBrowserTest, ASelectedFolderEndsWithTheTailOnce) {
    const std::wstring longFolder = L"D:\\" + Repeat(L'a', 120) + L"\\" + Repeat(L'b', 124);  // 248 characters
    const std::wstring tooLong = longFolder + L"b";
    const struct {
        std::wstring tail;
        std::wstring selected;
        std::wstring chosen;
    } cases[] = {
        {product_tail, L"D:\\Apps", L"D:\\Apps\\Lignotek 7"},
        {product_tail, L"D:\\Apps\\Lignotek 7", L"D:\\Apps\\Lignotek 7"},
        {product_tail, L"D:\\Tools\\lignotek 7", L"D:\\Tools\\lignotek 7"},
        {product_tail, L"D:\\Apps\\Lignotek 7\\Plugins", L"D:\\Apps\\Lignotek 7\\Plugins\\Lignotek 7"},
        {product_tail, L"D:\\", L"D:\\Lignotek 7"},
        {product_tail, longFolder, longFolder + L"\\Lignotek 7"},  // 259 characters: still fits
        {product_tail, tooLong, tooLong},                          // 260 would not fit MAX_PATH
        {L"Vendrel & Vodoraru\\Lignotek 7", L"D:\\Apps", L"D:\\Apps\\Vendrel & Vodoraru\\Lignotek 7"},
        {L"Vendrel & Vodoraru\\Lignotek 7", L"D:\\Apps\\Vendrel & Vodoraru",
         L"D:\\Apps\\Vendrel & Vodoraru\\Lignotek 7"},
        {L"Vendrel & Vodoraru\\Lignotek 7", L"D:\\Other\\VENDREL & VODORARU\\lignotek 7",
         L"D:\\Other\\VENDREL & VODORARU\\lignotek 7"},
        {L"Vendrel & Vodoraru\\Lignotek 7", L"D:\\Apps\\Lignotek 7",
         L"D:\\Apps\\Lignotek 7\\Vendrel & Vodoraru\\Lignotek 7"},
        {L"Lignotek 7...", L"D:\\Apps", L"D:\\Apps\\Lignotek 7"},
    };
    for (const auto& c : cases) {
        picker.add_folder(c.selected);
        picker.select(c.selected).press_ok();
        EXPECT_EQ(BrowseInstall(program_files_folder, c.tail), c.chosen) << testing::PrintToString(c.selected);
        EXPECT_TRUE(picker.boxes().empty());
    }
}

TEST_F(FolderBrowserTest, TheEditBoxShowsTheProposalAfterEachSelection) {
    picker.add_folder(L"D:\\Apps\\Games");
    picker.select(L"D:\\Apps").cancel();
    EXPECT_EQ(BrowseInstall(), L"");
    EXPECT_EQ(Session().edit_text, L"D:\\Apps\\Lignotek 7");
    EXPECT_TRUE(Session().edit_text_all_selected);

    picker.select(L"D:\\Apps").select(L"D:\\Apps\\Games").cancel();
    EXPECT_EQ(BrowseInstall(), L"");
    EXPECT_EQ(Session().edit_text, L"D:\\Apps\\Games\\Lignotek 7");
}

TEST_F(FolderBrowserTest, StartValues) {
    const struct {
        std::wstring initial;
        std::wstring tail;
        std::wstring proposed;
        std::wstring keptTail;
    } cases[] = {
        {program_files_folder, product_tail, program_files_folder, product_tail},
        {L"D:", product_tail, L"D:\\Lignotek 7", product_tail},
        {L"D:\\Apps", product_tail, L"D:\\Apps\\Lignotek 7", product_tail},
        {L"Apps\\Lignotek 7", product_tail, L"C:\\Users\\tester\\Documents\\Lignotek 7",
         product_tail},  // relative: discarded
        {L"\\Apps", product_tail, L"C:\\Users\\tester\\Documents\\Lignotek 7", product_tail},
        {L"", product_tail, L"C:\\Users\\tester\\Documents\\Lignotek 7", product_tail},
        {L"D:\\Apps", L"Lignotek 7..", L"D:\\Apps\\Lignotek 7", product_tail},
        {L"D:\\Apps", L"", L"D:\\Apps", L""},
    };
    for (const auto& c : cases) {
        const wizard::FolderBrowser browser(Ports(), c.initial, c.tail, picker_title, std::nullopt);
        EXPECT_EQ(browser.ProposedPath(), c.proposed) << testing::PrintToString(c.initial);
        EXPECT_EQ(browser.Tail(), c.keptTail) << testing::PrintToString(c.tail);
    }
}

TEST_F(FolderBrowserTest, WithoutDocumentsAnEmptyStartOpensThePickerAtItsOwnStart) {
    shell.fail_known_folder(os::known_folder::documents, static_cast<std::int32_t>(0x80070002u));
    const wizard::FolderBrowser browser(Ports(), L"", product_tail, picker_title, std::nullopt);
    EXPECT_EQ(browser.ProposedPath(), L"");
    picker.select(L"D:\\Apps").press_ok();
    EXPECT_EQ(BrowseInstall(L""), L"D:\\Apps\\Lignotek 7");
}

TEST_F(FolderBrowserTest, ATailWithAnInvalidCharacterIsDroppedAndThePickerHasNoEditBox) {
    for (const std::wstring tail :
         {L"Ligno*tek", L"Ligno?tek", L"Ligno|tek", L"Ligno<tek", L"Ligno\"tek", L"Ligno/tek", L"Ligno\ttek"}) {
        const wizard::FolderBrowser browser(Ports(), L"D:\\Apps", tail, picker_title, std::nullopt);
        EXPECT_EQ(browser.Tail(), L"") << testing::PrintToString(tail);
        EXPECT_EQ(browser.PickerFlags(), 0x49u);

        picker.select(L"D:\\Apps").press_ok();
        EXPECT_EQ(BrowseInstall(L"C:\\Program Files", tail), L"D:\\Apps");
        EXPECT_EQ(Session().request.flags, 0x49u);
        EXPECT_EQ(Session().edit_box, os::window_handle::none);
    }
}

TEST_F(FolderBrowserTest, ThePickerOpensWithTheOwnerTitleAndFlags) {
    picker.cancel();
    (void)BrowseInstall();
    EXPECT_EQ(Session().request.flags, 0x79u);
    EXPECT_EQ(Session().request.title, picker_title);
    EXPECT_EQ(Session().request.root, std::nullopt);
    EXPECT_EQ(Session().request.owner, wizard);
    EXPECT_TRUE(Session().owner_disabled);

    // A popup of the wizard that was active last owns the picker.
    const auto popup = ui.add_window({os::ws::popup | os::ws::caption | os::ws::visible, 0, wizard, false});
    ui.set_active(popup);
    picker.cancel();
    (void)BrowseMenu(L"");
    EXPECT_EQ(Session().request.owner, popup);
    EXPECT_EQ(Session().request.root, os::csidl::common_programs);
    EXPECT_EQ(Session().request.flags, 0x79u);
}

TEST_F(FolderBrowserTest, TheNearestExistingFolderIsSelectedAndOkKeepsTheProposal) {
    picker.press_ok();
    EXPECT_EQ(BrowseInstall(L"D:\\Apps\\New\\Deeper"), L"D:\\Apps\\New\\Deeper\\Lignotek 7");
    EXPECT_EQ(Session().selections_set, std::vector<std::wstring>{L"D:\\Apps"});
    EXPECT_EQ(Session().expanded, std::vector<std::wstring>{L"D:\\Apps"});
    EXPECT_EQ(Session().validations, std::vector<std::wstring>{L"D:\\Apps\\New\\Deeper\\Lignotek 7"});
}

TEST_F(FolderBrowserTest, WithoutATailOkFollowsWhetherTheSelectionIsAFolder) {
    picker.select_item_without_path().select(L"D:\\Apps").press_ok();
    EXPECT_EQ(BrowseInstall(L"C:\\Program Files", L""), L"D:\\Apps");
    EXPECT_EQ(Session().ok_states, (std::vector<bool>{false, true}));

    // OK stays disabled on an item without a path; only Cancel ends the picker then.
    picker.select_item_without_path().press_ok().cancel();
    EXPECT_EQ(BrowseInstall(L"C:\\Program Files", L""), L"");
}

TEST_F(FolderBrowserTest, AnItemWithoutAPathKeepsTheProposal) {
    picker.select(L"D:\\Apps").select_item_without_path().cancel();
    (void)BrowseInstall();
    EXPECT_EQ(Session().edit_text, L"D:\\Apps\\Lignotek 7");
}

TEST_F(FolderBrowserTest, CancelReturnsNothing) {
    picker.select(L"D:\\Apps").cancel();
    EXPECT_EQ(BrowseInstall(), L"");
    picker.select(Programs(L"")).cancel();
    EXPECT_EQ(BrowseMenu(L""), (std::pair<std::wstring, std::wstring>{}));
    // A user who closes the picker any other way.
    EXPECT_EQ(BrowseInstall(), L"");
    EXPECT_TRUE(Session().script_ran_out);
}

// --- typed paths -------------------------------------------------------------------------------

TEST_F(FolderBrowserTest, ATypedPathIsTakenAsTypedQualifiedAndWithoutTheTail) {
    const std::wstring longest = L"E:\\" + Repeat(L'x', 256);  // 259 characters
    const struct {
        std::wstring typed;
        std::wstring chosen;
    } cases[] = {
        {L"E:\\Data\\Mine", L"E:\\Data\\Mine"},
        {L"  E:\\Data\\Mine\\ \t", L"E:\\Data\\Mine"},
        {L"E:\\Data\\.\\Old\\..\\Mine", L"E:\\Data\\Mine"},
        {L"E:/Data/Mine", L"E:\\Data\\Mine"},
        {L"E:", L"E:\\"},
        {L"E:\\", L"E:\\"},
        {L"Sub\\Folder", L"C:\\Users\\tester\\Sub\\Folder"},
        {L"   ", L"C:\\Users\\tester"},
        {L"\\\\server\\share\\Lignotek", L"\\\\server\\share\\Lignotek"},
        {longest, longest},
    };
    for (const auto& c : cases) {
        picker.select(L"D:\\Apps").type(c.typed).press_ok();
        EXPECT_EQ(BrowseInstall(), c.chosen) << testing::PrintToString(c.typed);
        EXPECT_EQ(Session().validations, std::vector<std::wstring>{c.typed});
        EXPECT_TRUE(picker.boxes().empty());
    }
}

TEST_F(FolderBrowserTest, ARefusedTypedPathShowsTheSystemTextAndKeepsThePickerOpen) {
    const struct {
        std::wstring typed;
        std::wstring text;
    } cases[] = {
        {L"E:\\Da*ta", bad_path_text},
        {L"E:\\Da?ta", bad_path_text},
        {L"E:\\Data|Mine", bad_path_text},
        {L"E:\\Data:Stream", bad_path_text},
        {L"E:\\" + Repeat(L'x', 257), too_long_text},  // 260 characters
        {Repeat(L'y', 250), too_long_text},            // too long once qualified
    };
    for (const auto& c : cases) {
        picker.clear_boxes();
        picker.type(c.typed).press_ok().type(L"E:\\Data").press_ok();
        EXPECT_EQ(BrowseInstall(), L"E:\\Data") << testing::PrintToString(c.typed);
        ASSERT_EQ(picker.boxes().size(), 1u) << testing::PrintToString(c.typed);
        EXPECT_EQ(picker.boxes()[0].text, c.text);
        EXPECT_EQ(picker.boxes()[0].type, os::mb::icon_exclamation);
        EXPECT_EQ(picker.boxes()[0].owner, Session().picker);
        EXPECT_EQ(Session().validations.size(), 2u);
    }
}

TEST_F(FolderBrowserTest, ErrorBoxesReadRightToLeftWithAMirroredOwner) {
    picker.set_picker_extended_style(os::ws_ex::layout_rtl);
    picker.type(L"E:\\Da*ta").press_ok().cancel();
    EXPECT_EQ(BrowseInstall(), L"");
    ASSERT_EQ(picker.boxes().size(), 1u);
    EXPECT_EQ(picker.boxes()[0].type, os::mb::icon_exclamation | os::mb::rtl_reading);
}

// --- the Start-menu picker ---------------------------------------------------------------------

TEST_F(FolderBrowserTest, TheStartMenuPickerAnswersRelativeToTheStartMenu) {
    picker.add_folder(Programs(L"Vendrel & Vodoraru"));
    picker.add_folder(Programs(L"Games"));
    const std::wstring initial = Programs(L"Vendrel & Vodoraru\\Lignotek 7");

    // OK at once: the proposal as the edit box shows it, relative to the Start menu.
    picker.press_ok();
    EXPECT_EQ(BrowseMenu(initial), std::make_pair(initial, std::wstring(L"Programs\\Vendrel & Vodoraru\\Lignotek 7")));
    EXPECT_EQ(Session().selections_set, std::vector<std::wstring>{Programs(L"Vendrel & Vodoraru")});
    EXPECT_EQ(Session().validations, std::vector<std::wstring>{L"Programs\\Vendrel & Vodoraru\\Lignotek 7"});

    picker.select(Programs(L"Games")).press_ok();
    EXPECT_EQ(BrowseMenu(initial),
              std::make_pair(Programs(L"Games\\Lignotek 7"), std::wstring(L"Programs\\Games\\Lignotek 7")));
    EXPECT_EQ(Session().edit_text, L"Programs\\Games\\Lignotek 7");

    // Without a folder, the picker starts at its root.
    picker.press_ok();
    EXPECT_EQ(BrowseMenu(L""), std::make_pair(Programs(L"Lignotek 7"), std::wstring(L"Programs\\Lignotek 7")));

    std::wstring current;
    ASSERT_FALSE(picker.current_directory(current));
    EXPECT_EQ(current, L"C:\\Users\\tester");
}

TEST_F(FolderBrowserTest, TheStartMenuPickerRefusesTypedPathsOutsideTheStartMenu) {
    picker.type(L"C:\\Elsewhere\\Menu").press_ok().type(L"..\\Start Menu2").press_ok();
    picker.type(L"Programs\\Mine").press_ok();
    EXPECT_EQ(BrowseMenu(L""), std::make_pair(Programs(L"Mine"), std::wstring(L"Programs\\Mine")));
    ASSERT_EQ(picker.boxes().size(), 2u);
    EXPECT_EQ(picker.boxes()[0].text, bad_path_text);
    EXPECT_EQ(picker.boxes()[1].text, bad_path_text);

    std::wstring current;
    ASSERT_FALSE(picker.current_directory(current));
    EXPECT_EQ(current, L"C:\\Users\\tester");
}

TEST_F(FolderBrowserTest, ACurrentDirectoryThatCannotBeChangedRefusesTheTypedPath) {
    picker.fail_set_current_directory(5);
    picker.type(L"Programs\\Mine").press_ok().cancel();
    EXPECT_EQ(BrowseMenu(L"").first, L"");
    ASSERT_EQ(picker.boxes().size(), 1u);
    EXPECT_EQ(picker.boxes()[0].text, L"Access is denied.");
}

TEST_F(FolderBrowserTest, AStartMenuThatCannotBeResolvedLeavesTheWholeNamespace) {
    picker.set_root_path(os::csidl::common_programs, L"");
    picker.select(L"D:\\Apps").press_ok();
    const std::wstring chosen = L"D:\\Apps\\Lignotek 7";
    EXPECT_EQ(BrowseMenu(L""), std::make_pair(chosen, chosen));
    EXPECT_EQ(Session().request.root, std::nullopt);
}

// --- COM -----------------------------------------------------------------------------------------

TEST_F(FolderBrowserTest, ComIsInitialisedWhileThePickerIsOpen) {
    picker.cancel();
    (void)BrowseInstall();
    EXPECT_EQ(Session().com_depth, 1);
    EXPECT_EQ(picker.com_depth(), 0);
}

TEST_F(FolderBrowserTest, WhenComFailsABoxSaysWhyAndNoPickerOpens) {
    constexpr auto changedMode = static_cast<std::int32_t>(0x80010106u);  // RPC_E_CHANGED_MODE
    texts.set(0x80010106u, L"Cannot change thread mode after it is set.\r\n");
    picker.fail_com(changedMode);
    EXPECT_EQ(BrowseInstall(), L"");
    EXPECT_TRUE(picker.sessions().empty());
    ASSERT_EQ(picker.boxes().size(), 1u);
    EXPECT_EQ(picker.boxes()[0].owner, wizard);
    EXPECT_EQ(picker.boxes()[0].text, L"Cannot change thread mode after it is set.");
    EXPECT_EQ(picker.boxes()[0].type, os::mb::icon_exclamation);

    // Without any window the language decides the reading order.
    ui.destroy(wizard);
    ownerlessRightToLeft = [] { return true; };
    EXPECT_EQ(BrowseInstall(), L"");
    ASSERT_EQ(picker.boxes().size(), 2u);
    EXPECT_EQ(picker.boxes()[1].owner, os::window_handle::none);
    EXPECT_EQ(picker.boxes()[1].type, os::mb::icon_exclamation | os::mb::rtl_reading);
}

// --- the path rules on their own ----------------------------------------------------------------

TEST(FolderBrowserPaths, RelativeBelowTheStartMenu) {
    const struct {
        std::wstring path;
        std::optional<std::wstring> relative;
    } cases[] = {
        {Programs(L"Vendrel & Vodoraru\\Lignotek 7"), L"Programs\\Vendrel & Vodoraru\\Lignotek 7"},
        {L"c:\\programdata\\microsoft\\windows\\start menu\\Programs", L"Programs"},
        {start_menu_folder, L""},
        {L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu2\\X", std::nullopt},
        {L"C:\\Users\\tester\\Start Menu\\Programs", std::nullopt},
        {L"D:\\Start Menu\\Programs", std::nullopt},
        {L"Programs\\X", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(wizard::RelativeBelow(start_menu_folder, c.path), c.relative) << testing::PrintToString(c.path);
    }
}

}  // namespace
