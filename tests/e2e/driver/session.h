// Win32-only: what the driver's steps share (the started program, the stack of its windows, the
// kernel objects held for the length of the run) and the steps themselves.  Every step prints
// one fact line, or "error ..." and returns false.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "unique_handle.h"

namespace e2e {

struct session {
    unique_handle process;
    DWORD process_id = 0;
    // The window the steps act on is the top; a box is pushed over the window it came from and
    // popped when it is closed.
    std::vector<HWND> windows;
    // Every window found so far, so that waiting for a window finds only a new one.
    std::vector<HWND> seen;
    std::vector<unique_handle> held_mutexes;
    std::vector<unique_handle> held_files;
    std::map<std::wstring, unique_handle> semaphores;
    // How long the checks wait for a state to come about (--patience).
    DWORD patience_ms = 5000;

    [[nodiscard]] HWND current() const noexcept { return windows.empty() ? nullptr : windows.back(); }
};

// The program reacts to a step through its message queue, after the step has returned: a check
// of its state waits the session's patience for the state to come about before it fails.
template <class Condition>
bool settles(const session& s, Condition condition) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start > s.patience_ms) return condition();
        Sleep(50);
    }
}

// The program and the kernel objects (process_steps.cpp).
bool start_program(session& s, const std::wstring& program, std::wstring command_line);
bool wait_exit(const session& s, DWORD timeout_ms);
void end_program_after_failure(const session& s);
bool hold_mutex(session& s, const std::wstring& name);
bool add_unit(session& s, const std::wstring& name);
bool take_unit(session& s, const std::wstring& name);

// Files of the machine under test (file_steps.cpp).
bool hold_file(session& s, const std::wstring& path);
bool read_link(const std::wstring& path);
bool print_attributes(const std::wstring& path);

// Windows (window_steps.cpp).
bool wait_window(session& s, DWORD timeout_ms);
bool wait_box(session& s, DWORD timeout_ms);
bool go_back(session& s, DWORD timeout_ms);
bool wait_closed(const session& s, DWORD timeout_ms);
bool dump(const session& s, bool hidden_too);
bool system_command(const session& s, const std::wstring& command);
bool expect_title(const session& s, const std::wstring& title);
bool screenshot(const session& s, const std::wstring& path);

// Controls of the current window and of its child dialogs (control_steps.cpp).
bool press(const session& s, const std::wstring& id_or_caption);
bool choose(const session& s, const std::wstring& id, const std::wstring& position);
bool choose_text(const session& s, const std::wstring& id, const std::wstring& text);
bool list_items(const session& s, const std::wstring& id);
bool type_text(const session& s, const std::wstring& id, const std::wstring& text);
bool set_check(const session& s, const std::wstring& id, bool checked);
bool expect_text(const session& s, const std::wstring& id, const std::wstring& text);

enum class control_state { enabled, disabled, visible, hidden, checked, unchecked };
bool expect_state(const session& s, const std::wstring& id, control_state state);

}  // namespace e2e
