// Win32-only: removing the running uninstaller.  A program cannot delete its own file while it
// runs, so it copies itself to the temporary folder and starts the copy with the "delete me"
// switch; the copy waits until the original has ended, deletes it and the emptied folders that
// held it, and marks itself for deletion when Windows restarts.  When no copy can be started, the
// original and its folders are marked for deletion at the next restart instead.
#pragma once

#include <string>
#include <vector>

namespace sample {

inline constexpr wchar_t delete_me_switch[] = L"/delete-me";

// From the original: hands the removal of `program` and of `folders` (innermost first, each an
// ancestor of the program) to a copy.  True when the copy was started or the removal scheduled.
bool start_self_removal(const std::wstring& program, const std::vector<std::wstring>& folders);

// In the copy at `self`: the arguments after the switch.  Refuses (false) a program that is no
// uninstaller or folders that do not hold it.
bool finish_self_removal(const std::wstring& self, const std::vector<std::wstring>& arguments);

}  // namespace sample
