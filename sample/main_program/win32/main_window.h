// Win32-only: the main program's window, a small frame with its title and one line of text.
#pragma once

#include <windows.h>

#include <string>

namespace sample {

// Shows the window and runs its message loop until it is closed; the loop's exit code.
int run_main_window(HINSTANCE instance, int show, const std::wstring& title, const std::wstring& text);

}  // namespace sample
