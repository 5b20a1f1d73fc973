// The file-system port's contract: what every implementation (the Win32 adapter, the directory
// machine) must answer.  Each instance file supplies a factory.
#pragma once

#include "contract/port_suite.h"
#include "os/file_system.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

// One implementation under test with a scratch folder of its own, empty at the start and
// removed (as far as possible) when the object goes.
class file_system_subject : public port_subject {
public:
    [[nodiscard]] virtual os::file_system& fs() = 0;
    // A Windows path of an existing, empty folder.
    [[nodiscard]] virtual std::wstring scratch() const = 0;
    // Plants a symbolic link at `link` to `target` (Windows paths), as another user could; false
    // when the implementation cannot make one here.
    [[nodiscard]] virtual bool make_link(const std::wstring& /*link*/, const std::wstring& /*target*/,
                                         bool /*folder*/) {
        return false;
    }
    // Gives the file `target` the second name `link`; false when it cannot.
    [[nodiscard]] virtual bool make_hard_link(const std::wstring& /*link*/, const std::wstring& /*target*/) {
        return false;
    }
    // A folder link made outside the implementation, as a user of the host would plant one (under
    // Wine: `ln -s` in the prefix, named by LIGNOTEK_PLANTED_LINK), or "" when there is none.
    [[nodiscard]] virtual std::wstring planted_link() { return {}; }
    // An existing, empty folder on another volume than scratch(), or "" when there is none.
    [[nodiscard]] virtual std::wstring other_volume_scratch() const { return {}; }
};

class FileSystemContract : public port_suite<file_system_subject> {
protected:
    os::file_system& fs() { return subject().fs(); }
    std::wstring at(const std::wstring& name) const { return subject().scratch() + L"\\" + name; }
};

}  // namespace contract
