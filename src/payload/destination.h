// Destination tokens: turning an entry's folder such as <CommonData>\Vendrel & Vodoraru\Materials
// into a real path, and remembering the shared folders that all users get full access to.
#pragma once

#include "os/shell_folders.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

// The per-run inputs that tokens refer to.
struct destination_inputs {
    std::wstring install_folder;  // <InstallPath>
    std::wstring examples_name;   // <SamplePath>: a name for a folder on the all-users desktop, or a path
    std::wstring temp_folder;     // <Temporary>; the installation folder when empty
};

struct shared_folder {
    std::wstring path;
    bool granted = false;
};

// Two spellings of one folder: equal element by element (case-sensitive), or equal after
// canonicalising both and ignoring case, as the file system on Windows compares names.
[[nodiscard]] bool same_folder(std::wstring_view a, std::wstring_view b);

class shared_folder_list {
public:
    // Adds `path` unless a listed path denotes the same folder.
    void register_shared_folder(std::wstring_view path);
    [[nodiscard]] std::vector<shared_folder>& folders() noexcept { return folders_; }
    [[nodiscard]] const std::vector<shared_folder>& folders() const noexcept { return folders_; }

private:
    std::vector<shared_folder> folders_;
};

// The shell's folder path of `csidl`, or of `fallback` when the first yields nothing.  Throws
// compress_error(unexpected_error) when neither yields a path.
[[nodiscard]] std::wstring lookup_known_folder(os::shell_folders& folders, os::shell_owner owner, int csidl,
                                               std::optional<int> fallback = std::nullopt);

// Why a folder field cannot be resolved without looking at the machine (an unknown token, a "." or
// ".." element), or nullptr when it is acceptable.
[[nodiscard]] const char* folder_problem(std::wstring_view folder);

class destination_resolver {
public:
    destination_resolver(os::shell_folders& folders, os::shell_owner owner, destination_inputs inputs,
                         shared_folder_list& shared);

    // The real folder for an entry's folder field.  A folder without a token (not bracketed, empty)
    // comes back unchanged.  Throws compress_error(unexpected_error) for an unknown token, for ".."
    // elements (they would leave the token's folder) and when a known folder cannot be found.
    [[nodiscard]] std::wstring resolve_destination(std::wstring_view folder);
    // The same, and `token_folder` becomes the folder the token stands for (the folder's root when
    // it has no token), below which every level is the payload's own.
    [[nodiscard]] std::wstring resolve_destination(std::wstring_view folder, std::wstring& token_folder);

private:
    [[nodiscard]] std::wstring sample_root(bool& register_root, std::wstring& trusted);

    os::shell_folders& folders_;
    os::shell_owner owner_;
    destination_inputs inputs_;
    shared_folder_list& shared_;
};

}  // namespace payload
