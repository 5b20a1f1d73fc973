// Win32-only: the dialog procedure that connects the dialog manager to CDialog, and the modal and
// child creation around it.
#include "wizard/framework/win32/win32_dialog_system.h"

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <utility>

#include "wizard/framework/dialog.h"
#include "wizard/framework/win32/win32_dialog_host.h"

namespace wizard {

namespace {

// What WM_INITDIALOG receives: the dialog and how it is made.
struct creation {
    CDialog* dialog;
    win32_dialog_system* system;
    bool modal;
};

HWND hwnd_of(os::window_handle window) { return reinterpret_cast<HWND>(static_cast<std::uintptr_t>(window)); }

CDialog* dialog_of(HWND window) { return reinterpret_cast<CDialog*>(::GetWindowLongPtrW(window, DWLP_USER)); }

INT_PTR init_dialog(HWND window, const creation& context) {
    auto host = std::make_unique<win32_dialog_host>(window, *context.system, context.modal);
    ::SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(context.dialog));
    context.dialog->AttachHost(std::move(host));
    if (context.modal) context.system->modal_started(window);
    // TRUE: the dialog manager focuses the first tab stop.
    return context.dialog->OnInitDialog() ? TRUE : FALSE;
}

INT_PTR command(HWND window, CDialog& dialog, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int notification = HIWORD(wParam);
    // Windows does not send IDCANCEL for Esc while the Cancel button is disabled; Wine's dialog
    // manager does, so the rule is kept here.
    if (id == IDCANCEL && notification == BN_CLICKED) {
        const HWND cancel = ::GetDlgItem(window, IDCANCEL);
        if (cancel != nullptr && !::IsWindowEnabled(cancel)) return TRUE;
    }
    dialog.DispatchCommand(id, notification);
    return TRUE;
}

INT_PTR min_max(CDialog& dialog, LPARAM lParam) {
    auto& system = *reinterpret_cast<MINMAXINFO*>(lParam);
    min_max_info info{system.ptMaxSize.x, system.ptMaxSize.y, system.ptMaxPosition.x, system.ptMaxPosition.y};
    dialog.OnGetMinMaxInfo(info);
    system.ptMaxSize = {info.max_width, info.max_height};
    system.ptMaxPosition = {info.max_x, info.max_y};
    return TRUE;
}

INT_PTR handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return init_dialog(window, *reinterpret_cast<const creation*>(lParam));
    CDialog* dialog = dialog_of(window);
    if (dialog == nullptr) return FALSE;  // before WM_INITDIALOG or after WM_NCDESTROY
    switch (message) {
        case WM_COMMAND:
            return command(window, *dialog, wParam);
        case WM_SYSCOMMAND:
            if (!dialog->OnSysCommand(static_cast<unsigned>(wParam))) return FALSE;  // the default handling
            ::SetWindowLongPtrW(window, DWLP_MSGRESULT, 0);
            return TRUE;
        case WM_GETMINMAXINFO:
            return min_max(*dialog, lParam);
        case WM_INITMENUPOPUP:
            dialog->OnInitMenuPopup(HIWORD(lParam) != 0);
            return TRUE;
        case WM_NCDESTROY: {
            auto& system = static_cast<win32_dialog_host&>(dialog->Host()).system();
            ::SetWindowLongPtrW(window, DWLP_USER, 0);
            system.modal_ended(window);
            dialog->DetachHost();
            return FALSE;
        }
        default:
            return FALSE;
    }
}

win32_dialog_system* system_of(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_INITDIALOG) return reinterpret_cast<const creation*>(lParam)->system;
    CDialog* dialog = dialog_of(window);
    if (dialog == nullptr || !dialog->HasWindow()) return nullptr;
    return &static_cast<win32_dialog_host&>(dialog->Host()).system();
}

// The dialog procedure of every dialog the system makes.  No exception may cross the dialog
// manager: a handler's exception is kept for the caller of run_modal or create_child.
INT_PTR CALLBACK dialog_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handle(window, message, wParam, lParam);
    } catch (...) {
        if (auto* system = system_of(window, message, lParam)) system->handler_failed(std::current_exception());
        return FALSE;
    }
}

}  // namespace

win32_dialog_system::win32_dialog_system(HINSTANCE module) : module_(module) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_USEREX_CLASSES | ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
}

int win32_dialog_system::run_modal(CDialog& dialog, os::window_handle owner) {
    if (dialog.HasWindow()) return -1;
    creation context{&dialog, this, true};
    const INT_PTR result = ::DialogBoxParamW(module_, MAKEINTRESOURCEW(dialog.TemplateId()), hwnd_of(owner),
                                             &dialog_procedure, reinterpret_cast<LPARAM>(&context));
    rethrow_pending();
    return static_cast<int>(result);
}

bool win32_dialog_system::create_child(CDialog& dialog, CDialog& parent) {
    if (dialog.HasWindow() || !parent.HasWindow()) return false;
    creation context{&dialog, this, false};
    const HWND window =
        ::CreateDialogParamW(module_, MAKEINTRESOURCEW(dialog.TemplateId()), hwnd_of(parent.Host().window()),
                             &dialog_procedure, reinterpret_cast<LPARAM>(&context));
    if (pending_ && window != nullptr) ::DestroyWindow(window);
    rethrow_pending();
    return window != nullptr && dialog.HasWindow();
}

void win32_dialog_system::modal_ended(HWND window) { std::erase(modal_, window); }

void win32_dialog_system::handler_failed(std::exception_ptr error) noexcept {
    if (!pending_) pending_ = std::move(error);
    if (!modal_.empty()) ::EndDialog(modal_.back(), -1);
}

void win32_dialog_system::rethrow_pending() {
    if (pending_) std::rethrow_exception(std::exchange(pending_, nullptr));
}

}  // namespace wizard
