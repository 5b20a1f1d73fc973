// The library's start-up, before the application object exists: the processor check, the process
// error mode and the user's locale, the known folders and the common controls, and the application id
// whose processes the instance counter counts.
#pragma once

#include "app/system_ports.h"
#include "os/user_interface.h"
#include "vd/known_folders.h"

#include <optional>
#include <string>

namespace app {

inline constexpr int ExitNoSse2 = 1;
inline constexpr int ExitInitializationError = -11;

// The "Initialization Error" box: no owner, no caption (the system's own), task-modal, in front.
void ShowInitializationError(os::user_interface& ui);

// The processor has SSE2; otherwise the trilingual box has been shown (the process ends with 1).
[[nodiscard]] bool CheckProcessor(const SystemPorts& ports);

// The error mode and the user's locale as the standard library's global locale.  False after the
// "Initialization Error" box (the process ends with -11).
[[nodiscard]] bool StartLibrary(const SystemPorts& ports);

// The known folders resolved into `folders` (the process's cache, owned by wWinMain), common
// controls 6.0 or later initialised.  False after the "Initialization Error" box (the process ends
// with -11).
[[nodiscard]] bool StartApplicationLibrary(const SystemPorts& ports, vd::known_folders& folders);

// The ApplicationId of the program's version block, else its ProductName, else the program stem.
[[nodiscard]] std::wstring DetermineApplicationId(const SystemPorts& ports);

// All of the above in order; the exit code when the process must end now.
[[nodiscard]] std::optional<int> RunLibraryStartup(const SystemPorts& ports, vd::known_folders& folders);

}  // namespace app
