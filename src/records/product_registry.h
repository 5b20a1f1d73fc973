// The product's settings in the registry: the installed main program's path under the company
// key, and the two reading operations that the detection of an earlier installation uses.
#pragma once

#include "res/product_identity.h"
#include "os/file_system.h"
#include "os/registry.h"

#include <mutex>
#include <string>
#include <string_view>

namespace records {

inline const std::wstring company_key = product::company_key();
inline const std::wstring product_path_value = product::product_path_value();

// RegOpenKeyExW with MAXIMUM_ALLOWED.  An empty key when the subkey does not exist; any other
// error throws std::system_error with the Windows code (os::win_category()).
[[nodiscard]] os::unique_key OpenKeyForReading(os::registry& registry, os::registry_handle root,
                                               std::wstring_view subkey);

// Fills `value` with a REG_SZ or REG_EXPAND_SZ value taken literally (no expansion), without its
// terminating null; embedded nulls are kept.  False for a missing value, another type, an odd
// size, or data not ended by a null (`value` is then unchanged).  Other errors throw
// std::system_error.
[[nodiscard]] bool ReadStringValue(os::registry& registry, os::registry_handle key, std::wstring_view name,
                                   std::wstring& value);

// The installed main program's path, read once and kept for the life of this object (the program
// has one).  Thread-safe.
class product_registry {
public:
    product_registry(os::registry& registry, os::file_system& files) : registry_(registry), files_(files) {}

    // The path registered under the company key when an item exists there, else empty.  The first
    // call reads the registry; later calls give the same answer.  Registry errors other than
    // "not found" count as a missing value, so that start-up never stops here.
    [[nodiscard]] std::wstring ReadProductPath();

private:
    [[nodiscard]] std::wstring compute() const;

    os::registry& registry_;
    os::file_system& files_;
    std::once_flag once_;
    std::wstring path_;
};

}  // namespace records
