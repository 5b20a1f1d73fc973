// Win32-only: the end-to-end driver.  Starts a program, waits for its windows and boxes, reads
// their texts, works their controls (also those of child dialogs such as wizard pages), saves
// pictures of windows and reports the program's exit code.  It can also act as "another process"
// of the product: hold a named mutex, or add a unit to a named semaphore.
//
// Usage: e2e-driver.exe STEP... where the steps run in order:
//   --start PROGRAM [--arg TEXT]...   start a program (arguments after it, one --arg each)
//   --wait-window [SECONDS]           wait until the program shows a new visible top-level window;
//                                     it becomes the current window (replacing the current one)
//   --wait-box [SECONDS]              the same for a box the current window opens (message box,
//                                     About box): the box is put over the current window
//   --back [SECONDS]                  wait until the box is closed and return to the window before it
//   --dump [all]                      print the window's title and its visible controls (with those
//                                     of its child dialogs, indented): id, class, text, and
//                                     "disabled", "checked"; "all" adds the hidden ones, marked "hidden"
//   --press ID|CAPTION                press a button (refused when it is disabled or hidden)
//   --choose ID POSITION              choose the item at that position (from 0) of a list
//   --choose-text ID TEXT             choose the list's item with that text
//   --items ID                        print the items of a list
//   --type ID TEXT                    put the text into an edit box
//   --check ID / --uncheck ID         click a check box or radio button that lacks that state
//   --system-command HEX              give the window that system-menu command (0x10: About)
//   --patience SECONDS                the --expect steps that follow wait this long (default 5)
//   --expect ID TEXT                  fail unless the control shows exactly TEXT
//   --expect-title TEXT               fail unless the window's title is exactly TEXT
//   --expect-enabled ID, --expect-disabled ID, --expect-visible ID, --expect-hidden ID,
//   --expect-checked ID, --expect-unchecked ID
//                                     fail unless the control has that state
//   --wait-closed [SECONDS]           wait until the current window is gone
//   --screenshot FILE.bmp             save a picture of the current window
//   --wait-exit [SECONDS]             wait for the program to end and print "exit CODE"
//   --hold-mutex NAME                 create and own a mutex until the driver ends
//   --add-unit NAME                   create a semaphore (maximum 0x7FFFFFFF) and add one unit
//   --take-unit NAME                  take one unit back from that semaphore
//   --hold-file PATH                  open an existing file, shared with nobody, until the driver ends
//   --read-link PATH.lnk              print a shell link's target, working folder and arguments
//   --attributes PATH                 print a file's attributes (hexadecimal)
//   --clock                           print a millisecond clock, for timing the steps between two
//   --sleep MILLISECONDS
//
// Controls are found by id among all descendants of the current window.  Wizard pages share ids,
// so a visible control wins over hidden ones; the parts of a ComboBoxEx are not listed.  A list's
// text is its selected item's.  Texts are compared and printed with \r, \n and \t as escapes.
// An action (press, choose, type, check, system command) ends when the program has handled it,
// or after half a second when its handler is still running, as one that opens a modal box is;
// the --expect steps wait up to five seconds for the state to come about.  Where ids repeat,
// expect something of the new page after a page change before acting on a shared id.
//
// Output is UTF-8, one fact a line; a failed step prints "error ..." and the driver exits with 2,
// ending the program first if it still runs.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "output.h"
#include "session.h"

namespace {

using e2e::control_state;

DWORD milliseconds_of_seconds(const std::wstring& text) {
    return static_cast<DWORD>(std::wcstoul(text.c_str(), nullptr, 10)) * 1000;
}

// Runs the steps in order; false after the first one that fails.
bool run(e2e::session& s, const std::vector<std::wstring>& args) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::wstring& step = args[i];
        bool missing = false;
        // A required argument is taken as it is, even when it begins with "--".
        auto required = [&]() -> std::wstring {
            if (i + 1 < args.size()) return args[++i];
            missing = true;
            return {};
        };
        // An optional argument is the next one unless that is the next step.
        auto optional = [&](const wchar_t* fallback) -> std::wstring {
            if (i + 1 < args.size() && args[i + 1].rfind(L"--", 0) != 0) return args[++i];
            return fallback;
        };
        auto with_argument = [&](auto act) {
            std::wstring argument = required();
            return !missing ? act(argument) : e2e::fail(L"missing argument of " + step);
        };
        auto with_two = [&](auto act) {
            std::wstring first = required();
            std::wstring second = required();
            return !missing ? act(first, second) : e2e::fail(L"missing argument of " + step);
        };
        auto expect_state = [&](control_state state) {
            return with_argument([&](const std::wstring& id) { return e2e::expect_state(s, id, state); });
        };

        bool ok = true;
        if (step == L"--start") {
            ok = with_argument([&](const std::wstring& program) {
                std::wstring command = L"\"" + program + L"\"";
                while (i + 2 < args.size() && args[i + 1] == L"--arg") {
                    command += L" " + args[i + 2];
                    i += 2;
                }
                return e2e::start_program(s, program, command);
            });
        } else if (step == L"--wait-window") {
            ok = e2e::wait_window(s, milliseconds_of_seconds(optional(L"30")));
        } else if (step == L"--wait-box") {
            ok = e2e::wait_box(s, milliseconds_of_seconds(optional(L"30")));
        } else if (step == L"--back") {
            ok = e2e::go_back(s, milliseconds_of_seconds(optional(L"10")));
        } else if (step == L"--dump") {
            const std::wstring which = optional(L"");
            ok = which.empty() || which == L"all" ? e2e::dump(s, which == L"all")
                                                  : e2e::fail(L"--dump takes only \"all\", not " + which);
        } else if (step == L"--press") {
            ok = with_argument([&](const std::wstring& which) { return e2e::press(s, which); });
        } else if (step == L"--choose") {
            ok = with_two([&](const auto& id, const auto& position) { return e2e::choose(s, id, position); });
        } else if (step == L"--choose-text") {
            ok = with_two([&](const auto& id, const auto& text) { return e2e::choose_text(s, id, text); });
        } else if (step == L"--items") {
            ok = with_argument([&](const std::wstring& id) { return e2e::list_items(s, id); });
        } else if (step == L"--type") {
            ok = with_two([&](const auto& id, const auto& text) { return e2e::type_text(s, id, text); });
        } else if (step == L"--check" || step == L"--uncheck") {
            ok = with_argument([&](const std::wstring& id) { return e2e::set_check(s, id, step == L"--check"); });
        } else if (step == L"--system-command") {
            ok = with_argument([&](const std::wstring& command) { return e2e::system_command(s, command); });
        } else if (step == L"--patience") {
            ok = with_argument([&](const std::wstring& seconds) {
                s.patience_ms = static_cast<DWORD>(std::wcstoul(seconds.c_str(), nullptr, 10) * 1000);
                return true;
            });
        } else if (step == L"--expect") {
            ok = with_two([&](const auto& id, const auto& text) { return e2e::expect_text(s, id, text); });
        } else if (step == L"--expect-title") {
            ok = with_argument([&](const std::wstring& title) { return e2e::expect_title(s, title); });
        } else if (step == L"--expect-enabled") {
            ok = expect_state(control_state::enabled);
        } else if (step == L"--expect-disabled") {
            ok = expect_state(control_state::disabled);
        } else if (step == L"--expect-visible") {
            ok = expect_state(control_state::visible);
        } else if (step == L"--expect-hidden") {
            ok = expect_state(control_state::hidden);
        } else if (step == L"--expect-checked") {
            ok = expect_state(control_state::checked);
        } else if (step == L"--expect-unchecked") {
            ok = expect_state(control_state::unchecked);
        } else if (step == L"--wait-closed") {
            ok = e2e::wait_closed(s, milliseconds_of_seconds(optional(L"30")));
        } else if (step == L"--screenshot") {
            ok = with_argument([&](const std::wstring& path) { return e2e::screenshot(s, path); });
        } else if (step == L"--wait-exit") {
            ok = e2e::wait_exit(s, milliseconds_of_seconds(optional(L"60")));
        } else if (step == L"--hold-mutex") {
            ok = with_argument([&](const std::wstring& name) { return e2e::hold_mutex(s, name); });
        } else if (step == L"--add-unit") {
            ok = with_argument([&](const std::wstring& name) { return e2e::add_unit(s, name); });
        } else if (step == L"--take-unit") {
            ok = with_argument([&](const std::wstring& name) { return e2e::take_unit(s, name); });
        } else if (step == L"--hold-file") {
            ok = with_argument([&](const std::wstring& path) { return e2e::hold_file(s, path); });
        } else if (step == L"--read-link") {
            ok = with_argument([&](const std::wstring& path) { return e2e::read_link(path); });
        } else if (step == L"--attributes") {
            ok = with_argument([&](const std::wstring& path) { return e2e::print_attributes(path); });
        } else if (step == L"--clock") {
            LARGE_INTEGER now{}, frequency{};
            QueryPerformanceCounter(&now);
            QueryPerformanceFrequency(&frequency);
            e2e::print_line(L"clock " + std::to_wstring(now.QuadPart * 1000 / frequency.QuadPart));
        } else if (step == L"--sleep") {
            ok = with_argument([&](const std::wstring& ms) {
                Sleep(static_cast<DWORD>(std::wcstoul(ms.c_str(), nullptr, 10)));
                return true;
            });
        } else {
            ok = e2e::fail(L"unknown step " + step);
        }
        if (!ok) return false;
    }
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // The facts are read by shell scripts: their lines end in "\n" alone, without the C runtime's "\r".
    _setmode(_fileno(stdout), _O_BINARY);
    e2e::session s;
    if (run(s, std::vector<std::wstring>(argv + 1, argv + argc))) return 0;
    e2e::end_program_after_failure(s);
    return 2;
}
