// Win32-only: a library that stands for one an attacker left beside the program under a system
// library's name.  It does nothing but say that it is there.
#include <windows.h>

extern "C" __declspec(dllexport) int lignotek_planted_marker() { return 1; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
