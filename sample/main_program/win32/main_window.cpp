// Win32-only: the main program's window.
#include "main_program/win32/main_window.h"

namespace sample {
namespace {

constexpr wchar_t window_class[] = L"LignotekMainWindow";

// What the window shows; it lives on run_main_window's stack for the life of the window.
struct window_state {
    std::wstring text;
};

LRESULT CALLBACK main_window_procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_NCCREATE: {
            const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
            break;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = BeginPaint(window, &paint);
            if (const auto* state = reinterpret_cast<const window_state*>(GetWindowLongPtrW(window, GWLP_USERDATA))) {
                RECT area;
                GetClientRect(window, &area);
                SetBkMode(dc, TRANSPARENT);
                SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
                DrawTextW(dc, state->text.c_str(), static_cast<int>(state->text.size()), &area,
                          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
            EndPaint(window, &paint);
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int run_main_window(HINSTANCE instance, int show, const std::wstring& title, const std::wstring& text) {
    WNDCLASSEXW klass{};
    klass.cbSize = sizeof klass;
    klass.lpfnWndProc = main_window_procedure;
    klass.hInstance = instance;
    klass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    klass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    klass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    klass.lpszClassName = window_class;
    if (!RegisterClassExW(&klass)) return 1;

    window_state state{text};
    const HWND window = CreateWindowExW(0, window_class, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 480, 200, nullptr, nullptr, instance, &state);
    if (!window) return 1;
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace sample
