// The registry port's contract: what the Win32 adapter and the in-memory registry must both answer.
// Each instance file supplies a factory.
#pragma once

#include "contract/port_suite.h"
#include "os/registry.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

// One implementation with a scratch key of its own (empty at the start, deleted at the end) and a
// place for hive files.
class registry_subject : public port_subject {
public:
    [[nodiscard]] virtual os::registry& reg() = 0;
    // The root and path of the scratch key, which exists and is empty.
    [[nodiscard]] virtual os::registry_handle scratch_root() const = 0;
    [[nodiscard]] virtual std::wstring scratch_path() const = 0;
    // A full path for a hive file that does not exist yet.
    [[nodiscard]] virtual std::wstring hive_file(const std::wstring& name) = 0;
    [[nodiscard]] virtual bool file_exists(const std::wstring& path) = 0;
    virtual void write_file(const std::wstring& path, const std::string& bytes) = 0;
    // Enables or disables a privilege of the process.
    virtual void set_privilege(const std::wstring& name, bool enable) = 0;
};

class RegistryContract : public port_suite<registry_subject> {
protected:
    os::registry& reg() { return subject().reg(); }
};

}  // namespace contract
