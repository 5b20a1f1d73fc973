// Win32-only: the process's library search, narrowed to System32 before anything else runs.
//
// The program is started elevated from a download folder, where anyone may have left a DLL named like
// a system library.  Once restricted, every later load without a full path (the system's own, those of
// the libraries the program uses) searches System32 only.
#pragma once

namespace app::win32 {

// SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32), looked up at run time because systems
// without KB2533623 lack it; there SetDllDirectoryW(L"") at least takes the current directory out
// of the search.  True when the search is restricted to System32.
bool RestrictLibrarySearchToSystem32() noexcept;

}  // namespace app::win32
