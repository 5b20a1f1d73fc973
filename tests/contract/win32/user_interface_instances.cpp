// Win32-only: the user-interface contract on user32 (real windows and real message boxes, pressed by
// a helper thread that finds the box and reads what it shows), and on the scripted double.
#include "contract/user_interface_contract.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>

#include "contract/user_interface_scripted_subject.h"
#include "os/win32/user_interface_win32.h"

namespace contract {
namespace {

constexpr wchar_t window_class[] = L"LignotekContractWindow";
constexpr wchar_t dialog_class[] = L"#32770";

HWND hwnd_of(os::window_handle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }
os::window_handle handle_of(HWND window) {
    return static_cast<os::window_handle>(reinterpret_cast<std::uintptr_t>(window));
}

bool running_under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::wstring class_of(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The visible message box of a thread, or null.
HWND find_box(DWORD thread) {
    struct search {
        DWORD thread;
        HWND found;
    } state{thread, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<search*>(context);
            if (::GetWindowThreadProcessId(window, nullptr) == s.thread && ::IsWindowVisible(window) &&
                class_of(window) == dialog_class && ::FindWindowExW(window, nullptr, L"Button", nullptr) != nullptr) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&state));
    return state.found;
}

std::uint32_t icon_kind(HICON icon) {
    struct kind {
        const wchar_t* name;
        std::uint32_t flag;
    };
    for (const auto& [name, flag] : {kind{IDI_EXCLAMATION, os::mb::icon_exclamation},
                                     kind{IDI_QUESTION, os::mb::icon_question}, kind{IDI_HAND, os::mb::icon_hand},
                                     kind{IDI_ASTERISK, os::mb::icon_asterisk}}) {
        if (icon != nullptr && icon == ::LoadIconW(nullptr, name)) return flag;
    }
    return 0;
}

// What a box shows, read from its controls; the button `press` is then pressed.
observed_box read_and_press(HWND box, int press) {
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

class user32_subject final : public user_interface_subject {
public:
    user32_subject() {
        static const ATOM registered = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = ::DefWindowProcW;
            description.hInstance = ::GetModuleHandleW(nullptr);
            description.lpszClassName = window_class;
            return ::RegisterClassW(&description);
        }();
        (void)registered;
    }
    ~user32_subject() override {
        finish_helper();
        for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) ::DestroyWindow(*window);
    }

    os::user_interface& ui() override { return adapter_; }
    bool under_wine() const override { return running_under_wine(); }

    os::window_handle create_window(std::uint32_t style, std::uint32_t extended_style,
                                    os::window_handle parent) override {
        HWND window = ::CreateWindowExW(extended_style, window_class, L"contract", style, 10, 10, 200, 120,
                                        hwnd_of(parent), nullptr, ::GetModuleHandleW(nullptr), nullptr);
        if (window != nullptr) windows_.push_back(window);
        return handle_of(window);
    }
    void activate(os::window_handle window) override {
        ::SetForegroundWindow(hwnd_of(window));
        ::SetActiveWindow(hwnd_of(window));
    }
    void destroy_window(os::window_handle window) override {
        std::erase(windows_, hwnd_of(window));
        ::DestroyWindow(hwnd_of(window));
    }

    void press_on_next_box(int button) override {
        finish_helper();
        last_ = {};
        stop_ = false;
        const DWORD thread = ::GetCurrentThreadId();
        helper_ = std::thread([this, thread, button] {
            // A guard against a box that never comes; the poll itself is no measurement.
            const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(10);
            while (!stop_ && std::chrono::steady_clock::now() < give_up) {
                if (HWND box = find_box(thread)) {
                    last_ = read_and_press(box, button);
                    // Wine's box keeps its reading order to itself.
                    if (running_under_wine()) last_.right_to_left_observable = false;
                    return;
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
    }
    observed_box last_box() override {
        // The box call has returned: a box that was not found by now will not come.
        stop_ = true;
        finish_helper();
        return last_;
    }

private:
    void finish_helper() {
        if (helper_.joinable()) helper_.join();
    }

    os::win32::user_interface_adapter adapter_;
    std::vector<HWND> windows_;
    std::thread helper_;
    std::atomic<bool> stop_{false};
    observed_box last_;
};

INSTANTIATE_TEST_SUITE_P(Win32, UserInterfaceContract,
                         testing::Values(user_interface_factory{"User32",
                                                                [] {
                                                                    return std::unique_ptr<user_interface_subject>(
                                                                        std::make_unique<user32_subject>());
                                                                }},
                                         scripted_factory()),
                         user_interface_factory_name);

}  // namespace
}  // namespace contract
