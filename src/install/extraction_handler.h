// The installation's answers to the payload reader: the check pass before anything is written, the
// decision for each file by its kind, the file lines of the log, the progress bar and the failure.
#pragma once

#include "app/language_state.h"
#include "install/journal_adapter.h"
#include "install/progress_surface.h"
#include "os/file_system.h"
#include "payload/notification.h"
#include "records/previous_installation.h"

#include <cstdint>
#include <functional>
#include <istream>
#include <string>

namespace install {

// The progress bar's position for `done` of `total` bytes, rounded to the nearest percent; 99 while
// anything is left, so that 100 means the end.
[[nodiscard]] int progress_percent(std::uint64_t done, std::uint64_t total) noexcept;

struct extraction_context {
    progress_surface& surface;
    LanguageState& language;
    os::file_system& files;
    UninstallLog& log;
    uninstall_log_journal& journal;
    PreviousInstallState previousOutcome;
    std::istream& payload;  // decoded once by the check pass, then rewound for the extraction
    // Gives the Users group the shared data file rights (vd::security::grant_users_access).
    std::function<bool(std::wstring_view path)> grant_shared_file;
    std::wstring& mainProgramPath;
    std::wstring& uninstallerPath;
};

// The handler before the journal's wrapper (payload::journaled_callback), which records each file
// that the handler answers proceed for.
[[nodiscard]] payload::notification_callback extraction_handler(extraction_context& context);

}  // namespace install
