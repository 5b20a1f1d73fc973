// Driving the installation journal from the extraction's notifications (see extraction_journal.h).
#include "payload/extraction_journal.h"

#include "payload/placement.h"

#include <memory>

namespace payload {

notification_callback journaled_callback(extraction_journal& journal, std::vector<std::wstring>& temporary_files,
                                         notification_callback inner) {
    auto pending = std::make_shared<bool>(false);
    return [&journal, &temporary_files, inner = std::move(inner), pending](notification n) {
        using namespace notifications;
        if (auto* b = std::get_if<file_begin>(&n)) {
            const auto answer = inner ? inner(n) : notification::result::proceed;
            if (answer != notification::result::proceed) return answer;  // nothing is placed
            // Recorded after the caller's decision and before the reader opens the file.
            const payload_entry& e = *b->entry;
            if (e.kind == entry_kind::temporary) {
                temporary_files.push_back(e.destination);
            } else {
                *pending = true;
                if (auto ec = journal.record_file(e.destination, e.kind, e.kind == entry_kind::shared_data,
                                                  e.destination_root))
                    throw file_error(ec, "backup", e.destination);
            }
            return answer;
        }
        if (std::holds_alternative<file_end>(n) && *pending) {
            journal.complete_last(true);
            *pending = false;
        } else if (std::holds_alternative<failed>(n) && *pending) {
            journal.complete_last(false);
            *pending = false;
        }
        return inner ? inner(std::move(n)) : notification::result::proceed;
    };
}

}  // namespace payload
