// The user's choices for one installation, shared by start-up, the wizard pages and the
// installation sequence.
#pragma once

#include <string>

namespace app {

struct InstallSettings {
    std::wstring installFolder;  // at most 260 characters
    std::wstring menuFolder;     // at most 260 characters
    std::wstring tempFolder;     // set by the installation sequence as its first step
    bool menuShortcut = true;
    bool desktopShortcut = true;
    bool advancedMode = false;  // false: quick installation
};

}  // namespace app
