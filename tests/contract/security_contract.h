// The security port's contract: what the Win32 adapter and the scripted double must both answer, on
// scratch files and folders that each subject makes for the test.
#pragma once

#include "contract/port_suite.h"
#include "os/security.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class security_subject : public port_subject {
public:
    [[nodiscard]] virtual os::security& security() = 0;
    // A new, empty file and a new folder in a scratch folder of the subject's own; both go when the
    // subject does.
    [[nodiscard]] virtual std::wstring make_file() = 0;
    [[nodiscard]] virtual std::wstring make_folder() = 0;
    // A path in the scratch folder where nothing is.
    [[nodiscard]] virtual std::wstring missing_path() = 0;
    [[nodiscard]] virtual bool is_wine() const { return false; }
};

class SecurityContract : public port_suite<security_subject> {
protected:
    os::security& security() { return subject().security(); }
};

}  // namespace contract
