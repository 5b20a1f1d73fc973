// The run's temporary files: the payload files of kind 5 extracted into the temporary folder,
// deleted with the folder when the run ends, whichever way it ends.
#pragma once

#include "os/file_system.h"

#include <string>
#include <vector>

namespace install {

class temporary_files {
public:
    temporary_files(os::file_system& files, std::wstring folder) : files_(files), folder_(std::move(folder)) {}
    // Deletes every listed file (read-only or not), then the folder; errors are ignored.
    ~temporary_files();
    temporary_files(const temporary_files&) = delete;
    temporary_files& operator=(const temporary_files&) = delete;

    // The list the extraction adds the extracted temporary files to.
    [[nodiscard]] std::vector<std::wstring>& paths() noexcept { return paths_; }

private:
    os::file_system& files_;
    std::wstring folder_;
    std::vector<std::wstring> paths_;
};

}  // namespace install
