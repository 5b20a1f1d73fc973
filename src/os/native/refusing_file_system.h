// A file system that refuses every operation with one Windows error: the base of the small file
// systems of tools, tests and fuzzers that serve a file or two and override only those operations.
#pragma once

#include "os/file_system.h"
#include "os/win_error.h"

namespace os::native {

class refusing_file_system : public file_system {
public:
    explicit refusing_file_system(std::uint32_t error = errc::access_denied) : error_(error) {}

    std::error_code open(std::wstring_view, file_access, file_disposition, std::uint32_t,
                         std::unique_ptr<file>&) override {
        return refused();
    }
    std::error_code get_attributes(std::wstring_view, std::uint32_t&) override { return refused(); }
    std::error_code set_attributes(std::wstring_view, std::uint32_t) override { return refused(); }
    std::error_code create_directory(std::wstring_view) override { return refused(); }
    std::error_code create_directory_secured(std::wstring_view, std::span<const std::byte>) override {
        return refused();
    }
    std::error_code query_item(std::wstring_view, item_information&) override { return refused(); }
    std::error_code remove_directory(std::wstring_view) override { return refused(); }
    std::error_code delete_file(std::wstring_view) override { return refused(); }
    std::error_code copy_file(std::wstring_view, std::wstring_view, bool) override { return refused(); }
    std::error_code move_file(std::wstring_view, std::wstring_view, std::uint32_t) override { return refused(); }
    std::error_code temp_path(std::wstring&) override { return refused(); }
    std::error_code temp_file_name(std::wstring_view, std::wstring_view, std::wstring&) override { return refused(); }
    std::error_code list_directory(std::wstring_view, std::vector<directory_entry>&) override { return refused(); }

protected:
    [[nodiscard]] std::error_code refused() const { return win_error(error_); }

private:
    std::uint32_t error_;
};

}  // namespace os::native
