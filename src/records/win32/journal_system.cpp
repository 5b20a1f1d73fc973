// Win32-only: the shell notification, file identity and current directory the journal asks for.
#include "records/journal_wiring.h"

#include <windows.h>
#include <shlobj.h>

namespace records {
namespace {

// The open file of a path (any item, folders included), closed on destruction.
class identity_handle {
public:
    explicit identity_handle(std::wstring_view path) {
        const std::wstring name(path);
        handle_ = CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    }
    ~identity_handle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    identity_handle(const identity_handle&) = delete;
    identity_handle& operator=(const identity_handle&) = delete;
    [[nodiscard]] bool info(BY_HANDLE_FILE_INFORMATION& out) const {
        return handle_ != INVALID_HANDLE_VALUE && GetFileInformationByHandle(handle_, &out) != FALSE;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

}  // namespace

void notify_folder_created(std::wstring_view folder) {
    const std::wstring path(folder);
    SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHW, path.c_str(), nullptr);
}

std::optional<bool> same_file_item(std::wstring_view a, std::wstring_view b) {
    BY_HANDLE_FILE_INFORMATION x{}, y{};
    const identity_handle first(a), second(b);
    if (!first.info(x) || !second.info(y)) return std::nullopt;
    return x.dwVolumeSerialNumber == y.dwVolumeSerialNumber && x.nFileIndexHigh == y.nFileIndexHigh &&
           x.nFileIndexLow == y.nFileIndexLow;
}

std::wstring current_directory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (n == 0) return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return buffer;
        }
        buffer.resize(n);
    }
}

}  // namespace records
