// The dialog-host port's contract cases on the dialog window (child pages, the system menu, focus
// and default button, the icon, modal results, commands and system commands), run on the headless
// host and on the Win32 host.
#include "contract/dialog_host_contract.h"

#include <gmock/gmock.h>

#include <algorithm>

namespace contract {
namespace {

using testing::ElementsAre;
using wizard::rect;
namespace sc = wizard::sc;
namespace notify = wizard::notify;

constexpr unsigned about_command = 0x0010;

const menu_entry* find_item(const std::vector<menu_entry>& menu, unsigned command) {
    const auto found = std::find_if(menu.begin(), menu.end(), [command](const menu_entry& item) {
        return !item.separator && item.command == command;
    });
    return found == menu.end() ? nullptr : &*found;
}

TEST_P(DialogHostContract, AChildPageStartsHiddenAtTheParentsOriginAndMoves) {
    run([&](probe_dialog& dialog) {
        probe_dialog page(subject().system(), probe::page);
        ASSERT_TRUE(page.Create(dialog));
        ASSERT_TRUE(page.HasWindow());
        auto& host = page.Host();
        EXPECT_FALSE(host.is_visible());
        const rect size = subject().to_pixels(page, 0, 0, 150, 60);
        EXPECT_EQ(host.window_rect(), (rect{0, 0, size.right, size.bottom}));
        EXPECT_EQ(host.client_rect(), (rect{0, 0, size.right, size.bottom}));
        EXPECT_EQ(host.text(probe::page_status), L"Page status");
        EXPECT_EQ(host.control_rect(probe::page_browse), template_rect(page, probe::page, probe::page_browse));
        EXPECT_FALSE(host.has_control(probe::status)) << "the parent's controls are not the page's";

        host.set_position(host.window_rect().moved_to(30, 12), true, false);
        EXPECT_EQ(host.window_rect(), (rect{30, 12, 30 + size.right, 12 + size.bottom}));
        host.set_position({0, 0, 300, 100}, false, true);
        EXPECT_EQ(host.window_rect(), (rect{30, 12, 330, 112}));
        host.set_position({5, 6, 305, 126}, true, true);
        EXPECT_EQ(host.window_rect(), (rect{5, 6, 305, 126}));
        EXPECT_EQ(host.client_rect(), (rect{0, 0, 300, 120}));

        host.show(true);
        EXPECT_TRUE(host.is_visible());
        host.append_system_menu_item(about_command, L"About");
        EXPECT_TRUE(subject().system_menu(page).empty()) << "a child window has no system menu";

        // A page whose object goes while its window lives takes the window with it.
        probe_dialog second(subject().system(), probe::page);
        ASSERT_TRUE(second.Create(dialog));
        page.EndDialog(0);
        EXPECT_FALSE(page.HasWindow());
    });
}

TEST_P(DialogHostContract, SystemMenuItemsAreAppendedChangedDeletedAndGreyed) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        const auto before = subject().system_menu(dialog);
        ASSERT_NE(find_item(before, sc::move), nullptr);
        ASSERT_NE(find_item(before, sc::close), nullptr);

        host.append_system_menu_separator();
        host.append_system_menu_item(about_command, L"&About 'Installer'...");
        auto menu = subject().system_menu(dialog);
        ASSERT_EQ(menu.size(), before.size() + 2);
        EXPECT_TRUE(menu[menu.size() - 2].separator);
        EXPECT_EQ(menu.back().command, about_command);
        EXPECT_EQ(menu.back().text, L"&About 'Installer'...");

        host.modify_system_menu_item(about_command, L"...About 'Installer'");
        menu = subject().system_menu(dialog);
        ASSERT_EQ(menu.size(), before.size() + 2);
        EXPECT_EQ(menu.back().text, L"...About 'Installer'");

        for (const unsigned command : {sc::maximize, sc::size}) {
            host.delete_system_menu_item(command);
            host.delete_system_menu_item(command);
            EXPECT_EQ(find_item(subject().system_menu(dialog), command), nullptr);
        }
        host.enable_system_menu_item(sc::move, false);
        ASSERT_NE(find_item(subject().system_menu(dialog), sc::move), nullptr);
        EXPECT_FALSE(find_item(subject().system_menu(dialog), sc::move)->enabled);
        host.enable_system_menu_item(sc::move, true);
        EXPECT_TRUE(find_item(subject().system_menu(dialog), sc::move)->enabled);
        EXPECT_NE(find_item(subject().system_menu(dialog), sc::close), nullptr);

        subject().open_system_menu(dialog);
        EXPECT_THAT(dialog.menu_popups, ElementsAre(true));
    });
}

TEST_P(DialogHostContract, FocusAndTheDefaultButton) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        EXPECT_EQ(subject().focused_control(dialog), probe::ok) << "the first tab stop";
        EXPECT_EQ(host.default_button(), probe::ok) << "the template's default push button";
        host.set_default_button(probe::cancel);
        EXPECT_EQ(host.default_button(), probe::cancel);

        host.set_focus(probe::folder);
        EXPECT_EQ(subject().focused_control(dialog), probe::folder);
        host.enable(probe::back, false);
        host.set_focus(probe::back);
        host.set_focus(probe::missing);
        EXPECT_EQ(subject().focused_control(dialog), probe::folder) << "a disabled control takes no focus";
        host.enable(probe::folder, false);
        EXPECT_EQ(subject().focused_control(dialog), 0) << "disabling the focused control takes the focus away";
        host.set_focus(probe::cancel);
        EXPECT_EQ(subject().focused_control(dialog), probe::cancel);
    });
}

TEST_P(DialogHostContract, TheBigIcon) {
    const auto icon = subject().load_icon(res::application_icon);
    ASSERT_NE(icon, os::icon_handle::none);
    run([&](probe_dialog& dialog) {
        dialog.Host().set_big_icon(icon);
        EXPECT_EQ(subject().big_icon(dialog), icon);
    });
}

struct modal_case {
    const char* name;
    std::function<void(dialog_host_subject&, probe_dialog&)> user;
    int result;
};

TEST_P(DialogHostContract, AModalDialogAnswersItsEndDialogResult) {
    const modal_case cases[] = {
        {"EndDialog", [](dialog_host_subject&, probe_dialog& dialog) { dialog.EndDialog(42); }, 42},
        {"not ended", [](dialog_host_subject&, probe_dialog&) {}, -1},
        {"OK", [](dialog_host_subject& user, probe_dialog& dialog) { user.click(dialog, probe::ok); }, wizard::id_ok},
        {"Esc", [](dialog_host_subject& user, probe_dialog& dialog) { user.press_escape(dialog); }, wizard::id_cancel},
        {"close box", [](dialog_host_subject& user, probe_dialog& dialog) { user.system_command(dialog, sc::close); },
         wizard::id_cancel},
        {"Esc and close box while Cancel is disabled",
         [](dialog_host_subject& user, probe_dialog& dialog) {
             dialog.Host().enable(probe::cancel, false);
             user.press_escape(dialog);
             user.system_command(dialog, sc::close);
             EXPECT_EQ(dialog.count(probe::cancel, notify::clicked), 0);
             dialog.EndDialog(7);
         },
         7},
    };
    for (const auto& [name, user, result] : cases) {
        probe_dialog dialog(subject().system(), probe::modal);
        EXPECT_EQ(subject().run_modal(dialog, [&](wizard::CDialog&) { user(subject(), dialog); }), result) << name;
        EXPECT_FALSE(dialog.HasWindow()) << name;
    }

    probe_dialog unknown(subject().system(), 999);
    bool ran = false;
    EXPECT_EQ(subject().run_modal(unknown, [&](wizard::CDialog&) { ran = true; }), -1);
    EXPECT_FALSE(ran);
}

TEST_P(DialogHostContract, AHandlersExceptionEndsTheDialogAndLeavesDoModal) {
    probe_dialog failing(subject().system(), probe::modal);
    failing.failing_command = probe::back;
    EXPECT_THROW(subject().run_modal(failing, [&](wizard::CDialog&) { subject().click(failing, probe::back); }),
                 std::runtime_error);
    EXPECT_FALSE(failing.HasWindow());

    probe_dialog initFailing(subject().system(), probe::modal);
    initFailing.on_init = [](probe_dialog&) { throw std::runtime_error("OnInitDialog failed"); };
    bool ran = false;
    EXPECT_THROW(subject().run_modal(initFailing, [&](wizard::CDialog&) { ran = true; }), std::runtime_error);
    EXPECT_FALSE(ran);
    EXPECT_FALSE(initFailing.HasWindow());

    // The system is usable afterwards.
    EXPECT_EQ(run([](probe_dialog& dialog) { dialog.EndDialog(3); }), 3);
}

TEST_P(DialogHostContract, CommandsReachTheMessageMapAndDisabledButtonsSendNone) {
    const int result = run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        subject().click(dialog, probe::back);
        subject().click(dialog, probe::first_check);
        EXPECT_TRUE(host.is_checked(probe::first_check));
        subject().click(dialog, probe::first_check);
        EXPECT_FALSE(host.is_checked(probe::first_check));
        host.enable(probe::back, false);
        subject().click(dialog, probe::back);
        subject().click(dialog, probe::status);
        EXPECT_THAT(dialog.commands,
                    ElementsAre(std::pair{probe::back, notify::clicked}, std::pair{probe::first_check, notify::clicked},
                                std::pair{probe::first_check, notify::clicked}));
        dialog.EndDialog(5);
    });
    EXPECT_EQ(result, 5);
}

TEST_P(DialogHostContract, SystemCommandsGoToTheHandlerFirstThenToTheWindow) {
    run([&](probe_dialog& dialog) {
        auto& host = dialog.Host();
        dialog.handled_system_command = about_command;
        subject().system_command(dialog, about_command);
        EXPECT_THAT(dialog.system_commands, ElementsAre(about_command));
        EXPECT_TRUE(host.is_visible());

        subject().system_command(dialog, sc::minimize);
        EXPECT_TRUE(host.is_minimized());
        subject().system_command(dialog, sc::restore);
        EXPECT_FALSE(host.is_minimized());

        // Maximizing changes nothing when the handler keeps the normal size and position.
        dialog.keep_maximized_at_normal_size = true;
        dialog.normal_rect = host.window_rect();
        subject().system_command(dialog, sc::maximize);
        EXPECT_EQ(host.window_rect(), dialog.normal_rect);
        subject().system_command(dialog, sc::restore);
        EXPECT_EQ(host.window_rect(), dialog.normal_rect);
        EXPECT_THAT(dialog.system_commands,
                    ElementsAre(about_command, sc::minimize, sc::restore, sc::maximize, sc::restore));
    });
}

}  // namespace
}  // namespace contract
