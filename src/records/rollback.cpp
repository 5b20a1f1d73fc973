// Undoing the current records of a failed installation, newest first.
#include "records/uninstall_log.h"

void UninstallLog::UndoUninstallKey(const LogRecord& record) {
    // The key existed but could not be saved: deleting it would lose the earlier entry, so it stays
    // with the values this installation wrote.
    if (record.replacedWithoutBackup) return;
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeRestorePrivilege", true);
    os::registry_handle uninstall = 0;
    if (!ports_.registry.open_key(os::hkey::local_machine, uninstall_root, os::key_access::all_access, uninstall)) {
        const os::unique_key uninstall_key(ports_.registry, uninstall);
        if (!record.backupPath.empty()) {
            os::registry_handle product = 0;
            if (!ports_.registry.open_key(uninstall, identity_.productKeyName, os::key_access::all_access, product)) {
                const os::unique_key product_key(ports_.registry, product);
                (void)ports_.registry.restore_key(product, record.backupPath, 0);
            }
            (void)ports_.files.set_attributes(record.backupPath, os::file_attribute::normal);
            (void)ports_.files.delete_file(record.backupPath);
        } else {
            (void)ports_.registry.delete_tree(uninstall, identity_.productKeyName);
        }
    }
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeRestorePrivilege", false);
}

void UninstallLog::UndoItem(const LogRecord& record) {
    // An existing file that could not be backed up was overwritten in place; deleting it now
    // would take away the item that was there before, so it stays.
    if (!record.replacedWithoutBackup && !record.path.empty()) {
        (void)ports_.files.set_attributes(record.path, os::file_attribute::normal);
        (void)ports_.files.delete_file(record.path);
    }
    // The backup goes back where it came from: an earlier shortcut under its own name, also when
    // the new shortcut got another name or was never made.
    const std::wstring& target = record.backupSource.empty() ? record.path : record.backupSource;
    if (record.backupPath.empty() || target.empty()) return;
    std::uint32_t attributes = 0;
    const bool have_attributes = !ports_.files.get_attributes(record.backupPath, attributes);
    (void)ports_.files.set_attributes(record.backupPath, os::file_attribute::normal);
    if (!ports_.files.move_file(record.backupPath, target, false) && have_attributes)
        (void)ports_.files.set_attributes(target, attributes);
}

void UninstallLog::Rollback() {
    while (!currentRecords_.empty()) {
        const LogRecord& r = currentRecords_.back();
        switch (r.kind) {
            case RecordKind::Directory:
                (void)ports_.files.remove_directory(r.path);
                break;
            case RecordKind::UninstallKey:
                UndoUninstallKey(r);
                break;
            case RecordKind::Registration:
            case RecordKind::DirectXUpdate:
                break;
            case RecordKind::File:
            case RecordKind::MenuShortcut:
            case RecordKind::UninstallShortcut:
            case RecordKind::DesktopShortcut:
                UndoItem(r);
                break;
        }
        currentRecords_.pop_back();
    }
    lastPending_ = false;
}
