// Win32-only: the window on which the end-to-end driver's own scenarios run.  It has what the
// driver must handle in a wizard: a frame with Next (1), Exit (2) and Back (3) buttons, two pages
// as child dialogs that share control ids, a ComboBoxEx, a combo box, edit boxes, a check box, a
// radio group, push buttons on a page (one of them disabled), a system-menu About entry (0x0010)
// and the boxes they open.  The first page writes what it receives into its status line (1003),
// so that a scenario can see which notification arrived.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>

namespace {

constexpr UINT about_command = 0x0010;
constexpr wchar_t frame_class[] = L"DriverSelftestFrame";
constexpr wchar_t frame_title[] = L"Driver self-test";
constexpr wchar_t caption[] = L"Driver self-test";

enum control_id : int {
    next_button = IDOK,
    exit_button = IDCANCEL,
    back_button = 3,
    status_line = 1003,
    browse_button = 1006,
    folder_edit = 1007,
    apply_button = 1012,
    shortcut_check = 1011,
    quick_radio = 1018,
    advanced_radio = 1019,
    language_list = 1023,
    colour_list = 1024,
};

// Shows a page's language list item that has no texts of its own.
constexpr int position_without_texts = 2;

struct frame_state {
    HWND frame = nullptr;
    std::array<HWND, 2> pages{};
    int current = 0;
};

// A dialog template without controls: the pages create theirs when they start.
struct alignas(4) empty_dialog {
    DLGTEMPLATE header;
    WORD menu = 0, window_class = 0, title = 0;
};

HWND add_control(HWND parent, const wchar_t* window_class, const wchar_t* text, DWORD style, int id, int x, int y,
                 int width, int height) {
    HWND control =
        CreateWindowExW(0, window_class, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

void fill_first_page(HWND page) {
    add_control(page, WC_STATICW, L"ready", SS_NOPREFIX, status_line, 10, 10, 420, 20);
    HWND languages = add_control(page, WC_COMBOBOXEXW, L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, language_list,
                                 10, 40, 200, 150);
    const wchar_t* names[] = {L"English", L"Deutsch", L"Nederlands"};
    for (int position = 0; position < 3; ++position) {
        COMBOBOXEXITEMW item{};
        item.mask = CBEIF_TEXT | CBEIF_LPARAM;
        item.iItem = position;
        item.pszText = const_cast<wchar_t*>(names[position]);
        item.lParam = position;
        SendMessageW(languages, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageW(languages, CB_SETCURSEL, 0, 0);
    HWND colours = add_control(page, WC_COMBOBOXW, L"", CBS_DROPDOWNLIST | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP,
                               colour_list, 220, 40, 200, 150);
    for (const wchar_t* colour : {L"alpha", L"beta", L"gamma"})
        SendMessageW(colours, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(colour));
    add_control(page, WC_EDITW, L"C:\\Start", WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP, folder_edit, 10, 75, 300, 22);
    HWND browse = add_control(page, WC_BUTTONW, L"Browse...", BS_PUSHBUTTON, browse_button, 320, 75, 100, 24);
    EnableWindow(browse, FALSE);
    add_control(page, WC_BUTTONW, L"&Apply", BS_PUSHBUTTON | WS_TABSTOP, apply_button, 320, 105, 100, 24);
    add_control(page, WC_BUTTONW, L"Desktop shortcut", BS_AUTOCHECKBOX | WS_TABSTOP, shortcut_check, 10, 105, 300, 20);
    HWND quick = add_control(page, WC_BUTTONW, L"Quick", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, quick_radio, 10,
                             130, 200, 20);
    add_control(page, WC_BUTTONW, L"Advanced", BS_AUTORADIOBUTTON, advanced_radio, 10, 155, 200, 20);
    SendMessageW(quick, BM_SETCHECK, BST_CHECKED, 0);
}

void fill_second_page(HWND page) {
    add_control(page, WC_STATICW, L"second page", SS_NOPREFIX, status_line, 10, 10, 420, 20);
    add_control(page, WC_EDITW, L"C:\\Read only", WS_BORDER | ES_AUTOHSCROLL | ES_READONLY, folder_edit, 10, 40, 300,
                22);
}

std::wstring text_of(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

void report(HWND page, const std::wstring& what) { SetDlgItemTextW(page, status_line, what.c_str()); }

INT_PTR CALLBACK first_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_INITDIALOG) {
        fill_first_page(page);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wparam);
    const auto control = reinterpret_cast<HWND>(lparam);
    switch (HIWORD(wparam)) {
        case CBN_SELCHANGE: {
            const auto position = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
            report(page, L"selected " + std::to_wstring(id) + L" " + std::to_wstring(position));
            if (id == language_list && position == position_without_texts)
                MessageBoxW(GetAncestor(page, GA_ROOT), L"This language has no texts of its own.", caption,
                            MB_ICONINFORMATION);
            return TRUE;
        }
        case EN_CHANGE:
            report(page, L"changed " + std::to_wstring(id) + L" " + text_of(control));
            return TRUE;
        case BN_CLICKED:
            if (id == apply_button)
                report(page, L"pressed " + std::to_wstring(id));
            else
                report(page,
                       L"clicked " + std::to_wstring(id) +
                           (SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? L" checked" : L" unchecked"));
            return TRUE;
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK second_page_proc(HWND page, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    fill_second_page(page);
    return TRUE;
}

void show_page(frame_state& state, int index) {
    ShowWindow(state.pages[static_cast<std::size_t>(state.current)], SW_HIDE);
    state.current = index;
    ShowWindow(state.pages[static_cast<std::size_t>(index)], SW_SHOW);
    EnableWindow(GetDlgItem(state.frame, next_button), index == 0);
    EnableWindow(GetDlgItem(state.frame, back_button), index == 1);
    SetWindowTextW(state.frame, index == 0 ? frame_title : L"Driver self-test – page 2");
}

void create_frame_contents(frame_state& state) {
    HWND frame = state.frame;
    add_control(frame, WC_BUTTONW, L"<  Back", BS_PUSHBUTTON | WS_DISABLED, back_button, 150, 240, 90, 26);
    add_control(frame, WC_BUTTONW, L"Next  >", BS_DEFPUSHBUTTON, next_button, 250, 240, 90, 26);
    add_control(frame, WC_BUTTONW, L"Exit", BS_PUSHBUTTON, exit_button, 350, 240, 90, 26);
    empty_dialog page_template{};
    page_template.header.style = WS_CHILD | DS_CONTROL;
    page_template.header.cx = 300;
    page_template.header.cy = 140;
    const DLGPROC procs[] = {first_page_proc, second_page_proc};
    for (std::size_t index = 0; index < state.pages.size(); ++index) {
        state.pages[index] =
            CreateDialogIndirectParamW(GetModuleHandleW(nullptr), &page_template.header, frame, procs[index], 0);
        SetWindowPos(state.pages[index], nullptr, 0, 0, 450, 230, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(state.pages[0], SW_SHOW);
    HMENU system_menu = GetSystemMenu(frame, FALSE);
    AppendMenuW(system_menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(system_menu, MF_STRING, about_command, L"&About Self-test...");
}

void ask_to_leave(HWND frame) {
    if (MessageBoxW(frame, L"Leave the self-test?", caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES)
        DestroyWindow(frame);
}

LRESULT CALLBACK frame_proc(HWND frame, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<frame_state*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
        state->frame = frame;
        SetWindowLongPtrW(frame, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    auto* state = reinterpret_cast<frame_state*>(GetWindowLongPtrW(frame, GWLP_USERDATA));
    switch (message) {
        case WM_CREATE:
            create_frame_contents(*state);
            return 0;
        case WM_COMMAND:
            switch (LOWORD(wparam)) {
                case next_button:
                    show_page(*state, 1);
                    return 0;
                case back_button:
                    show_page(*state, 0);
                    return 0;
                case exit_button:
                    ask_to_leave(frame);
                    return 0;
                default:
                    return 0;
            }
        case WM_SYSCOMMAND:
            if ((wparam & 0xFFF0) == about_command) {
                MessageBoxW(frame, L"The end-to-end driver's test window.", L"About 'Self-test'", MB_OK);
                return 0;
            }
            break;
        case WM_CLOSE:
            ask_to_leave(frame);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(frame, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_USEREX_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSW window_class{};
    window_class.lpfnWndProc = frame_proc;
    window_class.hInstance = instance;
    window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    window_class.lpszClassName = frame_class;
    if (!RegisterClassW(&window_class)) return 1;
    frame_state state;
    if (!CreateWindowExW(WS_EX_APPWINDOW, frame_class, frame_title,
                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 100, 100, 470, 310, nullptr, nullptr,
                         instance, &state))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
