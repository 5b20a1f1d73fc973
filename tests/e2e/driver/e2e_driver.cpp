// Win32-only: the end-to-end driver.  Starts a program, waits for its windows, reads their texts,
// presses buttons, saves pictures of windows and reports the program's exit code.  It can also act
// as "another process" of the product: hold a named mutex, or add a unit to a named semaphore.
//
// Usage: e2e-driver.exe STEP... where the steps run in order:
//   --start PROGRAM [--arg TEXT]...   start a program (arguments after it, one --arg each)
//   --wait-window [SECONDS]           wait until the program shows a new visible top-level window
//   --dump                            print the window's title and its controls' class, id and text
//   --press ID|CAPTION                press a button of the window by control id or caption
//   --wait-closed [SECONDS]           wait until the window is gone
//   --screenshot FILE.bmp             save a picture of the window
//   --wait-exit [SECONDS]             wait for the program to end and print "exit CODE"
//   --hold-mutex NAME                 create and own a mutex until the driver ends
//   --add-unit NAME                   create a semaphore (maximum 0x7FFFFFFF) and add one unit
//   --take-unit NAME                  take one unit back from that semaphore
//   --sleep MILLISECONDS
// Output is UTF-8, one fact a line; a failed step prints "error ..." and the driver exits with 2.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

namespace {

struct handle_closer {
    void operator()(HANDLE h) const noexcept {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};

class unique_handle {
public:
    unique_handle() = default;
    explicit unique_handle(HANDLE h) : h_(h) {}
    unique_handle(unique_handle&& other) noexcept : h_(other.h_) { other.h_ = nullptr; }
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) {
            handle_closer{}(h_);
            h_ = other.h_;
            other.h_ = nullptr;
        }
        return *this;
    }
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    ~unique_handle() { handle_closer{}(h_); }
    [[nodiscard]] HANDLE get() const noexcept { return h_; }

private:
    HANDLE h_ = nullptr;
};

void print_utf8(const std::wstring& line) {
    std::wstring text = line + L"\n";
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

// Texts of the controls may contain line breaks: print them escaped, one control a line.
std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r') out += L"\\r";
        else if (c == L'\n') out += L"\\n";
        else if (c == L'\t') out += L"\\t";
        else out += c;
    }
    return out;
}

std::wstring window_text(HWND window) {
    // WM_GETTEXT is carried across processes; GetWindowTextW is not for controls of another process.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        2000, &copied);
    text.resize(static_cast<std::size_t>(copied));
    return text;
}

std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring without_ampersands(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text)
        if (c != L'&') out += c;
    return out;
}

class driver {
public:
    int run(std::vector<std::wstring> args) {
        for (std::size_t i = 0; i < args.size(); ++i) {
            const std::wstring& step = args[i];
            auto next = [&](const wchar_t* fallback) -> std::wstring {
                if (i + 1 < args.size() && args[i + 1].rfind(L"--", 0) != 0) return args[++i];
                if (fallback) return fallback;
                fail(L"missing argument of " + step);
                return {};
            };
            bool ok = true;
            if (step == L"--start") {
                std::wstring program = next(nullptr);
                std::wstring command = L"\"" + program + L"\"";
                while (i + 2 < args.size() && args[i + 1] == L"--arg") {
                    command += L" " + args[i + 2];
                    i += 2;
                }
                ok = start(program, command);
            } else if (step == L"--wait-window") {
                ok = wait_window(seconds(next(L"30")));
            } else if (step == L"--dump") {
                ok = dump();
            } else if (step == L"--press") {
                ok = press(next(nullptr));
            } else if (step == L"--wait-closed") {
                ok = wait_closed(seconds(next(L"30")));
            } else if (step == L"--screenshot") {
                ok = screenshot(next(nullptr));
            } else if (step == L"--wait-exit") {
                ok = wait_exit(seconds(next(L"60")));
            } else if (step == L"--hold-mutex") {
                ok = hold_mutex(next(nullptr));
            } else if (step == L"--add-unit") {
                ok = add_unit(next(nullptr));
            } else if (step == L"--take-unit") {
                ok = take_unit(next(nullptr));
            } else if (step == L"--sleep") {
                Sleep(static_cast<DWORD>(std::wcstoul(next(nullptr).c_str(), nullptr, 10)));
            } else {
                ok = fail(L"unknown step " + step);
            }
            if (!ok) return 2;
        }
        return 0;
    }

private:
    static DWORD seconds(const std::wstring& text) { return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10)) * 1000; }

    static bool fail(const std::wstring& what) {
        print_utf8(L"error " + what);
        return false;
    }

    bool start(const std::wstring& program, std::wstring command) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &info))
            return fail(L"cannot start " + program + L" (error " + std::to_wstring(GetLastError()) + L")");
        CloseHandle(info.hThread);
        process_ = unique_handle(info.hProcess);
        process_id_ = info.dwProcessId;
        print_utf8(L"started");
        return true;
    }

    HWND find_new_window() const {
        struct search {
            DWORD pid;
            const std::vector<HWND>* seen;
            HWND found;
        } state{process_id_, &seen_, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<search*>(data);
                DWORD pid = 0;
                GetWindowThreadProcessId(window, &pid);
                if (pid != s->pid || !IsWindowVisible(window)) return TRUE;
                for (HWND old : *s->seen)
                    if (old == window) return TRUE;
                s->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&state));
        return state.found;
    }

    bool wait_window(DWORD timeout) {
        if (!process_.get()) return fail(L"no program started");
        const DWORD start = GetTickCount();
        for (;;) {
            if (HWND window = find_new_window()) {
                Sleep(300);  // let the window finish painting its controls
                window_ = window;
                seen_.push_back(window);
                print_utf8(L"window \"" + escaped(window_text(window)) + L"\" class " + class_name(window));
                return true;
            }
            if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) {
                DWORD code = 0;
                GetExitCodeProcess(process_.get(), &code);
                return fail(L"program ended without a new window, exit " + std::to_wstring(static_cast<int>(code)));
            }
            if (GetTickCount() - start > timeout) return fail(L"no new window in time");
            Sleep(100);
        }
    }

    bool dump() const {
        if (!window_) return fail(L"no window");
        print_utf8(L"title \"" + escaped(window_text(window_)) + L"\"");
        EnumChildWindows(
            window_,
            [](HWND child, LPARAM) CALLBACK -> BOOL {
                print_utf8(L"control " + std::to_wstring(GetDlgCtrlID(child)) + L" " + class_name(child) + L" \"" +
                           escaped(window_text(child)) + L"\"" + (IsWindowEnabled(child) ? L"" : L" disabled"));
                return TRUE;
            },
            0);
        return true;
    }

    bool press(const std::wstring& which) const {
        if (!window_) return fail(L"no window");
        struct search {
            std::wstring which;
            HWND found;
        } state{which, nullptr};
        EnumChildWindows(
            window_,
            [](HWND child, LPARAM data) CALLBACK -> BOOL {
                auto* s = reinterpret_cast<search*>(data);
                const bool by_id = std::to_wstring(GetDlgCtrlID(child)) == s->which;
                const bool by_caption = class_name(child) == L"Button" &&
                                        without_ampersands(window_text(child)) == without_ampersands(s->which);
                if (!by_id && !by_caption) return TRUE;
                s->found = child;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&state));
        if (!state.found) return fail(L"no button " + which);
        const int id = GetDlgCtrlID(state.found);
        PostMessageW(window_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(state.found));
        print_utf8(L"pressed " + std::to_wstring(id));
        return true;
    }

    bool wait_closed(DWORD timeout) const {
        const DWORD start = GetTickCount();
        while (window_ && IsWindow(window_)) {
            if (GetTickCount() - start > timeout) return fail(L"window still open");
            Sleep(100);
        }
        print_utf8(L"closed");
        return true;
    }

    bool screenshot(const std::wstring& path) const {
        if (!window_) return fail(L"no window");
        RECT r{};
        GetWindowRect(window_, &r);
        const int width = r.right - r.left, height = r.bottom - r.top;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 24;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        SelectObject(memory, old);
        const DWORD row = static_cast<DWORD>((width * 3 + 3) & ~3);
        BITMAPFILEHEADER file{};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info.bmiHeader;
        file.bfSize = file.bfOffBits + row * static_cast<DWORD>(height);
        bool ok = false;
        unique_handle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (out.get() != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ok = WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
                 WriteFile(out.get(), &info.bmiHeader, sizeof info.bmiHeader, &written, nullptr) &&
                 WriteFile(out.get(), bits, row * static_cast<DWORD>(height), &written, nullptr);
        }
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        if (!ok) return fail(L"cannot write " + path);
        print_utf8(L"screenshot " + path);
        return true;
    }

    bool wait_exit(DWORD timeout) const {
        if (!process_.get()) return fail(L"no program started");
        if (WaitForSingleObject(process_.get(), timeout) != WAIT_OBJECT_0) return fail(L"program still running");
        DWORD code = 0;
        GetExitCodeProcess(process_.get(), &code);
        print_utf8(L"exit " + std::to_wstring(static_cast<int>(code)));
        return true;
    }

    bool hold_mutex(const std::wstring& name) {
        HANDLE mutex = CreateMutexW(nullptr, TRUE, name.c_str());
        if (!mutex) return fail(L"cannot create mutex " + name);
        held_.emplace_back(mutex);
        print_utf8(L"holding " + name);
        return true;
    }

    bool add_unit(const std::wstring& name) {
        auto found = semaphores_.find(name);
        if (found == semaphores_.end()) {
            HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 0x7FFFFFFF, name.c_str());
            if (!semaphore) return fail(L"cannot create semaphore " + name);
            found = semaphores_.emplace(name, unique_handle(semaphore)).first;
        }
        LONG previous = 0;
        if (!ReleaseSemaphore(found->second.get(), 1, &previous)) return fail(L"cannot add a unit to " + name);
        print_utf8(L"units " + std::to_wstring(previous + 1));
        return true;
    }

    bool take_unit(const std::wstring& name) {
        auto found = semaphores_.find(name);
        if (found == semaphores_.end() || WaitForSingleObject(found->second.get(), 0) != WAIT_OBJECT_0)
            return fail(L"no unit to take from " + name);
        print_utf8(L"took a unit");
        return true;
    }

    unique_handle process_;
    DWORD process_id_ = 0;
    HWND window_ = nullptr;
    std::vector<HWND> seen_;
    std::vector<unique_handle> held_;
    std::map<std::wstring, unique_handle> semaphores_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::vector<std::wstring> args(argv + 1, argv + argc);
    return driver{}.run(std::move(args));
}
