// Win32-only: the user-interface contract on user32 (real windows and real message boxes, pressed by
// a helper thread that finds the box and reads what it shows), and on the scripted double.
#include "contract/user_interface_contract.h"

#include <windows.h>

#include <vector>

#include "contract/user_interface_scripted_subject.h"
#include "contract/win32/user_interface_box_watcher.h"
#include "os/win32/user_interface_win32.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

using test_support::running_under_wine;
using win32::handle_of;
using win32::hwnd_of;

constexpr wchar_t window_class[] = L"LignotekContractWindow";

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
        for (auto window = windows_.rbegin(); window != windows_.rend(); ++window) ::DestroyWindow(*window);
    }

    os::user_interface& ui() override { return adapter_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

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

    void press_on_next_box(int button) override { watcher_.press_next(button); }
    observed_box last_box() override { return watcher_.result(); }

private:
    os::win32::user_interface_adapter adapter_;
    std::vector<HWND> windows_;
    win32::box_watcher watcher_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, UserInterfaceContract,
    testing::Values(
        subject_factory<user_interface_subject>{
            "User32", [] { return std::unique_ptr<user_interface_subject>(std::make_unique<user32_subject>()); }},
        scripted_factory()),
    subject_name{});

}  // namespace
}  // namespace contract
