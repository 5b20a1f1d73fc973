// The journal object and the writing of the uninstall log.
#include "records/uninstall_log.h"

#include "records/log_file_replacement.h"
#include "records/log_format.h"

UninstallLog::UninstallLog(records::journal_ports ports, journal_identity identity)
    : ports_(std::move(ports)), identity_(std::move(identity)) {}

bool UninstallLog::IsFolder(std::wstring_view path) const {
    std::uint32_t attributes = 0;
    return !ports_.files.get_attributes(path, attributes) && (attributes & os::file_attribute::directory) != 0;
}

bool UninstallLog::Exists(std::wstring_view path) const {
    std::uint32_t attributes = 0;
    return !path.empty() && !ports_.files.get_attributes(path, attributes);
}

bool UninstallLog::WasPlacedBefore(std::wstring_view path) const {
    for (const auto& r : previousRecords_)
        if (r.kind == RecordKind::File && r.flag && r.path == path) return true;
    return false;
}

void UninstallLog::Merge() {
    // From the newest previous record to the oldest, each one that the current records do not
    // replace goes to the front: the kept ones end up in file order ahead of this run's records,
    // and of two previous records for one item only the later survives.
    while (!previousRecords_.empty()) {
        auto last = std::prev(previousRecords_.end());
        bool replaced = false;
        for (const auto& c : currentRecords_) {
            if (c.kind != last->kind) continue;
            if (last->kind == RecordKind::Directory || last->kind == RecordKind::File) {
                if (records::IsSamePath(last->path, c.path, ports_)) replaced = true;
            } else {
                replaced = true;
            }
            if (replaced) break;
        }
        if (replaced)
            previousRecords_.erase(last);
        else
            currentRecords_.splice(currentRecords_.begin(), previousRecords_, last);
    }
}

bool UninstallLog::Write(std::wstring_view logPath, std::wstring_view installFolder, std::wstring_view menuFolder) {
    Merge();

    auto lines = records::header_lines(identity_.productTitle, previousLogTitle_, installFolder, menuFolder);
    std::size_t position = 0;
    for (auto& r : currentRecords_) {
        if (r.kind == RecordKind::UninstallKey)
            r.path = std::wstring(records::uninstall_key_prefix) + identity_.productKeyName;
        else if (r.kind == RecordKind::Registration)
            r.path = std::wstring(records::registration_text);
        lines.push_back(records::record_line(position++, r));
    }
    if (!records::replace_log_file(ports_.files, logPath, lines, records::written_log_attributes)) return false;
    // The new log now tells what this installation replaced; only from here on may the backups go.
    // Without it they stay, so that nothing the installation replaced is lost unrecorded.
    DiscardBackups();
    return true;
}

void UninstallLog::DiscardBackups() {
    for (auto& r : currentRecords_) {
        if (r.backupPath.empty()) continue;
        (void)ports_.files.set_attributes(r.backupPath, os::file_attribute::normal);
        (void)ports_.files.delete_file(r.backupPath);
        r.backupPath.clear();
    }
}
