// Native double of the shell-links port: a link is a small file of the machine holding its target
// and working folder, so that the journal can move, back up and delete it like a real link.
#pragma once

#include "os/file_system.h"
#include "os/shell_links.h"

#include <cstdint>

namespace os::native {

class file_links final : public shell_links {
public:
    explicit file_links(file_system& files) : files_(files) {}

    // The next save or read answers this HRESULT without doing anything (0 removes the failure).
    void fail_next(std::int32_t hresult) { next_failure_ = hresult; }

    // Saving into a missing folder fails with the file system's error as an HRESULT (0x80070003).
    std::int32_t save_link(std::wstring_view link_path, const shell_link& link) override;
    std::int32_t read_link(std::wstring_view link_path, shell_link& link) override;

private:
    file_system& files_;
    std::int32_t next_failure_ = 0;
};

}  // namespace os::native
