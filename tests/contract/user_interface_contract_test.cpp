// The user-interface port's contract cases, run on the scripted double and on user32.
#include "contract/user_interface_contract.h"

#include <gmock/gmock.h>

#include <optional>
#include <string>
#include <thread>
#include <utility>

namespace contract {
namespace {

using os::window_handle;
using testing::ElementsAre;
using testing::ElementsAreArray;
namespace mb = os::mb;
namespace ws = os::ws;

constexpr std::uint32_t frame_style = ws::overlapped_window | ws::visible;
constexpr std::uint32_t popup_style = ws::popup | ws::caption | ws::sys_menu | ws::visible;

TEST_P(UserInterfaceContract, AThreadWithoutWindowsHasNoActiveOrThreadWindow) {
    // A thread of its own: the test thread may own windows that other cases left for the system.
    window_handle active = window_handle{1};
    std::vector<window_handle> windows{window_handle{1}};
    std::thread([&] {
        active = ui().active_window();
        windows = ui().thread_windows();
    }).join();
    EXPECT_EQ(active, window_handle::none);
    EXPECT_TRUE(windows.empty());
}

TEST_P(UserInterfaceContract, ParentsOwnersAndStylesOfAWindowTree) {
    const auto frame = subject().create_window(frame_style, 0, window_handle::none);
    const auto child = subject().create_window(ws::child | ws::visible, 0, frame);
    const auto popup = subject().create_window(popup_style, 0, frame);
    const auto owned_overlapped = subject().create_window(frame_style, 0, frame);
    const auto mirrored = subject().create_window(frame_style, os::ws_ex::layout_rtl, window_handle::none);
    ASSERT_NE(frame, window_handle::none);

    struct row {
        window_handle window;
        window_handle parent;
        window_handle root_owner;
    };
    for (const auto& [window, parent, root] : {
             row{frame, window_handle::none, frame},
             row{child, frame, frame},
             row{popup, frame, frame},
             // GetParent names a popup's owner only; the chain of GA_ROOTOWNER follows GetParent.
             row{owned_overlapped, window_handle::none, owned_overlapped},
             row{window_handle::none, window_handle::none, window_handle::none},
         }) {
        EXPECT_EQ(ui().parent(window), parent);
        EXPECT_EQ(ui().root_owner(window), root);
    }
    EXPECT_EQ(ui().style(frame) & ws::caption, ws::caption);
    EXPECT_EQ(ui().style(child) & (ws::child | ws::caption), ws::child);
    EXPECT_EQ(ui().style(window_handle::none), 0u);
    EXPECT_EQ(ui().extended_style(mirrored) & os::ws_ex::layout_rtl, os::ws_ex::layout_rtl);
    EXPECT_EQ(ui().extended_style(frame) & os::ws_ex::layout_rtl, 0u);

    const auto windows = ui().thread_windows();
    for (const auto top_level : {frame, popup, owned_overlapped, mirrored}) {
        EXPECT_THAT(windows, testing::Contains(top_level));
    }
    EXPECT_THAT(windows, testing::Not(testing::Contains(child)));
}

TEST_P(UserInterfaceContract, TheActivePopupIsItsOwnersLastActivePopup) {
    const auto frame = subject().create_window(frame_style, 0, window_handle::none);
    const auto popup = subject().create_window(popup_style, 0, frame);
    const auto lone = subject().create_window(frame_style, 0, window_handle::none);
    subject().activate(popup);
    EXPECT_EQ(ui().active_window(), popup);
    EXPECT_EQ(ui().last_active_popup(frame), popup);
    EXPECT_EQ(ui().last_active_popup(lone), lone);
}

TEST_P(UserInterfaceContract, EnableWindowAnswersThePreviousState) {
    const auto frame = subject().create_window(frame_style, 0, window_handle::none);
    EXPECT_TRUE(ui().is_window_enabled(frame));
    EXPECT_FALSE(ui().enable_window(frame, false));  // was enabled
    EXPECT_FALSE(ui().is_window_enabled(frame));
    EXPECT_EQ(ui().style(frame) & ws::disabled, ws::disabled);
    EXPECT_TRUE(ui().enable_window(frame, false));  // was already disabled
    EXPECT_TRUE(ui().enable_window(frame, true));
    EXPECT_TRUE(ui().is_window_enabled(frame));
    EXPECT_FALSE(ui().is_window_enabled(window_handle::none));
}

struct box_case {
    std::uint32_t type;
    int press;
    std::vector<int> buttons;
    std::uint32_t icon;
};

TEST_P(UserInterfaceContract, AMessageBoxShowsItsTextsButtonsAndIconAndAnswersThePressedButton) {
    for (const auto& [type, press, buttons, icon] : {
             box_case{mb::retry_cancel | mb::icon_exclamation,
                      os::id::retry,
                      {os::id::retry, os::id::cancel},
                      mb::icon_exclamation},
             box_case{mb::yes_no | mb::icon_question, os::id::no, {os::id::yes, os::id::no}, mb::icon_question},
             box_case{mb::ok_cancel | mb::icon_hand, os::id::cancel, {os::id::ok, os::id::cancel}, mb::icon_hand},
             box_case{mb::ok, os::id::ok, {os::id::ok}, 0},
         }) {
        subject().press_on_next_box(press);
        EXPECT_EQ(
            ui().message_box(window_handle::none, L"The requested resource is in use.", L"Lignotek – Setup", type),
            press);
        const auto box = subject().last_box();
        ASSERT_TRUE(box.seen) << "type " << type;
        EXPECT_EQ(box.caption, L"Lignotek – Setup");
        EXPECT_EQ(box.text, L"The requested resource is in use.");
        EXPECT_THAT(box.buttons, ElementsAreArray(buttons)) << "type " << type;
        EXPECT_EQ(box.icon, icon) << "type " << type;
        EXPECT_FALSE(box.right_to_left);
        EXPECT_EQ(box.owner, window_handle::none);
    }
}

TEST_P(UserInterfaceContract, AnOwnedBoxBelongsToItsOwnerAndMayReadRightToLeft) {
    const auto frame = subject().create_window(frame_style, 0, window_handle::none);
    subject().press_on_next_box(os::id::ok);
    EXPECT_EQ(ui().message_box(frame, L"text", L"caption", mb::ok | mb::icon_asterisk | mb::rtl_reading), os::id::ok);
    const auto box = subject().last_box();
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.owner, frame);
    EXPECT_THAT(box.buttons, ElementsAre(os::id::ok));
    EXPECT_EQ(box.icon, mb::icon_asterisk);
    if (box.right_to_left_observable) {
        EXPECT_TRUE(box.right_to_left);
    }
}

TEST_P(UserInterfaceContract, ABoxWithoutCaptionHasTheSystemsWhileAnEmptyOneStaysEmpty) {
    for (const auto& [caption, shown] : {std::pair{std::optional<std::wstring_view>{}, std::wstring(L"Error")},
                                         std::pair{std::optional<std::wstring_view>{L""}, std::wstring()}}) {
        subject().press_on_next_box(os::id::ok);
        EXPECT_EQ(ui().message_box(window_handle::none, L"Initialization Error", caption, mb::ok | mb::icon_hand),
                  os::id::ok);
        const auto box = subject().last_box();
        ASSERT_TRUE(box.seen);
        EXPECT_EQ(box.caption, shown);
    }
}

TEST_P(UserInterfaceContract, ABoxWithAnOwnerThatIsNoWindowIsNotShown) {
    const auto stale = subject().create_window(frame_style, 0, window_handle::none);
    ASSERT_NE(stale, window_handle::none);
    subject().destroy_window(stale);
    subject().press_on_next_box(os::id::ok);  // in case one is shown after all
    EXPECT_EQ(ui().message_box(stale, L"text", L"caption", mb::ok), 0);
    EXPECT_FALSE(subject().last_box().seen);
}

}  // namespace
}  // namespace contract
