// The version resource of the running program or of another executable file, and the answers the
// program asks of it: the file version, single string values and a display title.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "vd/version_block.h"

namespace os {
class file_system;
class resources;
}  // namespace os

namespace vd {

// The running module's version block (resource 1 of type 16) as the resources give it now; the
// bytes stay in the loaded module.  Empty when the module has none.
[[nodiscard]] std::span<const std::byte> running_module_version_block(os::resources& resources);

class version_info {
public:
    // The running program's own version resource, looked up in `resources`; the object points into
    // the loaded resource and copies nothing.
    explicit version_info(os::resources& resources);
    // A copy of the version resource of the executable file at `path`.  A missing or unreadable
    // file, or one without a version resource, gives an object without information.
    version_info(os::file_system& files, std::wstring_view path);
    // Over a version block that the caller keeps alive for the life of the object.
    explicit version_info(std::span<const std::byte> block);

    version_info(version_info&&) noexcept = default;
    version_info& operator=(version_info&&) noexcept = default;
    version_info(const version_info&) = delete;
    version_info& operator=(const version_info&) = delete;

    // Bytes of the block; 0 means no version information.
    [[nodiscard]] std::size_t size() const noexcept { return block_.size(); }
    [[nodiscard]] bool has_fixed_info() const noexcept { return has_fixed_; }
    [[nodiscard]] const fixed_file_info& fixed_info() const noexcept { return fixed_; }
    // dwFileVersionMS in the high half, dwFileVersionLS in the low half; 0 without root value.
    [[nodiscard]] std::uint64_t file_version() const noexcept;
    // One key ("040004b0") per translation of code page 1200, in the order listed.
    [[nodiscard]] const std::vector<std::wstring>& translations() const noexcept { return translations_; }

    // The value `name` of the first translation's string table; empty when absent.
    [[nodiscard]] std::wstring string_value(std::wstring_view name) const;
    [[nodiscard]] std::wstring product_name() const { return string_value(L"ProductName"); }
    [[nodiscard]] std::wstring product_version() const { return string_value(L"ProductVersion"); }
    [[nodiscard]] std::wstring legal_copyright() const { return string_value(L"LegalCopyright"); }
    // The product name.  Other products of the family put a regional word into theirs; this program's
    // product code has none, so the name stays as stored.
    [[nodiscard]] std::wstring display_name() const;
    // Display name, product version and build flags.  `lcid` is the interface language's locale:
    // a French one keeps the pre-release word "bêta" as written.
    [[nodiscard]] std::wstring product_title(std::uint32_t lcid) const;

private:
    void initialise();

    std::vector<std::byte> owned_;
    std::span<const std::byte> block_;
    bool has_fixed_ = false;
    fixed_file_info fixed_;
    std::vector<std::wstring> translations_;
};

}  // namespace vd
