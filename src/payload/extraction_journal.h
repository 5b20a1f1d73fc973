// The installation journal as the extraction sees it: each file is recorded (its missing folders
// created and recorded, an existing file set aside) before the reader opens it, and its outcome is
// stored once the reader is done with it.  The records side implements the interface; the wrapper
// below turns a notification callback into one that drives the journal.
#pragma once

#include "payload/notification.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace payload {

class extraction_journal {
public:
    virtual ~extraction_journal() = default;
    // Before the file at `path` is written: creates and records its missing folders and records the
    // file with a backup of what is there (`copy` asks for the backup to be a copy, for shared data
    // of kind 3, rather than a move).  No level below `trusted` (the token's folder) may be a link.
    // The record is made in every case; an error means the file must not be written (a link in the
    // way, or an existing file that could not be backed up).
    [[nodiscard]] virtual std::error_code record_file(std::wstring_view path, std::uint32_t kind, bool copy,
                                                      std::wstring_view trusted) = 0;
    // Stores the outcome of the step recorded last.
    virtual void complete_last(bool succeeded) = 0;
};

// A callback that passes file_begin to `inner` and, when it answers proceed, records the file in
// `journal` (temporary files, kind 5, are listed in `temporary_files` instead) before the reader
// opens it; it completes the record on file_end, and completes a record left pending by a failure
// with false.  Skipped and aborted files are not recorded.  A file the journal refuses fails the
// extraction with file_error("backup") before anything is written to it.
[[nodiscard]] notification_callback journaled_callback(extraction_journal& journal,
                                                       std::vector<std::wstring>& temporary_files,
                                                       notification_callback inner);

}  // namespace payload
