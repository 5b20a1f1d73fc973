// The shell-links port: a shortcut file saved and read back through the shell's link object
// (CLSID_ShellLink, IShellLinkW, IPersistFile), with COM initialised around each operation.
//
// Results are HRESULTs: 0 (S_OK) on success, a failing code otherwise.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace os {

struct shell_link {
    std::wstring target;          // the linked file's full path
    std::wstring working_folder;  // the folder the target starts in
};

class shell_links {
public:
    virtual ~shell_links() = default;

    // CoInitializeEx(single-threaded apartment), then a link object with the path and working
    // directory set (their results are not checked), saved through IPersistFile::Save(path, TRUE):
    // an existing file is overwritten.  COM is uninitialised again.  A failed initialisation is
    // answered without touching COM further; on any failure no link file is promised.
    [[nodiscard]] virtual std::int32_t save_link(std::wstring_view link_path, const shell_link& link) = 0;
    // Loads the link file and reads its path and working directory back; `link` is unchanged on failure.
    [[nodiscard]] virtual std::int32_t read_link(std::wstring_view link_path, shell_link& link) = 0;
};

}  // namespace os
