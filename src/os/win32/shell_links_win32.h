// Win32-only: the shell-links port over the shell's link object (IShellLinkW, IPersistFile).
#pragma once

#include "os/shell_links.h"

namespace os::win32 {

class shell_links_adapter final : public shell_links {
public:
    std::int32_t save_link(std::wstring_view link_path, const shell_link& link) override;
    std::int32_t read_link(std::wstring_view link_path, shell_link& link) override;
};

}  // namespace os::win32
