// Win32-only: system texts and the library's message box on the real system (under Wine in our
// runs): the box is a real window that a helper thread reads and presses.
#include <gtest/gtest.h>

#include <windows.h>

#include "contract/win32/user_interface_box_watcher.h"
#include "os/native/resources_double.h"
#include "os/win32/system_text_win32.h"
#include "os/win32/user_interface_win32.h"
#include "vd/message_box.h"
#include "vd/system_message.h"
#include "vd/ui_hooks_defaults.h"

namespace {

std::wstring raw_text(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                         nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text(buffer, length);
    ::LocalFree(buffer);
    return text;
}

TEST(SystemMessageWin32, BusyIsTheSystemsTextWithoutItsLineBreak) {
    os::win32::system_text_adapter texts;
    const auto raw = raw_text(ERROR_BUSY);
    ASSERT_FALSE(raw.empty());
    const auto text = vd::system_message(texts, ERROR_BUSY, 0);
    EXPECT_EQ(text, vd::without_trailing_line_breaks(raw));
    ASSERT_FALSE(text.empty());
    EXPECT_NE(text.back(), L'\n');
    EXPECT_NE(text.back(), L'\r');
    // A language the system has no texts in falls back to the system's choice.
    EXPECT_EQ(vd::system_message(texts, ERROR_BUSY, 0x0477), text);
}

TEST(MessageBoxWin32, ShowErrorOfBusyShowsARealBoxUnderTheApplicationName) {
    os::win32::user_interface_adapter ui;
    os::win32::system_text_adapter texts;
    os::native::memory_resources resources;
    vd::ui_hooks hooks;
    vd::install_default_ui_hooks(hooks, ui);
    hooks.set_application_name(L"Installation – Lignotek 7.08r");
    const vd::message_box_services services{ui, texts, resources, hooks, {}, {}};

    contract::win32::box_watcher watcher;
    watcher.press_next(IDOK);
    vd::show_error(services, ERROR_BUSY);
    const auto box = watcher.result();

    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.caption, L"Installation – Lignotek 7.08r");
    EXPECT_EQ(box.text, vd::system_message(texts, ERROR_BUSY, 0));
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(box.icon, static_cast<std::uint32_t>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.owner, os::window_handle::none);
}

TEST(MessageBoxWin32, ARetryCancelBoxAnswersThePressedButton) {
    os::win32::user_interface_adapter ui;
    os::win32::system_text_adapter texts;
    os::native::memory_resources resources;
    const vd::ui_hooks hooks;
    const vd::message_box_services services{ui, texts, resources, hooks, {}, {}};

    contract::win32::box_watcher watcher;
    watcher.press_next(IDCANCEL);
    EXPECT_EQ(vd::message_box(services, std::wstring(L"Retry the copy?"), MB_RETRYCANCEL, std::wstring(L"Setup")),
              IDCANCEL);
    const auto box = watcher.result();
    ASSERT_TRUE(box.seen);
    EXPECT_EQ(box.text, L"Retry the copy?");
    EXPECT_EQ(box.caption, L"Setup");
    EXPECT_EQ(box.buttons, (std::vector<int>{IDRETRY, IDCANCEL}));
    EXPECT_EQ(box.icon, 0u);  // Retry/Cancel gets no icon of its own
}

}  // namespace
