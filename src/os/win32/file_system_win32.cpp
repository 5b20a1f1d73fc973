// Win32-only: the file-system port over CreateFileW, ReadFile, WriteFile and their neighbours.
#include "os/win32/file_system_win32.h"

#include <windows.h>

#include "os/win32/unique_handle.h"
#include "os/win_error.h"

#include <array>
#include <vector>

namespace os::win32 {

namespace {

struct file_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type handle) noexcept { CloseHandle(handle); }
};
// A file handle, whose empty value is INVALID_HANDLE_VALUE; see CreateFileW.
using unique_hfile = unique_any<file_handle_traits>;

struct find_handle_traits {
    using type = HANDLE;
    static type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(type handle) noexcept { FindClose(handle); }
};
// A search handle; see FindFirstFileW.
using unique_hfind = unique_any<find_handle_traits>;

[[nodiscard]] std::error_code last_error() { return win_error(GetLastError()); }
[[nodiscard]] std::error_code check(BOOL ok) { return ok ? std::error_code{} : last_error(); }
[[nodiscard]] std::wstring null_terminated(std::wstring_view s) { return std::wstring(s); }

class win32_file final : public file {
public:
    explicit win32_file(unique_hfile handle) : handle_(std::move(handle)) {}

    std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
        std::size_t total = 0;
        // ReadFile takes a DWORD: a larger buffer is read in pieces.
        while (total < buffer.size()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(buffer.size() - total, 1u << 30));
            DWORD got = 0;
            if (!ReadFile(handle_.get(), buffer.data() + total, want, &got, nullptr)) return last_error();
            total += got;
            if (got < want) break;
        }
        count = total;
        return {};
    }
    std::error_code write(std::span<const std::byte> data) override {
        std::size_t done = 0;
        while (done < data.size()) {
            const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 30));
            DWORD put = 0;
            if (!WriteFile(handle_.get(), data.data() + done, want, &put, nullptr)) return last_error();
            if (put == 0) return win_error(ERROR_WRITE_FAULT);
            done += put;
        }
        return {};
    }
    std::error_code seek(std::uint64_t offset) override {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        return check(SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN));
    }
    std::error_code size(std::uint64_t& bytes) override {
        LARGE_INTEGER s;
        if (!GetFileSizeEx(handle_.get(), &s)) return last_error();
        bytes = static_cast<std::uint64_t>(s.QuadPart);
        return {};
    }
    std::error_code flush() override { return check(FlushFileBuffers(handle_.get())); }
    std::error_code close() override {
        if (!handle_) return {};
        const BOOL ok = CloseHandle(handle_.release());
        return check(ok);
    }

private:
    unique_hfile handle_;
};

}  // namespace

std::error_code file_system_adapter::open(std::wstring_view path, file_access access, file_disposition disposition,
                                          std::uint32_t share, std::unique_ptr<file>& opened) {
    DWORD desired = 0;
    if (access != file_access::write) desired |= GENERIC_READ;
    if (access != file_access::read) desired |= GENERIC_WRITE;
    unique_hfile handle(CreateFileW(null_terminated(path).c_str(), desired, share, nullptr,
                                    static_cast<DWORD>(disposition), FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle) return last_error();
    opened = std::make_unique<win32_file>(std::move(handle));
    return {};
}

std::error_code file_system_adapter::get_attributes(std::wstring_view path, std::uint32_t& attributes) {
    const DWORD a = GetFileAttributesW(null_terminated(path).c_str());
    if (a == INVALID_FILE_ATTRIBUTES) return last_error();
    attributes = a;
    return {};
}

std::error_code file_system_adapter::set_attributes(std::wstring_view path, std::uint32_t attributes) {
    return check(SetFileAttributesW(null_terminated(path).c_str(), attributes));
}

std::error_code file_system_adapter::create_directory(std::wstring_view path) {
    return check(CreateDirectoryW(null_terminated(path).c_str(), nullptr));
}

std::error_code file_system_adapter::create_directory_secured(std::wstring_view path,
                                                              std::span<const std::byte> descriptor) {
    std::vector<std::byte> copy(descriptor.begin(), descriptor.end());  // the API takes a mutable pointer
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof attributes;
    attributes.lpSecurityDescriptor = copy.empty() ? nullptr : copy.data();
    attributes.bInheritHandle = FALSE;
    return check(CreateDirectoryW(null_terminated(path).c_str(), &attributes));
}

std::error_code file_system_adapter::query_item(std::wstring_view path, item_information& info) {
    const std::wstring name = null_terminated(path);
    unique_hfile handle(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return last_error();
    BY_HANDLE_FILE_INFORMATION by_handle{};
    if (!GetFileInformationByHandle(handle.get(), &by_handle)) return last_error();
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(handle.get(), FileAttributeTagInfo, &tag, sizeof tag)) return last_error();
    item_information out;
    out.attributes = by_handle.dwFileAttributes | tag.FileAttributes;
    out.reparse_tag = (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? tag.ReparseTag : 0;
    out.link_count = by_handle.nNumberOfLinks;
    out.volume_serial = by_handle.dwVolumeSerialNumber;
    // Wine answers a Unix symbolic link's handle with the target's attributes but marks the link in
    // what the path query reports; either answer makes it a link.
    const DWORD by_path = GetFileAttributesW(name.c_str());
    if (by_path != INVALID_FILE_ATTRIBUTES) out.attributes |= by_path & FILE_ATTRIBUTE_REPARSE_POINT;
    info = out;
    return {};
}

std::error_code file_system_adapter::identity(std::wstring_view path, item_identity& id) {
    const std::wstring name = null_terminated(path);
    unique_hfile handle(CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle) return last_error();
    BY_HANDLE_FILE_INFORMATION by_handle{};
    if (!GetFileInformationByHandle(handle.get(), &by_handle)) return last_error();
    id.volume_serial = by_handle.dwVolumeSerialNumber;
    id.file_index = (std::uint64_t{by_handle.nFileIndexHigh} << 32) | by_handle.nFileIndexLow;
    return {};
}

std::error_code file_system_adapter::current_directory(std::wstring& path) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD needed = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (needed == 0) return last_error();
        if (needed < buffer.size()) {
            buffer.resize(needed);
            path = std::move(buffer);
            return {};
        }
        buffer.resize(needed);
    }
}

std::error_code file_system_adapter::remove_directory(std::wstring_view path) {
    return check(RemoveDirectoryW(null_terminated(path).c_str()));
}

std::error_code file_system_adapter::delete_file(std::wstring_view path) {
    return check(DeleteFileW(null_terminated(path).c_str()));
}

std::error_code file_system_adapter::copy_file(std::wstring_view from, std::wstring_view to, bool fail_if_exists) {
    return check(CopyFileW(null_terminated(from).c_str(), null_terminated(to).c_str(), fail_if_exists));
}

std::error_code file_system_adapter::move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) {
    return check(MoveFileExW(null_terminated(from).c_str(), null_terminated(to).c_str(),
                             flags & (MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)));
}

std::error_code file_system_adapter::temp_path(std::wstring& path) {
    std::array<wchar_t, MAX_PATH + 1> buffer{};
    const DWORD n = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (n == 0) return last_error();
    if (n > buffer.size()) return win_error(ERROR_INSUFFICIENT_BUFFER);
    path.assign(buffer.data(), n);
    return {};
}

std::error_code file_system_adapter::temp_file_name(std::wstring_view folder, std::wstring_view prefix,
                                                    std::wstring& path) {
    std::array<wchar_t, MAX_PATH> buffer{};
    if (!GetTempFileNameW(null_terminated(folder).c_str(), null_terminated(prefix).c_str(), 0, buffer.data()))
        return last_error();
    path = buffer.data();
    return {};
}

std::error_code file_system_adapter::list_directory(std::wstring_view folder, std::vector<directory_entry>& entries) {
    std::wstring pattern(folder);
    if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW data;
    unique_hfind find(FindFirstFileW(pattern.c_str(), &data));
    if (!find) {
        // An empty folder still lists "." and ".."; "no files" only comes from a missing one.
        const DWORD e = GetLastError();
        return win_error(e == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : e);
    }
    std::vector<directory_entry> out;
    do {
        const std::wstring_view name(data.cFileName);
        if (name == L"." || name == L"..") continue;
        out.push_back({std::wstring(name), data.dwFileAttributes,
                       (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow});
    } while (FindNextFileW(find.get(), &data));
    if (GetLastError() != ERROR_NO_MORE_FILES) return last_error();
    entries = std::move(out);
    return {};
}

}  // namespace os::win32
