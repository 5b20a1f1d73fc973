// The recording operations of the journal and the backups they make.
#include "records/uninstall_log.h"

#include "os/win_error.h"
#include "vd/create_folders.h"
#include "vd/link_check.h"
#include "vd/utf16.h"
#include "vd/win_path.h"

namespace {

// The shell's path buffers hold 260 characters with the terminating null.
constexpr std::size_t max_path_units = 259;
// GetTempFileNameW needs room for "\vdXXXX.tmp" after the folder.
constexpr std::size_t max_temp_folder_units = 246;
constexpr std::wstring_view backup_prefix = L"vd";

LogRecord make_record(RecordKind kind, std::int32_t entry_kind = no_entry_kind) {
    LogRecord r;
    r.kind = kind;
    r.entryKind = entry_kind;
    return r;
}

}  // namespace

void UninstallLog::CreateRecordedDirectories(std::wstring_view folder) {
    std::error_code refused;
    CreateRecordedDirectoriesBelow(folder, std::nullopt, refused);
}

void UninstallLog::CreateRecordedDirectoriesBelow(std::wstring_view folder,
                                                  std::optional<std::wstring_view> linkFreeBelow,
                                                  std::error_code& refused) {
    // A folder that does not fit the shell's buffer is not cut to fit: creating a shortened name
    // would make a folder nobody asked for.  Nothing is created, and the step that needs the
    // folder fails on its own.
    if (vd::utf16_length(folder) > max_path_units) return;
    std::wstring base(vd::path::root(folder));
    const auto elements = vd::path::elements(folder);
    std::span<const std::wstring_view> parts(elements);
    std::size_t links_refused_from = SIZE_MAX;
    if (linkFreeBelow) links_refused_from = vd::trusted_levels(*linkFreeBelow, folder);
    if (base.empty() && !parts.empty()) {
        // No root: the first element stands where the drive would be and is never created.
        base = std::wstring(parts.front());
        parts = parts.subspan(1);
        if (links_refused_from != SIZE_MAX && links_refused_from > 0) --links_refused_from;
    }
    // A folder that cannot be created ends the walk: the step that needs it fails on its own.
    const auto ec = vd::create_folders_below(
        ports_.files, std::move(base), parts,
        [this](const std::wstring& created) {
            ports_.shell.notify_folder_created(created);
            LogRecord r = make_record(RecordKind::Directory);
            r.path = created;
            r.flag = true;
            currentRecords_.push_back(std::move(r));
        },
        links_refused_from);
    if (ec == os::win_error(os::errc::reparse_point_encountered)) refused = ec;
}

std::error_code UninstallLog::RecordFile(std::wstring_view path, std::int32_t entryKind, bool copy,
                                         std::optional<std::wstring_view> linkFreeBelow) {
    lastPending_ = true;
    std::error_code refused;
    if (linkFreeBelow) {
        refused = vd::refuse_links_below(ports_.files, *linkFreeBelow, vd::path::remove_file_spec(path));
        if (!refused) refused = vd::refuse_linked_item(ports_.files, path);
    }
    if (!refused) CreateRecordedDirectoriesBelow(vd::path::remove_file_spec(path), linkFreeBelow, refused);
    LogRecord r = make_record(RecordKind::File, entryKind);
    r.path = std::wstring(path);
    if (linkFreeBelow) r.linkFreeBelow = std::wstring(*linkFreeBelow);
    std::uint32_t attributes = 0;
    if (refused) {
        // Nothing is done through a link, now or when the step is undone.
        r.replacedWithoutBackup = true;
    } else if (!ports_.files.get_attributes(path, attributes) && (attributes & os::file_attribute::directory) == 0) {
        // A file that cannot be set aside must not be overwritten: what was there could not come back.
        refused = BackUp(path, copy, r.backupPath);
        r.backupSource = r.path;
        r.replacedWithoutBackup = r.backupPath.empty();
        r.backupIsCopy = copy && !r.backupPath.empty();
    }
    currentRecords_.push_back(std::move(r));
    return refused;
}

void UninstallLog::RecordShortcut(int which, std::wstring_view folder) {
    lastPending_ = true;
    CreateRecordedDirectories(folder);
    const RecordKind kind = which == 0   ? RecordKind::MenuShortcut
                            : which == 1 ? RecordKind::UninstallShortcut
                                         : RecordKind::DesktopShortcut;
    LogRecord r = make_record(kind);
    // The previous installation's shortcut of this kind goes away, whatever its name was.
    for (const auto& p : previousRecords_) {
        if (p.kind != kind) continue;
        if (Exists(p.path)) {
            r.backupPath = MakeBackupCopy(p.path, false);
            if (!r.backupPath.empty()) r.backupSource = p.path;
        }
        break;
    }
    currentRecords_.push_back(std::move(r));
}

void UninstallLog::RecordUninstallKey(os::registry_handle existingKey) {
    lastPending_ = true;
    currentRecords_.push_back(make_record(RecordKind::UninstallKey));
    LogRecord& r = currentRecords_.back();
    if (existingKey == 0) return;
    r.backupPath = MakeBackupCopy(std::nullopt, false);
    if (r.backupPath.empty()) {
        r.replacedWithoutBackup = true;
        return;
    }
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeBackupPrivilege", true);
    if (ports_.registry.save_key(existingKey, r.backupPath)) {
        (void)ports_.files.set_attributes(r.backupPath, os::file_attribute::normal);
        (void)ports_.files.delete_file(r.backupPath);
        r.backupPath.clear();
        r.replacedWithoutBackup = true;
    }
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeBackupPrivilege", false);
}

void UninstallLog::RecordDirectXUpdate() {
    lastPending_ = true;
    currentRecords_.push_back(make_record(RecordKind::DirectXUpdate));
}

void UninstallLog::RecordRegistration() {
    lastPending_ = true;
    currentRecords_.push_back(make_record(RecordKind::Registration));
}

void UninstallLog::CompleteLast(bool outcome, std::optional<std::wstring_view> text) {
    if (!lastPending_ || currentRecords_.empty()) return;
    lastPending_ = false;
    LogRecord& r = currentRecords_.back();
    r.flag = outcome;
    if (text) r.path = std::wstring(*text);
}

std::wstring UninstallLog::MakeBackupCopy(std::optional<std::wstring_view> file, bool copy) {
    std::wstring backup;
    (void)BackUp(file.value_or(std::wstring_view{}), copy, backup);
    return backup;
}

std::error_code UninstallLog::BackUp(std::wstring_view file, bool copy, std::wstring& backup) {
    backup.clear();
    std::wstring folder = backupFolder_;
    if (folder.empty()) {
        if (auto ec = ports_.files.temp_path(folder)) return ec;
    }
    if (vd::utf16_length(folder) > max_temp_folder_units) return os::win_error(os::errc::filename_exced_range);
    std::wstring reserved;
    if (auto ec = ports_.files.temp_file_name(folder, backup_prefix, reserved)) return ec;
    // Only the name is kept: the copy or move below creates the file again.
    (void)ports_.files.delete_file(reserved);
    if (file.empty()) {
        backup = std::move(reserved);
        return {};
    }

    std::uint32_t attributes = 0;
    const bool have_attributes = !ports_.files.get_attributes(file, attributes);
    (void)ports_.files.set_attributes(file, os::file_attribute::normal);
    std::error_code ec;
    if (copy) {
        ec = ports_.files.copy_file(file, reserved, false);
        if (!ec && have_attributes) {
            (void)ports_.files.set_attributes(file, attributes);
            (void)ports_.files.set_attributes(reserved, attributes);
        }
    } else {
        // The backup folder may lie on another volume than the file: the move may copy.
        ec = ports_.files.move_file(file, reserved, os::move_flag::copy_allowed);
        if (!ec && have_attributes) (void)ports_.files.set_attributes(reserved, attributes);
    }
    if (!ec) {
        backup = std::move(reserved);
        return {};
    }
    if (have_attributes) (void)ports_.files.set_attributes(file, attributes);
    return ec;
}
