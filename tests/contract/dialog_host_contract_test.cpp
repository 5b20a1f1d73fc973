// The dialog-host port's contract cases on controls (texts, states, radio groups, rectangles, edit
// controls, progress bars, lists), run on the headless host and on the Win32 host.
#include "contract/dialog_host_contract.h"

#include <gmock/gmock.h>

namespace contract {
namespace {

using testing::ElementsAre;
using wizard::rect;
namespace notify = wizard::notify;

constexpr int en_change = 0x0300;  // EN_CHANGE

TEST_P(DialogHostContract, TextsRoundTripAndAMissingControlAnswersNothing) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_EQ(host.title(), L"Contract probe");
        host.set_title(L"Installer – Lignotek 7.08r");
        EXPECT_EQ(host.title(), L"Installer – Lignotek 7.08r");
        EXPECT_EQ(host.text(probe::status), L"Status");
        EXPECT_EQ(host.text(res::no_id), L"Label");
        for (const int id : {probe::status, probe::ok, probe::folder, probe::first_check}) {
            const std::wstring text = L"Dossier d'installation " + std::to_wstring(id);
            host.set_text(id, text);
            EXPECT_EQ(host.text(id), text) << "control " << id;
        }
        host.set_text(probe::folder, L"");
        EXPECT_EQ(host.text(probe::folder), L"");

        EXPECT_TRUE(host.has_control(probe::languages));
        EXPECT_FALSE(host.has_control(probe::missing));
        host.set_text(probe::missing, L"nowhere");
        host.enable(probe::missing, true);
        host.set_check(probe::missing, true);
        EXPECT_EQ(host.text(probe::missing), L"");
        EXPECT_FALSE(host.is_enabled(probe::missing));
        EXPECT_FALSE(host.is_control_visible(probe::missing));
        EXPECT_FALSE(host.is_checked(probe::missing));
        EXPECT_EQ(host.control_rect(probe::missing), rect{});
        EXPECT_EQ(host.text_width(probe::missing, L"abc"), 0);
        EXPECT_EQ(host.list_count(probe::missing), 0);
        EXPECT_EQ(host.list_selection(probe::missing), -1);
        EXPECT_EQ(host.add_list_item(probe::missing, L"x", 142, 16, 12, 1), -1);
        EXPECT_EQ(host.progress_position(probe::missing), 0);
        EXPECT_EQ(host.first_visible_line(probe::missing), 0);
    });
}

TEST_P(DialogHostContract, EnabledVisibleAndCheckedStates) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_TRUE(host.is_visible());
        EXPECT_FALSE(host.is_minimized());
        EXPECT_TRUE(host.is_enabled(probe::ok));
        host.enable(probe::ok, false);
        EXPECT_FALSE(host.is_enabled(probe::ok));
        host.enable(probe::ok, true);
        EXPECT_TRUE(host.is_enabled(probe::ok));

        EXPECT_TRUE(host.is_control_visible(probe::status));
        host.show_control(probe::status, false);
        EXPECT_FALSE(host.is_control_visible(probe::status));
        host.show_control(probe::status, true);
        EXPECT_TRUE(host.is_control_visible(probe::status));

        EXPECT_FALSE(host.is_checked(probe::first_check));
        host.set_check(probe::first_check, true);
        EXPECT_TRUE(host.is_checked(probe::first_check));
        EXPECT_FALSE(host.is_checked(probe::second_check));
        host.set_check(probe::first_check, false);
        EXPECT_FALSE(host.is_checked(probe::first_check));
        // Only check boxes and radio buttons keep a check.
        host.set_check(probe::back, true);
        host.set_check(probe::status, true);
        EXPECT_FALSE(host.is_checked(probe::back));
        EXPECT_FALSE(host.is_checked(probe::status));
    });
}

TEST_P(DialogHostContract, TheRadioGroupRunsToTheNextGroupAndAClickChecksOneButton) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_THAT(host.radio_group(probe::quick), ElementsAre(probe::quick, probe::advanced, probe::expert));
        EXPECT_THAT(host.radio_group(probe::advanced), ElementsAre(probe::advanced, probe::expert));
        EXPECT_TRUE(host.radio_group(probe::first_check).empty());
        EXPECT_TRUE(host.radio_group(probe::missing).empty());

        // As the data exchange loads a group: every button set.
        host.set_check(probe::first_check, true);
        for (const int id : host.radio_group(probe::quick)) host.set_check(id, id == probe::advanced);
        EXPECT_FALSE(host.is_checked(probe::quick));
        EXPECT_TRUE(host.is_checked(probe::advanced));
        EXPECT_FALSE(host.is_checked(probe::expert));

        subject().click(dialog, probe::expert);
        EXPECT_FALSE(host.is_checked(probe::quick));
        EXPECT_FALSE(host.is_checked(probe::advanced));
        EXPECT_TRUE(host.is_checked(probe::expert));
        EXPECT_TRUE(host.is_checked(probe::first_check)) << "a check box outside the group";
        EXPECT_EQ(dialog.count(probe::expert, notify::clicked), 1);
        EXPECT_EQ(subject().focused_control(dialog), probe::expert);
    });
}

TEST_P(DialogHostContract, CheckingOneRadioButtonLeavesTheOthersOfItsGroup) {
    if (subject().under_wine())
        GTEST_SKIP() << "Wine's BM_SETCHECK clears the rest of an automatic radio group; Windows (and ReactOS, "
                        "which follows it) changes only the button it is sent to";
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.set_check(probe::quick, true);
        host.set_check(probe::advanced, true);
        EXPECT_TRUE(host.is_checked(probe::quick));
        EXPECT_TRUE(host.is_checked(probe::advanced));
    });
}

TEST_P(DialogHostContract, RectanglesComeFromTheTemplateAndFollowMoves) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        const rect size = subject().to_pixels(dialog, 0, 0, 240, 160);
        EXPECT_EQ(host.client_rect(), (rect{0, 0, size.right, size.bottom}));
        const rect frame = host.window_rect();
        EXPECT_GT(frame.width(), size.right);
        EXPECT_GT(frame.height() - size.bottom, frame.width() - size.right) << "a caption above the client area";

        for (const int id : {probe::ok, probe::status, probe::folder, probe::log, probe::progress, probe::background})
            EXPECT_EQ(host.control_rect(id), template_rect(dialog, probe::modal, id)) << "control " << id;
        // A drop-down list is as high as its selection field; the template's height is the list's.
        const rect list = host.control_rect(probe::languages);
        const rect listTemplate = template_rect(dialog, probe::modal, probe::languages);
        EXPECT_EQ(list.left, listTemplate.left);
        EXPECT_EQ(list.top, listTemplate.top);
        EXPECT_EQ(list.width(), listTemplate.width());
        EXPECT_LT(list.height(), listTemplate.height());
        host.move_control(probe::languages, {list.left, list.top, list.right + 20, list.bottom});
        EXPECT_EQ(host.control_rect(probe::languages), (rect{list.left, list.top, list.right + 20, list.bottom}));

        const rect moved = host.control_rect(probe::status).moved_by(5, 9);
        host.move_control(probe::status, {moved.left, moved.top, moved.right + 30, moved.bottom});
        EXPECT_EQ(host.control_rect(probe::status), (rect{moved.left, moved.top, moved.right + 30, moved.bottom}));

        host.set_position(frame.moved_to(40, 30), true, false);
        EXPECT_EQ(host.window_rect(), frame.moved_to(40, 30));
        host.set_position({0, 0, frame.width() + 16, frame.height() + 8}, false, true);
        EXPECT_EQ(host.window_rect(), (rect{40, 30, 40 + frame.width() + 16, 30 + frame.height() + 8}));
        EXPECT_EQ(host.client_rect(), (rect{0, 0, size.right + 16, size.bottom + 8}));
    });
}

TEST_P(DialogHostContract, ClientAreasMarginsAndTextWidths) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        const rect status = host.control_rect(probe::status);
        EXPECT_EQ(host.control_client_rect(probe::status), (rect{0, 0, status.width(), status.height()}));
        const rect folder = host.control_rect(probe::folder);
        const rect folderClient = host.control_client_rect(probe::folder);
        EXPECT_EQ(folderClient.left, 0);
        EXPECT_EQ(folderClient.top, 0);
        EXPECT_LT(folderClient.width(), folder.width()) << "the border is outside the client area";
        const rect log = host.control_rect(probe::log);
        EXPECT_LT(host.control_client_rect(probe::log).width(), log.width() - (folder.width() - folderClient.width()))
            << "the vertical scroll bar too";

        const auto [left, right] = host.edit_margins(probe::log);
        EXPECT_GE(left, 0);
        EXPECT_GE(right, 0);
        EXPECT_LT(left + right, log.width());
        EXPECT_EQ(host.edit_margins(probe::status), (std::pair<int, int>{0, 0}));

        const int dash = host.text_width(probe::log, L"-");
        EXPECT_GT(dash, 0);
        EXPECT_EQ(host.text_width(probe::log, L"----------"), 10 * dash);
        EXPECT_GT(host.text_width(probe::status, L"Installation Options"), host.text_width(probe::status, L"Options"));
        EXPECT_EQ(host.text_width(probe::status, L""), 0);
        EXPECT_GT(host.list_text_width(probe::languages, L"Deutsch"), 0);
        EXPECT_EQ(host.list_text_width(probe::status, L"Deutsch"), 0) << "not a list";
    });
}

TEST_P(DialogHostContract, TheLimitHoldsForTypingAndAppendingButNotForSetText) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.limit_text(probe::folder, 5);
        EXPECT_EQ(subject().text_limit(dialog, probe::folder), 5u);
        dialog.commands.clear();
        subject().type_text(dialog, probe::folder, L"abcdefgh");
        EXPECT_EQ(host.text(probe::folder), L"abcde");
        // A change for each character taken (Wine's edit control also reports the refused ones).
        EXPECT_GE(dialog.count(probe::folder, en_change), 5);
        EXPECT_EQ(subject().focused_control(dialog), probe::folder);
        host.set_text(probe::folder, L"longer than five");
        EXPECT_EQ(host.text(probe::folder), L"longer than five");
        host.limit_text(probe::folder, 0);
        EXPECT_GE(subject().text_limit(dialog, probe::folder), 0x7FFFFFFEu);

        host.limit_text(probe::log, 12);
        host.set_text(probe::log, L"");
        host.append_edit_text(probe::log, L"0123456789abcdef");
        EXPECT_EQ(host.text(probe::log), L"0123456789ab");

        host.enable(probe::folder, false);
        subject().type_text(dialog, probe::folder, L"zz");
        EXPECT_EQ(host.text(probe::folder), L"longer than five") << "a disabled edit control takes no typing";
    });
}

TEST_P(DialogHostContract, AReadOnlyEditControlTakesNoTypingButItsTextCanBeSet) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_TRUE(host.is_read_only(probe::log));
        EXPECT_FALSE(host.is_read_only(probe::folder));
        host.set_read_only(probe::folder, true);
        EXPECT_TRUE(host.is_read_only(probe::folder));
        subject().type_text(dialog, probe::folder, L"C:\\Typed");
        EXPECT_EQ(host.text(probe::folder), L"");
        host.set_text(probe::folder, L"C:\\Program Files\\Lignotek 7");
        EXPECT_EQ(host.text(probe::folder), L"C:\\Program Files\\Lignotek 7");
        host.set_read_only(probe::folder, false);
        EXPECT_FALSE(host.is_read_only(probe::folder));
        subject().type_text(dialog, probe::folder, L"D:\\Apps");
        EXPECT_EQ(host.text(probe::folder), L"D:\\Apps");
        host.set_read_only(probe::status, true);
        EXPECT_FALSE(host.is_read_only(probe::status)) << "not an edit control";
    });
}

TEST_P(DialogHostContract, AppendingScrollsTheLogDownAndItScrollsBackLineByLine) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.set_text(probe::log, L"");
        std::wstring expected;
        for (int line = 0; line < 30; ++line) {
            const std::wstring text = L"Copying File  Oak" + std::to_wstring(line) + L".mat... OK\r\n";
            host.append_edit_text(probe::log, text);
            expected += text;
        }
        EXPECT_EQ(host.text(probe::log), expected);
        const int bottom = host.first_visible_line(probe::log);
        EXPECT_GT(bottom, 0) << "the last line is in view";
        EXPECT_LE(bottom, 30);

        // As the progress page goes back to the top.
        int steps = 0;
        while (host.first_visible_line(probe::log) != 0 && steps < 100) {
            host.scroll_edit_lines(probe::log, -1);
            ++steps;
        }
        EXPECT_EQ(host.first_visible_line(probe::log), 0);
        EXPECT_EQ(steps, bottom);
        host.scroll_edit_lines(probe::log, 3);
        EXPECT_EQ(host.first_visible_line(probe::log), 3);
        host.scroll_edit_lines(probe::log, -100);
        EXPECT_EQ(host.first_visible_line(probe::log), 0);
        host.scroll_edit_lines(probe::log, 1000);
        EXPECT_GE(host.first_visible_line(probe::log), bottom);
        EXPECT_LE(host.first_visible_line(probe::log), 30);
    });
}

TEST_P(DialogHostContract, TheProgressPositionKeepsToTheRange) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_EQ(host.progress_position(probe::progress), 0);
        host.set_progress_range(probe::progress, 0, 100);
        for (const auto& [set, shown] : {std::pair{40, 40}, {150, 100}, {-5, 0}, {100, 100}}) {
            host.set_progress_position(probe::progress, set);
            EXPECT_EQ(host.progress_position(probe::progress), shown) << "set " << set;
        }
        host.set_progress_range(probe::progress, 50, 60);
        EXPECT_EQ(host.progress_position(probe::progress), 60) << "the position moves into the new range";
        host.set_progress_position(probe::progress, 55);
        host.set_progress_range(probe::progress, 0, 100);
        EXPECT_EQ(host.progress_position(probe::progress), 55);
        host.set_progress_position(probe::status, 10);
        EXPECT_EQ(host.progress_position(probe::status), 0) << "not a progress bar";
    });
}

TEST_P(DialogHostContract, ListItemsCarryTextImageAndDataAndOneIsSelected) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.create_list_images(probe::languages, 18, 12, 8, 1);
        EXPECT_EQ(host.add_list_item(probe::languages, L"English", 142, 16, 12, 1), 0);
        EXPECT_EQ(host.add_list_item(probe::languages, L"Deutsch", 143, 16, 12, 2), 1);
        EXPECT_EQ(host.add_list_item(probe::languages, L"Nowhere", 159, 16, 12, -7), 2) << "there is no icon 159";
        EXPECT_EQ(host.add_list_item(probe::status, L"Français", 141, 16, 12, 0), -1) << "not a list";
        EXPECT_EQ(host.text(probe::status), L"Status");

        EXPECT_EQ(host.list_count(probe::languages), 3);
        EXPECT_EQ(host.list_item_text(probe::languages, 1), L"Deutsch");
        EXPECT_EQ(host.list_item_text(probe::languages, 3), L"");
        EXPECT_EQ(host.list_item_data(probe::languages, 0), std::optional<std::intptr_t>(1));
        EXPECT_EQ(host.list_item_data(probe::languages, 2), std::optional<std::intptr_t>(-7));
        EXPECT_EQ(host.list_item_data(probe::languages, 3), std::nullopt);
        EXPECT_EQ(host.list_item_data(probe::languages, -1), std::nullopt);
        const auto images = subject().images(dialog, probe::languages);
        EXPECT_EQ(images.width, 18);
        EXPECT_EQ(images.height, 12);
        EXPECT_EQ(images.count, 2);
        EXPECT_EQ(subject().list_item_image(dialog, probe::languages, 0), 0);
        EXPECT_EQ(subject().list_item_image(dialog, probe::languages, 1), 1);
        EXPECT_EQ(subject().list_item_image(dialog, probe::languages, 2), -1);

        EXPECT_EQ(host.list_selection(probe::languages), -1);
        for (const auto& [select, selected] : {std::pair{1, 1}, {0, 0}, {-1, -1}, {2, 2}}) {
            host.select_list_item(probe::languages, select);
            EXPECT_EQ(host.list_selection(probe::languages), selected) << "select " << select;
        }
        const int width = host.control_rect(probe::languages).width();
        host.set_dropped_width(probe::languages, width + 40);
        EXPECT_EQ(subject().dropped_width(dialog, probe::languages), width + 40);

        dialog.commands.clear();
        subject().choose_list_item(dialog, probe::languages, 1);
        EXPECT_EQ(host.list_selection(probe::languages), 1);
        EXPECT_EQ(dialog.count(probe::languages, notify::selection_change), 1);
    });
}

TEST_P(DialogHostContract, SelectingAPositionPastTheEndClearsTheSelection) {
    if (subject().under_wine())
        GTEST_SKIP() << "Wine's CB_SETCURSEL keeps the selection for a position past the end; Windows clears it";
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.add_list_item(probe::languages, L"English", 142, 16, 12, 1);
        host.select_list_item(probe::languages, 0);
        host.select_list_item(probe::languages, 1);
        EXPECT_EQ(host.list_selection(probe::languages), -1);
    });
}

}  // namespace
}  // namespace contract
