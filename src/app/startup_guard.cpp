// The outermost frame of the program (see startup_guard.h).
#include "app/startup_guard.h"

#include "app/library_startup.h"
#include "os/win_error.h"
#include "vd/hresult_error.h"
#include "vd/system_message.h"

#include <exception>
#include <new>
#include <optional>

namespace app {

namespace {

std::int32_t FailureCode(const std::exception_ptr& failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const vd::hresult_error& error) {
        return error.code();
    } catch (const std::bad_alloc&) {
        return os::hr::e_outofmemory;
    } catch (...) {
        return os::hr::e_unexpected;
    }
}

void ShowFault(os::user_interface& ui, os::system_text& texts, std::int32_t code) noexcept {
    constexpr std::uint32_t type = os::mb::icon_hand | os::mb::set_foreground | os::mb::task_modal;
    try {
        (void)ui.message_box(os::window_handle::none, vd::system_message(texts, code, 0), std::nullopt, type);
        return;
    } catch (...) {
        // Not even the text could be made: the fixed words need no memory of their own.
    }
    try {
        (void)ui.message_box(os::window_handle::none, L"Initialization Error", std::nullopt, type);
    } catch (...) {}
}

}  // namespace

int RunGuarded(os::user_interface& ui, os::system_text& texts, const std::function<int()>& program) noexcept {
    try {
        return program();
    } catch (...) {
        ShowFault(ui, texts, FailureCode(std::current_exception()));
    }
    return ExitInitializationError;
}

}  // namespace app
