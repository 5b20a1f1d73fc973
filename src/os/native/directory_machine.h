// A Windows machine kept in a folder of the host: the file-system and shell-folders ports over a
// root directory, for tests and for setup-tool.
//
// Drive letters are folders under the root (C: is ROOT/C).  Names are matched without regard to
// case and kept as first written; the operations fail with the Windows codes Windows gives (2, 3,
// 5, 32, 80, 145, 183 ...).  The read-only attribute is the owner's write permission of the host
// file and is honoured by writes, deletes and overwrites whoever runs the tests; other attribute
// bits live in the machine.  Open files share and deny access as CreateFileW's share modes say,
// within this machine object.  A new machine creates the folders of a default Windows
// installation (Windows, Program Files, ProgramData, the user's profile, Public) when missing.
//
// Each drive letter is a volume of its own: a move from one to another fails with 17 unless
// copying is allowed, as between Windows volumes.  A symbolic link of the host under the root is a
// reparse point (a symbolic link's tag) to the queries, and is followed by every other operation,
// as Windows follows a planted junction or link.  The descriptor given to a secured folder is kept
// for the tests to read; the host folder's permissions do not change.
#pragma once

#include "os/file_system.h"
#include "os/shell_folders.h"
#include "os/win_error.h"

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace os::native {

class directory_machine final : public file_system, public shell_folders {
public:
    // Uses (and creates when missing) `root`; `user` names the profile folder C:\Users\<user>.
    explicit directory_machine(std::filesystem::path root, std::wstring user = L"User");
    ~directory_machine() override;
    directory_machine(const directory_machine&) = delete;
    directory_machine& operator=(const directory_machine&) = delete;

    [[nodiscard]] const std::filesystem::path& root() const noexcept { return root_; }

    // The host path that a Windows path names (existing names matched without case), or nullopt
    // for a path that is not drive-absolute or names an invalid character.
    [[nodiscard]] std::optional<std::filesystem::path> host_path(std::wstring_view path) const;

    // The folder a CSIDL names, or "" when it has none; changing it models a redirected or missing
    // folder (an empty path makes the shell report nothing for it).
    [[nodiscard]] std::wstring special_folder(int csidl) const;
    void set_special_folder(int csidl, std::wstring path);
    // What GetTempPathW returns (with its trailing backslash); "" makes it fail with `temp_error`.
    void set_temp_path(std::wstring path, std::uint32_t temp_error = errc::path_not_found);
    // The folders the shell was told were created, in order.
    [[nodiscard]] const std::vector<std::wstring>& folders_notified() const noexcept { return folders_notified_; }
    // What GetCurrentDirectoryW returns: the profile folder C:\Users\<user> at the start.
    void set_current_directory(std::wstring path) { current_directory_ = std::move(path); }

    // Called at the start of every open() with the path and access asked for: lets a test act as
    // another process at that moment (hold the file open, remove a folder).  Not called again for
    // opens made from inside the hook.
    using open_hook = std::function<void(std::wstring_view path, file_access access)>;
    void set_open_hook(open_hook hook);

    // The descriptor a folder was created with by create_directory_secured, or nothing.
    [[nodiscard]] std::optional<std::vector<std::byte>> descriptor_of(std::wstring_view folder) const;

    // file_system
    [[nodiscard]] std::error_code open(std::wstring_view path, file_access access, file_disposition disposition,
                                       std::uint32_t share, std::unique_ptr<file>& opened) override;
    [[nodiscard]] std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override;
    [[nodiscard]] std::error_code set_attributes(std::wstring_view path, std::uint32_t attributes) override;
    [[nodiscard]] std::error_code create_directory(std::wstring_view path) override;
    [[nodiscard]] std::error_code create_directory_secured(std::wstring_view path,
                                                           std::span<const std::byte> descriptor) override;
    [[nodiscard]] std::error_code query_item(std::wstring_view path, item_information& info) override;
    // The host file's device and inode where the host has them (links followed); 50 elsewhere.
    [[nodiscard]] std::error_code identity(std::wstring_view path, item_identity& id) override;
    [[nodiscard]] std::error_code current_directory(std::wstring& path) override;
    [[nodiscard]] std::error_code remove_directory(std::wstring_view path) override;
    [[nodiscard]] std::error_code delete_file(std::wstring_view path) override;
    [[nodiscard]] std::error_code copy_file(std::wstring_view from, std::wstring_view to, bool fail_if_exists) override;
    [[nodiscard]] std::error_code move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) override;
    [[nodiscard]] std::error_code temp_path(std::wstring& path) override;
    [[nodiscard]] std::error_code temp_file_name(std::wstring_view folder, std::wstring_view prefix,
                                                 std::wstring& path) override;
    [[nodiscard]] std::error_code list_directory(std::wstring_view folder,
                                                 std::vector<directory_entry>& entries) override;

    // shell_folders
    [[nodiscard]] std::int32_t known_folder_path(const known_folder_id& id, std::uint32_t flags,
                                                 std::wstring& path) override;
    [[nodiscard]] bool special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) override;
    [[nodiscard]] std::int32_t folder_path(shell_owner owner, int csidl, std::uint32_t type,
                                           std::wstring& path) override;
    void notify_folder_created(std::wstring_view folder) override { folders_notified_.emplace_back(folder); }

    struct open_record;  // one open handle, for the share checks

private:
    class open_file;
    struct lookup;

    [[nodiscard]] lookup find(std::wstring_view path) const;
    [[nodiscard]] std::error_code share_conflict(const std::string& key, file_access access, std::uint32_t share) const;
    [[nodiscard]] bool open_without_share(const std::string& key, std::uint32_t needed) const;
    [[nodiscard]] std::uint32_t attributes_of(const std::filesystem::path& host) const;
    [[nodiscard]] std::error_code create_folders(std::wstring_view path);
    void forget(open_record* record);

    std::filesystem::path root_;
    std::map<int, std::wstring> special_;
    std::wstring temp_path_;
    std::wstring current_directory_;
    std::vector<std::wstring> folders_notified_;
    std::uint32_t temp_error_ = errc::path_not_found;
    std::map<std::string, std::uint32_t> extra_attributes_;      // host path -> bits other than read-only
    std::map<std::string, std::vector<open_record*>> open_;      // host path -> open handles
    std::map<std::string, std::vector<std::byte>> descriptors_;  // host path -> descriptor of a secured folder
    std::shared_ptr<bool> alive_;
    open_hook hook_;
    bool in_hook_ = false;
    unsigned temp_counter_ = 0;
};

}  // namespace os::native
