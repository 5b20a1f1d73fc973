// The library's message box: icon completion, reading order, owner and top-level window, the
// modeless switch around the box, texts and captions, and the error box.
#include "vd/message_box.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "os/native/resources_double.h"
#include "os/native/system_text_double.h"
#include "os/native/user_interface_double.h"
#include "string_block_builder.h"
#include "vd/ui_hooks.h"
#include "vd/ui_hooks_defaults.h"

namespace {

using os::window_handle;
using os::native::memory_resources;
using testing::ElementsAre;
using testing::IsEmpty;
using vd::string_id;
using vd::ui_hooks;
namespace mb = os::mb;
namespace ws = os::ws;

constexpr std::uint32_t frame_style = ws::overlapped_window | ws::visible;
constexpr std::uint32_t dialog_style = ws::popup | ws::caption | ws::sys_menu | ws::visible;
constexpr wchar_t application[] = L"Installation – Lignotek 7.08r";

class MessageBox : public testing::Test {
protected:
    MessageBox() {
        // Block 71 holds ids 1120-1135.
        resources.add(memory_resources::program, 6, 1127 / 16 + 1,
                      vd::testing_support::string_block({{1126 % 16, u"Setup"}, {1127 % 16, u"Retry the copy?"}}));
    }

    // The default hooks over the double, with the framework's main window and a modeless switch
    // that logs what it is told.
    void install_defaults(window_handle main_window) {
        vd::install_default_ui_hooks(
            hooks, ui, {[main_window] { return main_window; }, [this](bool enable) { modeless.push_back(enable); }});
    }
    void own_by(window_handle owner) {
        hooks.set_owner([owner] { return vd::owner_choice{owner, window_handle::none}; });
    }
    int show(const vd::message_text& text, std::uint32_t type,
             const std::optional<vd::message_text>& caption = std::wstring(L"Caption")) {
        return vd::message_box(services, text, type, caption);
    }
    const os::native::shown_box& last_box() const { return ui.boxes().back(); }

    os::native::scripted_ui ui;
    os::native::system_text_table texts;
    memory_resources resources;
    // The test's own hook set, empty at the start.
    ui_hooks hooks;
    bool ownerless_right_to_left = false;
    vd::message_box_services services{ui, texts, resources, hooks, {}, [this] { return ownerless_right_to_left; }};
    std::vector<bool> modeless;
};

TEST_F(MessageBox, TypesWithoutAnIconGetTheIconOfTheirButtons) {
    struct row {
        std::uint32_t type;
        std::uint32_t shown;
    };
    for (const auto& [type, shown] : {
             row{mb::ok, mb::ok | mb::icon_exclamation}, row{mb::ok_cancel, mb::ok_cancel | mb::icon_exclamation},
             row{mb::yes_no_cancel, mb::yes_no_cancel | mb::icon_question},
             row{mb::yes_no, mb::yes_no | mb::icon_question}, row{mb::abort_retry_ignore, mb::abort_retry_ignore},
             row{mb::retry_cancel, mb::retry_cancel}, row{mb::cancel_try_continue, mb::cancel_try_continue},
             row{mb::ok | mb::icon_hand, mb::ok | mb::icon_hand},
             row{mb::yes_no | mb::icon_asterisk, mb::yes_no | mb::icon_asterisk},
             row{mb::ok_cancel | 0x100u, mb::ok_cancel | 0x100u | mb::icon_exclamation},  // default button kept
         }) {
        EXPECT_EQ(vd::complete_message_box_type(type), shown) << std::hex << type;
        (void)show(L"text", type);
        EXPECT_EQ(last_box().type, shown) << std::hex << type;
    }
}

TEST_F(MessageBox, ReadingOrderFollowsTheOwnerOrElseTheLanguage) {
    const auto plain = ui.add_window({frame_style});
    const auto mirrored = ui.add_window({frame_style, os::ws_ex::layout_rtl});
    struct row {
        window_handle owner;
        bool language_right_to_left;
        bool right_to_left;
    };
    for (const auto& [owner, language_rtl, rtl] : {
             row{mirrored, false, true},
             row{plain, true, false},  // an owner decides on its own
             row{window_handle::none, true, true},
             row{window_handle::none, false, false},
         }) {
        own_by(owner);
        ownerless_right_to_left = language_rtl;
        (void)show(L"text", mb::ok);
        EXPECT_EQ(last_box().owner, owner);
        EXPECT_EQ((last_box().type & mb::rtl_reading) != 0, rtl);
    }
    // Without a reading-order source an ownerless box reads left to right.
    services.ownerless_right_to_left = nullptr;
    own_by(window_handle::none);
    (void)show(L"text", mb::ok);
    EXPECT_EQ(last_box().type & mb::rtl_reading, 0u);
}

TEST_F(MessageBox, TheSafeOwnerIsTheLastActivePopupAndItsTopWindowIsDisabledMeanwhile) {
    const auto frame = ui.add_window({frame_style});
    const auto page = ui.add_window({ws::child | ws::visible, 0, frame});
    const auto dialog = ui.add_window({dialog_style, 0, frame});
    ui.set_active(dialog);
    ui.set_active(window_handle::none);
    // The dialog was disabled by a box of its own that closed without giving it back.
    ui.enable_window(dialog, false);
    install_defaults(page);

    bool modeless_off_during_box = false;
    ui.answer_next([&](const os::native::shown_box&) {
        modeless_off_during_box = modeless == std::vector<bool>{false};
        return os::id::retry;
    });
    EXPECT_EQ(show(string_id{1127}, mb::retry_cancel), os::id::retry);

    EXPECT_EQ(last_box().owner, dialog);
    EXPECT_THAT(last_box().disabled_windows, ElementsAre(frame));  // the owner itself is enabled
    EXPECT_TRUE(modeless_off_during_box);
    EXPECT_THAT(modeless, ElementsAre(false, true));
    EXPECT_TRUE(ui.is_window_enabled(frame));
    EXPECT_TRUE(ui.is_window_enabled(dialog));
}

TEST_F(MessageBox, ATopWindowThatWasDisabledAlreadyStaysDisabled) {
    const auto frame = ui.add_window({frame_style});
    const auto dialog = ui.add_window({dialog_style, 0, frame});
    ui.set_active(dialog);
    ui.enable_window(frame, false);  // the dialog is modal over the frame
    install_defaults(frame);

    (void)show(L"text", mb::ok);
    EXPECT_EQ(last_box().owner, dialog);
    EXPECT_THAT(last_box().disabled_windows, ElementsAre(frame));
    EXPECT_FALSE(ui.is_window_enabled(frame));
    EXPECT_TRUE(ui.is_window_enabled(dialog));
}

TEST_F(MessageBox, TheOwnerGetsItsStateBackWhenTheBoxCannotBeShown) {
    const auto frame = ui.add_window({frame_style});
    const auto gone = ui.add_window({dialog_style, 0, frame});
    ui.set_active(gone);
    vd::install_default_ui_hooks(hooks, ui,
                                 {[frame] { return frame; }, [this](bool enable) { modeless.push_back(enable); }});
    const auto safe = hooks.owner();
    // An owner rule that names a window which is gone by the time the box comes up.
    hooks.set_owner([&] {
        auto choice = safe();
        ui.destroy(gone);
        return choice;
    });

    EXPECT_EQ(show(L"text", mb::ok), 0);
    EXPECT_THAT(ui.boxes(), IsEmpty());
    EXPECT_TRUE(ui.is_window_enabled(frame));
    EXPECT_THAT(modeless, ElementsAre(false, true));
}

TEST_F(MessageBox, WithoutAnOwnerHookTheActiveOwnerWindowOwnsTheBox) {
    const auto frame = ui.add_window({frame_style});
    ui.set_active(frame);
    (void)show(L"text", mb::ok);
    EXPECT_EQ(last_box().owner, frame);
    EXPECT_THAT(last_box().disabled_windows, IsEmpty());
    EXPECT_TRUE(ui.is_window_enabled(frame));
}

TEST_F(MessageBox, TextsAndCaptionsComeFromTheCallerTheStringTablesOrTheTitle) {
    hooks.set_title_sources([] { return std::wstring(L"Install 2.04a"); },
                            [] { return std::wstring(L"LignotekSetup"); });
    struct row {
        vd::message_text text;
        std::optional<vd::message_text> caption;
        bool title_hook;
        const wchar_t* shown_text;
        const wchar_t* shown_caption;
    };
    for (const auto& [text, caption, title_hook, shown_text, shown_caption] : {
             row{std::wstring(L"Plain"), std::wstring(L"Own caption"), true, L"Plain", L"Own caption"},
             row{string_id{1127}, string_id{1126}, true, L"Retry the copy?", L"Setup"},
             row{string_id{1129}, string_id{1129}, true, L"", L""},  // missing strings are empty
             row{string_id{1127}, std::nullopt, true, L"Retry the copy?", application},
             row{string_id{1127}, std::nullopt, false, L"Retry the copy?", L"Install 2.04a"},
         }) {
        hooks.set_title(title_hook ? vd::ui_hooks::title_hook([] { return std::wstring(application); })
                                   : vd::ui_hooks::title_hook{});
        (void)show(text, mb::ok, caption);
        EXPECT_EQ(last_box().text, shown_text);
        EXPECT_EQ(last_box().caption, shown_caption);
    }
}

TEST_F(MessageBox, ShowErrorOfBusyShowsTheSystemTextUnderTheApplicationName) {
    install_defaults(window_handle::none);
    hooks.set_application_name(application);
    vd::show_error(services, 170);
    ASSERT_EQ(ui.boxes().size(), 1u);
    const auto& box = last_box();
    EXPECT_EQ(box.text, L"The requested resource is in use.");
    EXPECT_EQ(box.caption, application);
    EXPECT_EQ(box.type, mb::ok | mb::icon_exclamation);
    EXPECT_EQ(box.owner, window_handle::none);
    EXPECT_THAT(modeless, ElementsAre(false, true));
}

TEST_F(MessageBox, ShowErrorOfAnOwnCodeShowsItsString) {
    vd::show_error(services, static_cast<std::int32_t>(0xA8000000u | 1127));
    EXPECT_EQ(last_box().text, L"Retry the copy?");
}

TEST_F(MessageBox, AnUnansweredBoxGetsItsDefaultButton) {
    struct row {
        std::uint32_t type;
        int answer;
    };
    for (const auto& [type, answer] : {
             row{mb::ok, os::id::ok},
             row{mb::yes_no, os::id::yes},
             row{mb::yes_no | 0x100u, os::id::no},
             row{mb::abort_retry_ignore | 0x200u, os::id::ignore},
             row{mb::retry_cancel | 0x200u, os::id::retry},  // no third button: the first one
             row{mb::cancel_try_continue, os::id::cancel},
         }) {
        EXPECT_EQ(show(L"text", type), answer) << std::hex << type;
    }
}

}  // namespace
