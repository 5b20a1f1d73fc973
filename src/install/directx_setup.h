// The DirectX runtime update: the setup library of the payload's temporary files, loaded by its
// full path, kept only when the DirectX on the computer is recent enough for it to work.
#pragma once

#include "os/modules.h"
#include "records/log_record.h"
#include "records/previous_installation.h"
#include "os/user_interface.h"

#include <functional>
#include <string>

namespace install {

// Whether the update runs: always on a reinstallation of the same version, otherwise unless the
// previous installation recorded a successful update.
[[nodiscard]] bool directx_update_wanted(PreviousInstallState previousOutcome, const RecordList& previousRecords);

class directx_setup {
public:
    // Loads "DSetup.dll" from `folder` and asks it for the installed DirectX's version; the module
    // is kept when the answer is DirectX 9 at revision 903 or later.
    directx_setup(os::modules& modules, std::wstring folder);

    [[nodiscard]] bool usable() const noexcept { return static_cast<bool>(module_); }

    // Installs the missing components from the folder; `pump` handles window messages while the
    // library reports progress, and every box it would show is answered OK.  True for success and
    // for success with a restart (which is not acted upon).
    [[nodiscard]] bool run(os::window_handle owner, std::function<void()> pump);

private:
    os::modules& modules_;
    std::wstring folder_;
    os::unique_library module_;
};

}  // namespace install
