// The dialog templates as the wizard's code relies on them: every template and every control the
// frame and the pages address exists once, the pages are hidden child dialogs, and the frame's
// layout controls bound the page area as the frame's layout expects.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "res/dialog_styles.h"
#include "res/dialog_templates.h"

namespace {

using namespace res::style;

const res::dialog_control* find_control(const res::dialog_template& dialog, int id) {
    const auto found = std::ranges::find(dialog.controls, id, &res::dialog_control::id);
    return found == dialog.controls.end() ? nullptr : &*found;
}

TEST(DialogTemplates, EveryTemplateHasTheControlsItsCodeAddressesAndNoIdTwice) {
    const struct {
        std::uint16_t id;
        std::vector<int> controls;
    } cases[] = {
        {res::dialog::about, {1, 1019, 1020}},
        {res::dialog::frame, {1, 2, 3, 1002, 1005}},
        {res::dialog::start_page, {1003, 1016, 1020, 1022, 1023}},
        {res::dialog::folder_page, {1003, 1006, 1007, 1008, 1009}},
        {res::dialog::shortcut_page, {1003, 1006, 1007, 1010, 1011, 1012}},
        {res::dialog::progress_page, {1003, 1014, 1015}},
        {res::dialog::mode_page, {1003, 1018, 1019, 1021}},
        {res::dialog::end_page, {1003, 1016}},
    };
    ASSERT_EQ(res::dialog_templates().size(), std::size(cases));
    for (const auto& expected : cases) {
        const auto* dialog = res::find_dialog_template(expected.id);
        ASSERT_NE(dialog, nullptr) << expected.id;
        for (const int id : expected.controls) {
            EXPECT_NE(find_control(*dialog, id), nullptr) << expected.id << "/" << id;
        }
        std::set<int> seen;
        for (const auto& control : dialog->controls) {
            if (control.id != res::no_id) {
                EXPECT_TRUE(seen.insert(control.id).second) << expected.id << "/" << control.id;
            }
            EXPECT_EQ(control.style & (ws_child | ws_visible), ws_child | ws_visible)
                << expected.id << "/" << control.id;
        }
    }
    EXPECT_EQ(res::find_dialog_template(101), nullptr);
}

TEST(DialogTemplates, PagesAreHiddenChildDialogsAndTheOthersPopups) {
    constexpr std::uint32_t page_style =
        ws_child | ws_clipchildren | ds_control | ds_nofailcreate | ds_setfont | ds_fixedsys;
    constexpr std::uint32_t popup_style = ws_popup | ws_caption | ws_sysmenu | ds_modalframe;
    for (const auto& dialog : res::dialog_templates()) {
        const bool is_page = dialog.id != res::dialog::about && dialog.id != res::dialog::frame;
        if (is_page) {
            EXPECT_EQ(dialog.style, page_style) << dialog.id;
        } else {
            EXPECT_EQ(dialog.style & popup_style, popup_style) << dialog.id;
        }
        EXPECT_EQ(dialog.style & ds_setfont, ds_setfont) << dialog.id;
        EXPECT_EQ(dialog.font, L"MS Shell Dlg");
        EXPECT_EQ(dialog.point_size, 8);
    }
}

TEST(DialogTemplates, FrameControlsBoundThePageAreaAndTheButtonsLieBelowIt) {
    const auto& frame = *res::find_dialog_template(res::dialog::frame);
    const auto& white = *find_control(frame, 1005);
    const auto& separator = *find_control(frame, 1002);
    EXPECT_EQ(white.style & ss_typemask, ss_whiterect);
    EXPECT_EQ(separator.style & ss_typemask, ss_etchedhorz);
    // The page area starts right of the white rectangle and ends above the separator.
    const int page_left = white.x + white.width;
    const int page_bottom = separator.y;
    EXPECT_GT(page_left, 0);
    EXPECT_LT(page_left, frame.width / 2);
    EXPECT_EQ(white.y + white.height, page_bottom);
    EXPECT_EQ(separator.x + separator.width, frame.width);  // widened by the frame's growth
    for (const int id : {1, 2, 3}) {
        const auto& button = *find_control(frame, id);
        EXPECT_GT(button.y, separator.y + separator.height) << id;
        EXPECT_LE(button.x + button.width, frame.width) << id;
        EXPECT_LE(button.y + button.height, frame.height) << id;
    }
    // The side picture sits on the white rectangle, and Next is the default button.
    const auto picture = std::ranges::find(frame.controls, res::side_bitmap, &res::dialog_control::image);
    ASSERT_NE(picture, frame.controls.end());
    EXPECT_EQ(picture->style & ss_typemask, ss_bitmap);
    EXPECT_LE(picture->x + picture->width, page_left);
    EXPECT_LE(picture->y + picture->height, page_bottom);
    EXPECT_EQ(find_control(frame, 1)->style & bs_typemask, bs_defpushbutton);
}

}  // namespace
