// The installation journal as the extraction sees it: each file is recorded (its missing folders
// created and recorded, an existing file set aside) before the reader opens it, and its outcome is
// stored once the reader is done with it.  The records side implements the interface; the wrapper
// below turns a notification callback into one that drives the journal.
#pragma once

#include "payload/notification.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace payload {

class extraction_journal {
public:
    virtual ~extraction_journal() = default;
    // Before the file at `path` is written: creates and records its missing folders and records the
    // file with a backup of what is there (`copy` asks for the backup to be a copy, for shared data
    // of kind 3, rather than a move).  Fails silently: the record then has no backup.
    virtual void record_file(std::wstring_view path, std::uint32_t kind, bool copy) = 0;
    // Stores the outcome of the step recorded last.
    virtual void complete_last(bool succeeded) = 0;
};

// A callback that passes file_begin to `inner` and, when it answers proceed, records the file in
// `journal` (temporary files, kind 5, are listed in `temporary_files` instead) before the reader
// opens it; it completes the record on file_end, and completes a record left pending by a failure
// with false.  Skipped and aborted files are not recorded.
[[nodiscard]] notification_callback journaled_callback(extraction_journal& journal,
                                                       std::vector<std::wstring>& temporary_files,
                                                       notification_callback inner);

}  // namespace payload
