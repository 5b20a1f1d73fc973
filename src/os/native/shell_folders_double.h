// Native double of the shell-folders port: a table of folder paths, failures a test injects, and
// call counters for the tests that check what is asked of the shell and how often.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "os/shell_folders.h"

namespace os::native {

class shell_folders_double final : public shell_folders {
public:
    // The folders of a default 64-bit Windows installation for the user "tester".
    shell_folders_double();

    void set_known_folder(const known_folder_id& id, std::wstring path);
    // The next lookups of `id` fail with `hresult` (0 removes the failure).
    void fail_known_folder(const known_folder_id& id, std::int32_t hresult);
    void set_special_folder(int csidl, std::wstring path);
    // A configured folder that does not exist yet: it is reported only when asked to create it.
    void set_missing(int csidl, bool missing);

    int known_folder_calls = 0;
    std::vector<known_folder_id> known_folders_asked;
    // The folders the shell was told were created, in order.
    std::vector<std::wstring> folders_notified;
    std::vector<std::uint32_t> known_folder_flags_asked;
    std::set<int> created;  // CSIDLs the program asked to create

    std::int32_t known_folder_path(const known_folder_id& id, std::uint32_t flags, std::wstring& path) override;
    bool special_folder_path(shell_owner owner, int csidl, bool create, std::wstring& path) override;
    std::int32_t folder_path(shell_owner owner, int csidl, std::uint32_t type, std::wstring& path) override;
    void notify_folder_created(std::wstring_view folder) override { folders_notified.emplace_back(folder); }

private:
    struct id_less {
        bool operator()(const known_folder_id& a, const known_folder_id& b) const noexcept;
    };
    std::map<known_folder_id, std::wstring, id_less> known_;
    std::map<known_folder_id, std::int32_t, id_less> known_failures_;
    std::map<int, std::wstring> special_;
    std::set<int> missing_;
};

}  // namespace os::native
