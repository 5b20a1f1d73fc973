// The file-system port: the Windows file operations the program performs, on Windows paths.
//
// Every operation returns a Windows error code (os::win_error); on error the out parameters are
// left as they were and nothing on disk has changed unless the operation says otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace os {

// FILE_ATTRIBUTE_* bits.
namespace file_attribute {
inline constexpr std::uint32_t readonly = 0x1;
inline constexpr std::uint32_t hidden = 0x2;
inline constexpr std::uint32_t system = 0x4;
inline constexpr std::uint32_t directory = 0x10;
inline constexpr std::uint32_t archive = 0x20;
inline constexpr std::uint32_t normal = 0x80;
inline constexpr std::uint32_t temporary = 0x100;
inline constexpr std::uint32_t reparse_point = 0x400;
}  // namespace file_attribute

// IO_REPARSE_TAG_* values of the links a user can plant.
namespace reparse_tag {
inline constexpr std::uint32_t mount_point = 0xA0000003;  // a junction
inline constexpr std::uint32_t symlink = 0xA000000C;
}  // namespace reparse_tag

// MOVEFILE_* bits.
namespace move_flag {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t replace_existing = 0x1;
// Between volumes the file is copied and the original deleted; without it such a move fails with 17.
inline constexpr std::uint32_t copy_allowed = 0x2;
}  // namespace move_flag

// What the file system tells about an item itself, a link at the end of the path not followed.
struct item_information {
    std::uint32_t attributes = 0;   // FILE_ATTRIBUTE_* of the item; reparse_point for a link
    std::uint32_t reparse_tag = 0;  // the link's IO_REPARSE_TAG_* when known, else 0
    std::uint32_t link_count = 0;   // the names a file has (hard links); 1 for a folder
    std::uint32_t volume_serial = 0;

    [[nodiscard]] bool is_link() const noexcept { return (attributes & file_attribute::reparse_point) != 0; }
};

// Which item a path leads to: the volume and the file's index on it.
struct item_identity {
    std::uint32_t volume_serial = 0;
    std::uint64_t file_index = 0;
    friend bool operator==(const item_identity&, const item_identity&) = default;
};

enum class file_access : std::uint8_t { read, write, read_write };

// CreateFileW dispositions.
enum class file_disposition : std::uint8_t {
    create_new = 1,     // fails with 80 when the file exists
    create_always = 2,  // truncates an existing file
    open_existing = 3,  // fails with 2 when the file does not exist
    open_always = 4,
    truncate_existing = 5,
};

// FILE_SHARE_* bits.
namespace file_share {
inline constexpr std::uint32_t none = 0;
inline constexpr std::uint32_t read = 0x1;
inline constexpr std::uint32_t write = 0x2;
inline constexpr std::uint32_t remove = 0x4;
}  // namespace file_share

// An open file.  Destroying it closes the handle; close() does the same and reports the error.
class file {
public:
    virtual ~file() = default;
    // Reads up to buffer.size() bytes; `count` is 0 at the end of the file.
    [[nodiscard]] virtual std::error_code read(std::span<std::byte> buffer, std::size_t& count) = 0;
    // Writes all of `data` or fails.
    [[nodiscard]] virtual std::error_code write(std::span<const std::byte> data) = 0;
    [[nodiscard]] virtual std::error_code seek(std::uint64_t offset) = 0;
    [[nodiscard]] virtual std::error_code size(std::uint64_t& bytes) = 0;
    // FlushFileBuffers: what was written is on the disk, not only in buffers, when this succeeds; 5 for
    // a file not opened for writing.  A file that keeps nothing in buffers has nothing to do.
    [[nodiscard]] virtual std::error_code flush() { return {}; }
    [[nodiscard]] virtual std::error_code close() = 0;
};

struct directory_entry {
    std::wstring name;  // as stored, without the folder
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

class file_system {
public:
    virtual ~file_system() = default;

    // CreateFileW.
    [[nodiscard]] virtual std::error_code open(std::wstring_view path, file_access access, file_disposition disposition,
                                               std::uint32_t share, std::unique_ptr<file>& opened) = 0;
    // GetFileAttributesW: 2 or 3 when nothing is there.
    [[nodiscard]] virtual std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) = 0;
    // SetFileAttributesW.
    [[nodiscard]] virtual std::error_code set_attributes(std::wstring_view path, std::uint32_t attributes) = 0;
    // CreateDirectoryW: one level; 183 when it exists, 3 when the parent is missing.
    [[nodiscard]] virtual std::error_code create_directory(std::wstring_view path) = 0;
    // CreateDirectoryW with a self-relative security descriptor for the new folder: one level; 183
    // when anything is there already, a link included, so the folder made is always a new one.
    [[nodiscard]] virtual std::error_code create_directory_secured(std::wstring_view path,
                                                                   std::span<const std::byte> descriptor) = 0;
    // CreateFileW with FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS and no access, then
    // the handle's information: the item itself, a link at the end of `path` reported rather than
    // followed.  2 or 3 when nothing is there.
    [[nodiscard]] virtual std::error_code query_item(std::wstring_view path, item_information& info) = 0;
    // CreateFileW with FILE_FLAG_BACKUP_SEMANTICS and no access, links followed, then
    // GetFileInformationByHandle: which item `path` leads to.  2 or 3 when nothing is there; 50
    // (ERROR_NOT_SUPPORTED) where the file system cannot tell.
    [[nodiscard]] virtual std::error_code identity(std::wstring_view path, item_identity& id);
    // GetCurrentDirectoryW: the folder against which relative paths are resolved; 50 where there is
    // none.
    [[nodiscard]] virtual std::error_code current_directory(std::wstring& path);
    // RemoveDirectoryW: 145 when not empty.
    [[nodiscard]] virtual std::error_code remove_directory(std::wstring_view path) = 0;
    // DeleteFileW: 5 for a read-only file.
    [[nodiscard]] virtual std::error_code delete_file(std::wstring_view path) = 0;
    // CopyFileW: attributes are carried over; with fail_if_exists an existing target gives 80.
    [[nodiscard]] virtual std::error_code copy_file(std::wstring_view from, std::wstring_view to,
                                                    bool fail_if_exists) = 0;
    // MoveFileExW with move_flag bits (true stands for replace_existing): 183 for an existing target
    // without replace_existing, 17 between volumes without copy_allowed.
    [[nodiscard]] virtual std::error_code move_file(std::wstring_view from, std::wstring_view to,
                                                    std::uint32_t flags) = 0;
    // GetTempPathW: ends with a backslash.
    [[nodiscard]] virtual std::error_code temp_path(std::wstring& path) = 0;
    // GetTempFileNameW(folder, prefix, 0): creates an empty file with a unique name and returns it.
    [[nodiscard]] virtual std::error_code temp_file_name(std::wstring_view folder, std::wstring_view prefix,
                                                         std::wstring& path) = 0;
    // FindFirstFileW/FindNextFileW over folder\*, without "." and "..".
    [[nodiscard]] virtual std::error_code list_directory(std::wstring_view folder,
                                                         std::vector<directory_entry>& entries) = 0;
};

}  // namespace os
