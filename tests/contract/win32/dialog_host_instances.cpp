// Win32-only: the dialog-host contract on the Win32 host (real dialogs made from this program's
// resources, driven through the dialog manager as a user drives them) and on the headless host.
#include "contract/dialog_host_contract.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>
#include <vector>

#include "contract/dialog_host_headless_subject.h"
#include "contract/win32/user_interface_box_watcher.h"
#include "os/win32/unique_handle.h"
#include "wizard/framework/win32/win32_dialog_host.h"
#include "wizard/framework/win32/win32_dialog_system.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

using win32::hwnd_of;

constexpr wchar_t starter_class[] = L"LignotekContractScriptStarter";
constexpr UINT start_script = WM_APP + 1;
// Enough rounds for the messages one user action leaves behind.
constexpr int pump_limit = 10000;

HWND hwnd_of_dialog(wizard::CDialog& dialog) { return hwnd_of(dialog.Host().window()); }

// The inner combo box of an extended combo box.
HWND inner_combo(HWND list) { return reinterpret_cast<HWND>(::SendMessageW(list, CBEM_GETCOMBOCONTROL, 0, 0)); }

LRESULT CALLBACK starter_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class win32_subject final : public dialog_host_subject {
public:
    win32_subject() : system_(::GetModuleHandleW(nullptr)) {
        static const ATOM registered = [] {
            WNDCLASSW description{};
            description.lpfnWndProc = &starter_procedure;
            description.hInstance = ::GetModuleHandleW(nullptr);
            description.lpszClassName = starter_class;
            return ::RegisterClassW(&description);
        }();
        (void)registered;
        // A message-only window: the modal loop dispatches the script's start message to it.
        starter_ = ::CreateWindowExW(0, starter_class, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
        ::SetWindowLongPtrW(starter_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~win32_subject() override { ::DestroyWindow(starter_); }
    win32_subject(const win32_subject&) = delete;
    win32_subject& operator=(const win32_subject&) = delete;

    wizard::dialog_system& system() override { return system_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

    int run_modal(wizard::CDialog& dialog, script user) override {
        pending_ = {&dialog, std::move(user)};
        ::PostMessageW(starter_, start_script, 0, 0);
        try {
            const int result = dialog.DoModal();
            forget_script();
            return result;
        } catch (...) {
            forget_script();
            throw;
        }
    }

    // Inside the modal loop.
    void start_script_now() {
        auto [dialog, user] = std::exchange(pending_, {});
        if (dialog == nullptr || !dialog->HasWindow()) return;
        user(*dialog);
        if (dialog->HasWindow() && !static_cast<wizard::win32_dialog_host&>(dialog->Host()).ended())
            dialog->EndDialog(-1);
    }

    void click(wizard::CDialog& dialog, int id) override {
        const HWND button = ::GetDlgItem(hwnd_of_dialog(dialog), id);
        if (button == nullptr || !::IsWindowEnabled(button)) return;
        ::SendMessageW(button, BM_CLICK, 0, 0);
        pump(dialog);
    }
    void choose_list_item(wizard::CDialog& dialog, int id, int position) override {
        const HWND window = hwnd_of_dialog(dialog);
        const HWND list = ::GetDlgItem(window, id);
        if (list == nullptr || !::IsWindowEnabled(list)) return;
        ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
        ::SendMessageW(window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        pump(dialog);
    }
    void type_text(wizard::CDialog& dialog, int id, const std::wstring& text) override {
        const HWND window = hwnd_of_dialog(dialog);
        const HWND edit = ::GetDlgItem(window, id);
        if (edit == nullptr || !::IsWindowEnabled(edit)) return;
        ::SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        ::SendMessageW(edit, EM_SETSEL, 0, -1);
        for (const wchar_t character : text) ::SendMessageW(edit, WM_CHAR, character, 1);
        pump(dialog);
    }
    void press_escape(wizard::CDialog& dialog) override {
        const HWND window = hwnd_of_dialog(dialog);
        const HWND focus = ::GetFocus();
        MSG key{};
        key.hwnd = focus != nullptr && ::IsChild(window, focus) ? focus : window;
        key.message = WM_KEYDOWN;
        key.wParam = VK_ESCAPE;
        key.lParam = 0x00010001;
        if (!::IsDialogMessageW(window, &key)) {
            ::TranslateMessage(&key);
            ::DispatchMessageW(&key);
        }
        pump(dialog);
    }
    void system_command(wizard::CDialog& dialog, unsigned command) override {
        ::SendMessageW(hwnd_of_dialog(dialog), WM_SYSCOMMAND, command, 0);
        pump(dialog);
    }
    void open_system_menu(wizard::CDialog& dialog) override {
        const HWND window = hwnd_of_dialog(dialog);
        ::SendMessageW(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::GetSystemMenu(window, FALSE)),
                       MAKELPARAM(0, TRUE));
    }

    int focused_control(wizard::CDialog& dialog) override {
        const HWND window = hwnd_of_dialog(dialog);
        HWND focus = ::GetFocus();
        if (focus == nullptr || !::IsChild(window, focus)) return 0;
        while (::GetParent(focus) != window) focus = ::GetParent(focus);  // a list's inner combo box
        return ::GetDlgCtrlID(focus);
    }
    std::vector<menu_entry> system_menu(wizard::CDialog& dialog) override {
        std::vector<menu_entry> entries;
        const HMENU menu = ::GetSystemMenu(hwnd_of_dialog(dialog), FALSE);
        if (menu == nullptr) return entries;
        for (int position = 0; position < ::GetMenuItemCount(menu); ++position) {
            wchar_t text[256] = {};
            MENUITEMINFOW info{};
            info.cbSize = sizeof(info);
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = 256;
            if (!::GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
            const bool separator = (info.fType & MFT_SEPARATOR) != 0;
            entries.push_back({separator ? 0u : info.wID, separator ? std::wstring() : std::wstring(text), separator,
                               (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0});
        }
        return entries;
    }
    std::size_t text_limit(wizard::CDialog& dialog, int id) override {
        return static_cast<std::size_t>(::SendDlgItemMessageW(hwnd_of_dialog(dialog), id, EM_GETLIMITTEXT, 0, 0));
    }
    int dropped_width(wizard::CDialog& dialog, int id) override {
        const HWND list = ::GetDlgItem(hwnd_of_dialog(dialog), id);
        return list ? static_cast<int>(::SendMessageW(inner_combo(list), CB_GETDROPPEDWIDTH, 0, 0)) : 0;
    }
    int list_item_image(wizard::CDialog& dialog, int id, int position) override {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_IMAGE;
        item.iItem = position;
        const LRESULT found =
            ::SendDlgItemMessageW(hwnd_of_dialog(dialog), id, CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        return found ? item.iImage : -1;
    }
    list_images images(wizard::CDialog& dialog, int id) override {
        const auto list =
            reinterpret_cast<HIMAGELIST>(::SendDlgItemMessageW(hwnd_of_dialog(dialog), id, CBEM_GETIMAGELIST, 0, 0));
        if (list == nullptr) return {};
        list_images answer;
        ::ImageList_GetIconSize(list, &answer.width, &answer.height);
        answer.count = ::ImageList_GetImageCount(list);
        return answer;
    }
    os::icon_handle big_icon(wizard::CDialog& dialog) override {
        return static_cast<os::icon_handle>(::SendMessageW(hwnd_of_dialog(dialog), WM_GETICON, ICON_BIG, 0));
    }
    os::icon_handle load_icon(std::uint16_t id) override {
        icons_.emplace_back(static_cast<HICON>(
            ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR)));
        return static_cast<os::icon_handle>(reinterpret_cast<std::uintptr_t>(icons_.back().get()));
    }
    wizard::rect to_pixels(wizard::CDialog& dialog, int x, int y, int width, int height) override {
        RECT units{x, y, width, height};
        ::MapDialogRect(hwnd_of_dialog(dialog), &units);
        return {units.left, units.top, units.left + units.right, units.top + units.bottom};
    }

private:
    struct pending_script {
        wizard::CDialog* dialog = nullptr;
        script user;
    };

    // Also the start message of a dialog that never came up.
    void forget_script() {
        pending_ = {};
        MSG left{};
        while (::PeekMessageW(&left, starter_, start_script, start_script, PM_REMOVE)) {}
    }

    // The messages a user action posted (WM_CLOSE, IDCANCEL from the close box), through the
    // dialog manager as the modal loop would handle them.
    static void pump(wizard::CDialog& dialog) {
        MSG message{};
        for (int round = 0; round < pump_limit && ::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++round) {
            if (message.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(message.wParam));
                return;
            }
            if (dialog.HasWindow() && ::IsDialogMessageW(hwnd_of_dialog(dialog), &message)) continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }

    wizard::win32_dialog_system system_;
    HWND starter_ = nullptr;
    pending_script pending_;
    std::vector<os::win32::unique_hicon> icons_;
};

LRESULT CALLBACK starter_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == start_script) {
        if (auto* subject = reinterpret_cast<win32_subject*>(::GetWindowLongPtrW(window, GWLP_USERDATA)))
            subject->start_script_now();
        return 0;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

INSTANTIATE_TEST_SUITE_P(
    Win32, DialogHostContract,
    testing::Values(
        subject_factory<dialog_host_subject>{
            "Win32Host", [] { return std::unique_ptr<dialog_host_subject>(std::make_unique<win32_subject>()); }},
        headless_factory()),
    subject_name{});

}  // namespace
}  // namespace contract
