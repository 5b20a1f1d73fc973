// The installation journal as the payload extraction sees it: UninstallLog behind the extraction's
// journal interface.
#pragma once

#include "payload/extraction_journal.h"
#include "records/uninstall_log.h"

namespace install {

class uninstall_log_journal final : public payload::extraction_journal {
public:
    explicit uninstall_log_journal(UninstallLog& log) : log_(log) {}

    std::error_code record_file(std::wstring_view path, std::uint32_t kind, bool copy,
                                std::wstring_view trusted) override;
    void complete_last(bool succeeded) override { log_.CompleteLast(succeeded); }
    // A shared data file that is already there and stays: recorded as placed, so that the
    // uninstaller knows the product uses it, and completed at once.
    void record_existing_shared_file(std::wstring_view path);

private:
    UninstallLog& log_;
};

}  // namespace install
