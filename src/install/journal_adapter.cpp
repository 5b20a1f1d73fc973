// The UninstallLog journal behind the extraction (see journal_adapter.h).
#include "install/journal_adapter.h"

#include "payload/payload_entry.h"

namespace install {

std::error_code uninstall_log_journal::record_file(std::wstring_view path, std::uint32_t kind, bool copy,
                                                   std::wstring_view trusted) {
    return log_.RecordFile(path, static_cast<std::int32_t>(kind), copy, trusted);
}

void uninstall_log_journal::record_existing_shared_file(std::wstring_view path) {
    // The file stays whatever happens; a copy that cannot be made only leaves the record without one.
    (void)log_.RecordFile(path, static_cast<std::int32_t>(payload::entry_kind::shared_data), true);
    log_.CompleteLast(true);
}

}  // namespace install
