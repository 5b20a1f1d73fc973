// Win32-only: the driver's steps on the top-level windows of the started program: waiting for
// them, the stack of a window and the boxes it opens, reading them and taking their pictures.
#include <cstdio>
#include <cwchar>

#include "control_text.h"
#include "output.h"
#include "session.h"
#include "window_search.h"

namespace e2e {

namespace {

HWND wait_for_new_window(session& s, DWORD timeout_ms) {
    if (!s.process.valid()) {
        fail(L"no program started");
        return nullptr;
    }
    const DWORD start = GetTickCount();
    for (;;) {
        if (HWND window = find_new_window(s.process_id, s.seen)) {
            Sleep(300);  // let the window finish painting its controls
            s.seen.push_back(window);
            return window;
        }
        if (WaitForSingleObject(s.process.get(), 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(s.process.get(), &code);
            fail(L"program ended without a new window, exit " + std::to_wstring(static_cast<int>(code)));
            return nullptr;
        }
        if (GetTickCount() - start > timeout_ms) {
            fail(L"no new window in time");
            return nullptr;
        }
        Sleep(100);
    }
}

std::wstring describe(HWND window) { return quoted(window_text(window)) + L" class " + class_name(window); }

std::wstring control_line(HWND window, HWND control) {
    std::wstring line(static_cast<std::size_t>(2 * depth_below(window, control)), L' ');
    line += L"control " + std::to_wstring(GetDlgCtrlID(control)) + L" " + class_name(control) + L" " +
            quoted(control_text(control));
    if (!IsWindowEnabled(control)) line += L" disabled";
    if (is_checkable(control) && is_checked(control)) line += L" checked";
    if (!IsWindowVisible(control)) line += L" hidden";
    return line;
}

// Handles of the screen picture, released in reverse order of their making.
struct screen_dc {
    HDC dc = GetDC(nullptr);
    ~screen_dc() { ReleaseDC(nullptr, dc); }
};
struct memory_dc {
    HDC dc;
    explicit memory_dc(HDC compatible) : dc(CreateCompatibleDC(compatible)) {}
    ~memory_dc() { DeleteDC(dc); }
};
struct gdi_bitmap {
    HBITMAP bitmap;
    ~gdi_bitmap() {
        if (bitmap) DeleteObject(bitmap);
    }
};

bool write_file(const std::wstring& path, const BITMAPFILEHEADER& file, const BITMAPINFOHEADER& header,
                const void* bits, DWORD size) {
    unique_handle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    if (!out.valid()) return false;
    DWORD written = 0;
    return WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
           WriteFile(out.get(), &header, sizeof header, &written, nullptr) &&
           WriteFile(out.get(), bits, size, &written, nullptr);
}

}  // namespace

bool wait_window(session& s, DWORD timeout_ms) {
    HWND window = wait_for_new_window(s, timeout_ms);
    if (!window) return false;
    if (s.windows.empty())
        s.windows.push_back(window);
    else
        s.windows.back() = window;
    print_line(L"window " + describe(window));
    return true;
}

bool wait_box(session& s, DWORD timeout_ms) {
    HWND box = wait_for_new_window(s, timeout_ms);
    if (!box) return false;
    s.windows.push_back(box);
    print_line(L"box " + describe(box));
    return true;
}

bool go_back(session& s, DWORD timeout_ms) {
    if (s.windows.size() < 2) return fail(L"no window to go back to");
    HWND box = s.windows.back();
    const DWORD start = GetTickCount();
    while (IsWindow(box)) {
        if (GetTickCount() - start > timeout_ms) return fail(L"box " + quoted(window_text(box)) + L" still open");
        Sleep(100);
    }
    s.windows.pop_back();
    if (!IsWindow(s.current())) return fail(L"the window before the box is gone");
    print_line(L"back to " + quoted(window_text(s.current())));
    return true;
}

bool wait_closed(const session& s, DWORD timeout_ms) {
    const DWORD start = GetTickCount();
    while (s.current() && IsWindow(s.current())) {
        if (GetTickCount() - start > timeout_ms) return fail(L"window still open");
        Sleep(100);
    }
    print_line(L"closed");
    return true;
}

bool dump(const session& s, bool hidden_too) {
    HWND window = s.current();
    if (!window) return fail(L"no window");
    print_line(L"title " + quoted(window_text(window)));
    for (HWND control : descendants(window))
        if (hidden_too || IsWindowVisible(control)) print_line(control_line(window, control));
    return true;
}

bool system_command(const session& s, const std::wstring& command) {
    if (!s.current()) return fail(L"no window");
    wchar_t* end = nullptr;
    const unsigned long id = std::wcstoul(command.c_str(), &end, 16);
    if (command.empty() || *end != L'\0' || id > 0xFFFF) return fail(L"not a system command: " + command);
    deliver(s.current(), WM_SYSCOMMAND, id, 0);
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%04lX", id);
    print_line(L"system command " + std::wstring(text));
    return true;
}

bool expect_title(const session& s, const std::wstring& title) {
    HWND window = s.current();
    if (!window) return fail(L"no window");
    if (!settles(s, [&] { return escaped(window_text(window)) == title; }))
        return fail(L"title is " + quoted(window_text(window)) + L", expected \"" + title + L"\"");
    print_line(L"expected title \"" + title + L"\"");
    return true;
}

bool screenshot(const session& s, const std::wstring& path) {
    HWND window = s.current();
    if (!window) return fail(L"no window");
    // Have the window and its pages paint what the last steps changed before the screen is read.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(200);
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width <= 0 || height <= 0) return fail(L"window has no area");
    screen_dc screen;
    memory_dc memory(screen.dc);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    gdi_bitmap bitmap{CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0)};
    if (!bitmap.bitmap || !memory.dc) return fail(L"cannot make a picture of the window");
    HGDIOBJ old = SelectObject(memory.dc, bitmap.bitmap);
    BitBlt(memory.dc, 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY);
    SelectObject(memory.dc, old);
    GdiFlush();
    const DWORD row = static_cast<DWORD>((width * 3 + 3) & ~3);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + row * static_cast<DWORD>(height);
    if (!write_file(path, file, info.bmiHeader, bits, row * static_cast<DWORD>(height)))
        return fail(L"cannot write " + path);
    print_line(L"screenshot " + path);
    return true;
}

}  // namespace e2e
