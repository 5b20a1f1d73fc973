// The headless dialog system's own rules beyond the port's contract: its fixed geometry, message
// boxes, the Enter and Esc keys, nested modal runs and the life of child windows.
#include "contract/dialog_host_contract.h"
#include "wizard/framework/headless_dialog_system.h"

#include <gmock/gmock.h>

namespace contract {
namespace {

using testing::ElementsAre;
using wizard::rect;
namespace notify = wizard::notify;

// An About box of the test's own: one OK button, no Cancel button.
constexpr std::uint16_t about = 902;
constexpr res::dialog_control about_controls[] = {
    {1, L"Button", L"OK", res::style::ws_child | res::style::ws_visible | res::style::bs_defpushbutton, 70, 121, 50,
     14},
};
constexpr res::dialog_template about_template{
    about,
    res::style::ws_popup | res::style::ws_caption | res::style::ws_sysmenu | res::style::ds_modalframe,
    0,
    192,
    141,
    L"About",
    about_controls};

const res::dialog_template* find_test_template(std::uint16_t id) {
    return id == about ? &about_template : probe::find_template(id);
}

class HeadlessDialogSystem : public testing::Test {
protected:
    int run(const std::function<void(probe_dialog&)>& user) {
        probe_dialog dialog(system, probe::modal);
        system.on_modal(probe::modal, [&](wizard::CDialog&) { user(dialog); });
        return dialog.DoModal();
    }

    wizard::headless_dialog_system system{&find_test_template};
};

TEST(HeadlessDialogUnits, AreConvertedWithMulDivRoundingHalfAwayFromZero) {
    struct row {
        int value, multiplier, divisor, pixels;
    };
    for (const auto& [value, multiplier, divisor, pixels] : {row{7, 6, 4, 11}, row{-3, 6, 4, -5}, row{71, 13, 8, 115},
                                                             row{1, 13, 8, 2}, row{0, 6, 4, 0}, row{3, 6, 0, -1}}) {
        EXPECT_EQ(wizard::headless::mul_div(value, multiplier, divisor), pixels)
            << value << "*" << multiplier << "/" << divisor;
    }
}

TEST_F(HeadlessDialogSystem, ATopLevelDialogIsItsClientAreaInAFixedFrameAtTheScreenOrigin) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        // 240 x 160 dialog units are 360 x 260 pixels; 3-pixel borders and a 22-pixel caption.
        EXPECT_EQ(host.client_rect(), (rect{0, 0, 360, 260}));
        EXPECT_EQ(host.window_rect(), (rect{0, 0, 366, 288}));
        EXPECT_EQ(host.control_rect(probe::status), (rect{11, 115, 350, 128}));
        EXPECT_EQ(host.text_width(probe::status, L"abcd"), 24);
        const auto maximized = system.maximized_size(dialog);
        EXPECT_EQ(maximized.max_width, 1286);
        EXPECT_EQ(maximized.max_height, 1030);
        EXPECT_EQ(maximized.max_x, -3);
        EXPECT_EQ(maximized.max_y, -3);
    });
}

TEST_F(HeadlessDialogSystem, MessageBoxesAreAnsweredByTheScriptOrByTheirDefaultButton) {
    system.answer_next_box(os::id::yes);
    EXPECT_EQ(system.message_box(L"first", os::mb::yes_no), os::id::yes);
    EXPECT_EQ(system.message_box(L"second", 0x124), os::id::no);  // MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2
    EXPECT_EQ(system.message_box(L"third", os::mb::ok_cancel | os::mb::icon_exclamation), os::id::ok);
    ASSERT_EQ(system.boxes().size(), 3u);
    EXPECT_EQ(system.boxes()[1].text, L"second");
    EXPECT_EQ(system.boxes()[1].type, 0x124u);
    EXPECT_EQ(system.boxes()[1].answer, os::id::no);

    system.set_message_box([](const std::wstring&, std::uint32_t) { return os::id::retry; });
    EXPECT_EQ(system.message_box(L"the application's own box", os::mb::retry_cancel), os::id::retry);
    EXPECT_EQ(system.boxes().size(), 3u);
}

TEST_F(HeadlessDialogSystem, EnterPressesTheFocusedPushButtonElseTheDefaultButton) {
    // A focused push button.
    EXPECT_EQ(run([&](probe_dialog& dialog) {
                  dialog.Host().set_focus(probe::back);
                  system.press_enter(dialog);
                  EXPECT_THAT(dialog.commands, ElementsAre(std::pair{probe::back, notify::clicked}));
                  dialog.EndDialog(9);
              }),
              9);
    // The default button (OK: the dialog ends through OnOK).
    EXPECT_EQ(run([&](probe_dialog& dialog) {
                  dialog.Host().set_focus(probe::folder);
                  system.press_enter(dialog);
              }),
              wizard::id_ok);
    // A disabled default button: nothing.
    EXPECT_EQ(run([&](probe_dialog& dialog) {
                  dialog.Host().set_default_button(probe::cancel);
                  dialog.Host().enable(probe::cancel, false);
                  dialog.Host().set_focus(probe::folder);
                  system.press_enter(dialog);
                  EXPECT_TRUE(dialog.commands.empty());
              }),
              -1);
    // No default id at all: IDOK.
    EXPECT_EQ(run([&](probe_dialog& dialog) {
                  dialog.Host().set_default_button(0);
                  dialog.Host().set_focus(probe::folder);
                  system.press_enter(dialog);
              }),
              wizard::id_ok);
}

TEST_F(HeadlessDialogSystem, AModalDialogInsideAnotherEndsFirstGivesTheFocusBackAndEscClosesOneWithoutCancelButton) {
    system.on_modal(about, [&](wizard::CDialog& box) { system.press_escape(box); });
    EXPECT_EQ(run([&](probe_dialog& dialog) {
                  dialog.Host().set_focus(probe::folder);
                  probe_dialog box(system, about);
                  EXPECT_EQ(box.DoModal(), wizard::id_cancel);
                  EXPECT_EQ(system.focused_control(dialog), probe::folder) << "the focus came back";
                  dialog.EndDialog(wizard::id_ok);
              }),
              wizard::id_ok);
    ASSERT_EQ(system.modal_runs().size(), 2u);
    EXPECT_EQ(system.modal_runs()[0].template_id, about);
    EXPECT_EQ(system.modal_runs()[0].result, wizard::id_cancel);
    EXPECT_EQ(system.modal_runs()[1].template_id, probe::modal);
    EXPECT_EQ(system.modal_runs()[1].result, wizard::id_ok);
}

TEST_F(HeadlessDialogSystem, HidingMovesTheFocusOutAndChildWindowsGoWithTheirParent) {
    probe_dialog page(system, probe::page);
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        host.set_focus(probe::folder);
        host.show_control(probe::folder, false);
        EXPECT_EQ(system.focused_control(dialog), 0);

        ASSERT_TRUE(page.Create(dialog));
        EXPECT_FALSE(page.Create(dialog)) << "a dialog has one window";
        probe_dialog unknown(system, 999);
        EXPECT_FALSE(unknown.Create(dialog));
        page.Host().show(true);
        page.Host().set_focus(probe::page_browse);
        EXPECT_EQ(system.focused_control(page), probe::page_browse);
        page.Host().show(false);
        EXPECT_EQ(system.focused_control(page), 0);
        dialog.EndDialog(1);
    });
    EXPECT_FALSE(page.HasWindow()) << "destroyed with the modal dialog";
    probe_dialog orphan(system, probe::page);
    EXPECT_FALSE(orphan.Create(page)) << "the parent has no window";
}

}  // namespace
}  // namespace contract
