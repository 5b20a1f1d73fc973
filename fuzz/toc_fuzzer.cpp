// Fuzzes the payload reader's table of contents and destination tokens: the input is a decompressed
// archive (its first byte chooses whether data_offset is taken as written or set to the input's
// size, so that the parser is reached often) pushed through the extractor in odd chunks with every
// file skipped, then each folder field is resolved on its own.
#include "os/win_error.h"
#include "vd/utf16.h"
#include "payload/compress_error.h"
#include "payload/destination.h"
#include "payload/payload_extractor.h"
#include "payload/table_of_contents.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Folders of a default installation; nothing touches a disk.
class fake_folders final : public os::shell_folders {
public:
    std::int32_t known_folder_path(const os::known_folder_id&, std::uint32_t, std::wstring& path) override {
        path = L"C:\\ProgramData";
        return 0;
    }
    bool special_folder_path(os::shell_owner, int csidl, bool, std::wstring& path) override {
        path = L"C:\\Folder" + std::to_wstring(csidl);
        return csidl != os::csidl::common_appdata;  // exercise a fallback
    }
    std::int32_t folder_path(os::shell_owner, int csidl, std::uint32_t, std::wstring& path) override {
        if (csidl == os::csidl::common_desktopdirectory) return 1;  // and a missing folder
        path = L"C:\\Folder" + std::to_wstring(csidl);
        return 0;
    }
    void notify_folder_created(std::wstring_view) override {}
};

// A file system that refuses everything: skipped entries must never reach it.
class refusing_files final : public os::file_system {
public:
    std::error_code no() { return os::win_error(os::errc::access_denied); }
    std::error_code open(std::wstring_view, os::file_access, os::file_disposition, std::uint32_t,
                         std::unique_ptr<os::file>&) override {
        __builtin_trap();
    }
    std::error_code get_attributes(std::wstring_view, std::uint32_t&) override { return no(); }
    std::error_code set_attributes(std::wstring_view, std::uint32_t) override { return no(); }
    std::error_code create_directory(std::wstring_view) override { return no(); }
    std::error_code create_directory_secured(std::wstring_view, std::span<const std::byte>) override { return no(); }
    std::error_code query_item(std::wstring_view, os::item_information&) override { return no(); }
    std::error_code remove_directory(std::wstring_view) override { return no(); }
    std::error_code delete_file(std::wstring_view) override { return no(); }
    std::error_code copy_file(std::wstring_view, std::wstring_view, bool) override { return no(); }
    std::error_code move_file(std::wstring_view, std::wstring_view, std::uint32_t) override { return no(); }
    std::error_code temp_path(std::wstring&) override { return no(); }
    std::error_code temp_file_name(std::wstring_view, std::wstring_view, std::wstring&) override { return no(); }
    std::error_code list_directory(std::wstring_view, std::vector<os::directory_entry>&) override { return no(); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool fix_offset = data[0] & 1;
    const std::size_t chunk = 1 + (data[0] >> 1);
    std::vector<std::byte> input(size - 1);
    if (!input.empty()) std::memcpy(input.data(), data + 1, input.size());
    if (fix_offset && input.size() >= 8) {
        // data_offset = everything but a tail of file data of (data[0] >> 4) bytes
        const std::uint64_t tail = std::min<std::uint64_t>(data[0] >> 4, input.size() - 8);
        const std::uint64_t offset = input.size() - tail;
        payload::set_toc_data_offset(input, offset);
    }

    fake_folders folders;
    refusing_files files;
    payload::payload_ports ports{files, folders, {}, {}, 0};
    payload::destination_inputs inputs{L"C:\\Program Files\\X", L"Examples", L""};
    try {
        payload::payload_extractor extractor(ports, inputs, [](payload::notification n) {
            return n.index() == 2 ? payload::notification::result::skip : payload::notification::result::proceed;
        });
        for (std::size_t at = 0; at < input.size();) {
            const std::size_t n = std::min(chunk, input.size() - at);
            const std::size_t used = extractor.write(input.data() + at, n);
            if (used > n) __builtin_trap();
            at += used;
            if (used == 0 && extractor.consumed() == 0) __builtin_trap();  // only zero-size entries consume nothing
        }
        extractor.finish();
    } catch (const std::exception&) {}

    // The table parser and the resolver on their own.
    try {
        for (const auto& e : payload::parse_table_of_contents(input)) {
            payload::shared_folder_list shared;
            payload::destination_resolver resolver(folders, 0, inputs, shared);
            try {
                (void)resolver.resolve_destination(e.destination);
            } catch (const payload::compress_error&) {}
        }
    } catch (const payload::compress_error&) {}
    // The input as one folder field.
    const std::u16string units = vd::utf16le_units(input);
    payload::shared_folder_list shared;
    payload::destination_resolver resolver(folders, 0, inputs, shared);
    try {
        (void)resolver.resolve_destination(vd::from_utf16(units));
    } catch (const payload::compress_error&) {}
    return 0;
}
