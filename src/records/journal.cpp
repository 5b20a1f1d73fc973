// The recording operations of the journal and the backups they make.
#include "records/uninstall_log.h"

#include "vd/create_folders.h"
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
    // A folder that does not fit the shell's buffer is not cut to fit: creating a shortened name
    // would make a folder nobody asked for.  Nothing is created, and the step that needs the
    // folder fails on its own.
    if (vd::utf16_length(folder) > max_path_units) return;
    std::wstring base(vd::path::root(folder));
    const auto elements = vd::path::elements(folder);
    std::span<const std::wstring_view> parts(elements);
    if (base.empty() && !parts.empty()) {
        // No root: the first element stands where the drive would be and is never created.
        base = std::wstring(parts.front());
        parts = parts.subspan(1);
    }
    // A folder that cannot be created ends the walk: the step that needs it fails on its own.
    (void)vd::create_folders_below(ports_.files, std::move(base), parts, [this](const std::wstring& created) {
        if (ports_.folder_created) ports_.folder_created(created);
        LogRecord r = make_record(RecordKind::Directory);
        r.path = created;
        r.flag = true;
        currentRecords_.push_back(std::move(r));
    });
}

void UninstallLog::RecordFile(std::wstring_view path, std::int32_t entryKind, bool copy) {
    lastPending_ = true;
    CreateRecordedDirectories(vd::path::remove_file_spec(path));
    LogRecord r = make_record(RecordKind::File, entryKind);
    r.path = std::wstring(path);
    std::uint32_t attributes = 0;
    if (!ports_.files.get_attributes(path, attributes) && (attributes & os::file_attribute::directory) == 0) {
        r.backupPath = MakeBackupCopy(path, copy);
        r.backupSource = r.path;
        r.replacedWithoutBackup = r.backupPath.empty();
    }
    currentRecords_.push_back(std::move(r));
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
    std::wstring folder;
    if (ports_.files.temp_path(folder) || vd::utf16_length(folder) > max_temp_folder_units) return {};
    std::wstring reserved;
    if (ports_.files.temp_file_name(folder, backup_prefix, reserved)) return {};
    // Only the name is kept: the copy or move below creates the file again.
    (void)ports_.files.delete_file(reserved);
    if (!file) return reserved;

    std::uint32_t attributes = 0;
    const bool have_attributes = !ports_.files.get_attributes(*file, attributes);
    (void)ports_.files.set_attributes(*file, os::file_attribute::normal);
    if (copy) {
        if (!ports_.files.copy_file(*file, reserved, false)) {
            if (have_attributes) {
                (void)ports_.files.set_attributes(*file, attributes);
                (void)ports_.files.set_attributes(reserved, attributes);
            }
            return reserved;
        }
    } else if (!ports_.files.move_file(*file, reserved, false)) {
        if (have_attributes) (void)ports_.files.set_attributes(reserved, attributes);
        return reserved;
    }
    if (have_attributes) (void)ports_.files.set_attributes(*file, attributes);
    return {};
}
