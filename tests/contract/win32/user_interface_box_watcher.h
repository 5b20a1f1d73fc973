// Win32-only: finds the next message box of a thread from a helper thread, reads what it shows
// (caption, text, buttons, icon, owner, reading order) and presses one of its buttons.
#pragma once

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "contract/user_interface_contract.h"
#include "support/win32/running_under_wine.h"

namespace contract::win32 {

inline constexpr wchar_t dialog_class[] = L"#32770";

inline HWND hwnd_of(os::window_handle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
inline os::window_handle handle_of(HWND window) {
    return static_cast<os::window_handle>(reinterpret_cast<std::uintptr_t>(window));
}

inline std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

inline std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct box_search {
    DWORD thread;
    HWND found;
};

// EnumWindows callback (a named function: on i686 a lambda is not CALLBACK).
inline BOOL CALLBACK match_box(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<box_search*>(context);
    if (::GetWindowThreadProcessId(window, nullptr) == search.thread && ::IsWindowVisible(window) &&
        class_of(window) == dialog_class && ::FindWindowExW(window, nullptr, L"Button", nullptr) != nullptr) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The visible message box of a thread, or null.
inline HWND find_box(DWORD thread) {
    box_search search{thread, nullptr};
    ::EnumWindows(&match_box, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::uint32_t icon_kind(HICON icon) {
    struct kind {
        const wchar_t* name;
        std::uint32_t flag;
    };
    for (const auto& [name, flag] :
         {kind{IDI_EXCLAMATION, os::mb::icon_exclamation}, kind{IDI_QUESTION, os::mb::icon_question},
          kind{IDI_HAND, os::mb::icon_hand}, kind{IDI_ASTERISK, os::mb::icon_asterisk}}) {
        if (icon != nullptr && icon == ::LoadIconW(nullptr, name)) return flag;
    }
    return 0;
}

// What a box shows, read from its controls; the button `press` is then pressed.
inline observed_box read_and_press(HWND box, int press) {
    observed_box seen;
    seen.seen = true;
    seen.owner = handle_of(::GetWindow(box, GW_OWNER));
    seen.caption = text_of(box);
    seen.right_to_left = (::GetWindowLongW(box, GWL_EXSTYLE) & (WS_EX_RTLREADING | WS_EX_LAYOUTRTL)) != 0;
    std::vector<std::pair<LONG, int>> buttons;
    HWND pressed = nullptr;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto name = class_of(child);
        const auto style = static_cast<DWORD>(::GetWindowLongW(child, GWL_STYLE));
        if (name == L"Button" && (style & WS_VISIBLE)) {
            RECT where{};
            ::GetWindowRect(child, &where);
            buttons.emplace_back(where.left, ::GetDlgCtrlID(child));
            if (::GetDlgCtrlID(child) == press) pressed = child;
        } else if (name == L"Static" && (style & SS_TYPEMASK) == SS_ICON) {
            seen.icon = icon_kind(reinterpret_cast<HICON>(::SendMessageW(child, STM_GETICON, 0, 0)));
        } else if (name == L"Static" && seen.text.empty()) {
            seen.text = text_of(child);
            if (::GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_RTLREADING) seen.right_to_left = true;
        }
    }
    std::sort(buttons.begin(), buttons.end());
    for (const auto& button : buttons) seen.buttons.push_back(button.second);
    ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(press, BN_CLICKED), reinterpret_cast<LPARAM>(pressed));
    return seen;
}

// Presses a button of the next message box that the calling thread shows.  Make one before the
// box call, and ask result() after it returns.
class box_watcher {
public:
    box_watcher(const box_watcher&) = delete;
    box_watcher& operator=(const box_watcher&) = delete;
    box_watcher() = default;
    ~box_watcher() { finish(); }

    void press_next(int button) {
        finish();
        seen_ = {};
        stop_ = false;
        const DWORD thread = ::GetCurrentThreadId();
        helper_ = std::thread([this, thread, button] {
            // A guard against a box that never comes; the poll itself is no measurement.
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!stop_ && std::chrono::steady_clock::now() < give_up) {
                if (HWND box = find_box(thread)) {
                    seen_ = read_and_press(box, button);
                    // Wine's box keeps its reading order to itself.
                    if (test_support::running_under_wine()) seen_.right_to_left_observable = false;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }

    // What the box showed; call it once the box call has returned.
    observed_box result() {
        // The box call has returned: a box that was not found by now will not come.
        stop_ = true;
        finish();
        return seen_;
    }

private:
    void finish() {
        if (helper_.joinable()) helper_.join();
    }
    std::thread helper_;
    std::atomic<bool> stop_{false};
    observed_box seen_;
};

}  // namespace contract::win32
