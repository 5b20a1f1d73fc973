// Undoing the current records of a failed installation, newest first.
#include "records/uninstall_log.h"

#include "os/win_error.h"
#include "vd/link_check.h"

#include <memory>
#include <span>
#include <vector>

namespace {

// The bytes of `from` written over `to`, which is opened, not made again: it keeps its own rights.
std::error_code copy_contents(os::file_system& files, std::wstring_view from, std::wstring_view to) {
    std::unique_ptr<os::file> source;
    std::unique_ptr<os::file> target;
    if (auto ec =
            files.open(from, os::file_access::read, os::file_disposition::open_existing, os::file_share::read, source))
        return ec;
    if (auto ec = files.open(to, os::file_access::write, os::file_disposition::truncate_existing, os::file_share::none,
                             target))
        return ec;
    std::vector<std::byte> buffer(64 * 1024);
    for (;;) {
        std::size_t count = 0;
        if (auto ec = source->read(buffer, count)) return ec;
        if (count == 0) break;
        if (auto ec = target->write(std::span(buffer).first(count))) return ec;
    }
    if (auto ec = target->flush()) return ec;
    return target->close();
}

}  // namespace

bool UninstallLog::UndoUninstallKey(const LogRecord& record) {
    // The key existed but could not be saved: deleting it would lose the earlier entry, so it stays
    // with the values this installation wrote.
    if (record.replacedWithoutBackup) return true;
    bool restored = false;
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeRestorePrivilege", true);
    os::registry_handle uninstall = 0;
    if (!ports_.registry.open_key(os::hkey::local_machine, uninstall_root, os::key_access::all_access, uninstall)) {
        const os::unique_key uninstall_key(ports_.registry, uninstall);
        if (!record.backupPath.empty()) {
            os::registry_handle product = 0;
            if (!ports_.registry.open_key(uninstall, identity_.productKeyName, os::key_access::all_access, product)) {
                const os::unique_key product_key(ports_.registry, product);
                restored = !ports_.registry.restore_key(product, record.backupPath, 0);
            }
            // The hive file is the only copy of the earlier entry until it is back in the registry.
            if (restored) {
                (void)ports_.files.set_attributes(record.backupPath, os::file_attribute::normal);
                (void)ports_.files.delete_file(record.backupPath);
            }
        } else {
            restored = !ports_.registry.delete_tree(uninstall, identity_.productKeyName);
        }
    }
    if (ports_.set_privilege) (void)ports_.set_privilege(L"SeRestorePrivilege", false);
    return restored;
}

bool UninstallLog::UndoItem(const LogRecord& record) {
    // An existing file that could not be backed up was left alone by the step (or overwritten in
    // place by an older one); deleting it now would take away the item that was there before.
    if (record.replacedWithoutBackup) return true;
    // A link planted since the step was recorded would turn the delete or the restore onto
    // something else: the item and its backup stay, and the record is reported.
    if (record.linkFreeBelow && (vd::refuse_links_below(ports_.files, *record.linkFreeBelow, record.path) ||
                                 (!record.backupSource.empty() &&
                                  vd::refuse_links_below(ports_.files, *record.linkFreeBelow, record.backupSource))))
        return false;
    // The backup goes back where it came from: an earlier shortcut under its own name, also when
    // the new shortcut got another name or was never made.
    const std::wstring& target = record.backupSource.empty() ? record.path : record.backupSource;
    if (record.backupPath.empty() || target.empty()) {
        if (!record.path.empty()) {
            (void)ports_.files.set_attributes(record.path, os::file_attribute::normal);
            (void)ports_.files.delete_file(record.path);
        }
        return record.backupPath.empty();
    }
    // A new shortcut of another name than the one it replaced goes on its own.
    if (!record.path.empty() && record.path != target) {
        (void)ports_.files.set_attributes(record.path, os::file_attribute::normal);
        (void)ports_.files.delete_file(record.path);
    }
    std::uint32_t attributes = 0;
    const bool have_attributes = !ports_.files.get_attributes(record.backupPath, attributes);
    (void)ports_.files.set_attributes(record.backupPath, os::file_attribute::normal);
    (void)ports_.files.set_attributes(target, os::file_attribute::normal);
    // A copied backup goes back into the file it was copied from: moved back, it would bring the
    // work folder's administrators-only rights with it.
    if (record.backupIsCopy && !copy_contents(ports_.files, record.backupPath, target)) {
        (void)ports_.files.delete_file(record.backupPath);
        if (have_attributes) (void)ports_.files.set_attributes(target, attributes);
        return true;
    }
    // The backup replaces what the installation put there in one move, so that at no moment is
    // neither of them in place; it may come from another volume.
    if (ports_.files.move_file(record.backupPath, target,
                               os::move_flag::replace_existing | os::move_flag::copy_allowed)) {
        if (have_attributes) (void)ports_.files.set_attributes(record.backupPath, attributes);
        return false;
    }
    if (have_attributes) (void)ports_.files.set_attributes(target, attributes);
    return true;
}

RecordList UninstallLog::Rollback() {
    RecordList unrestored;
    while (!currentRecords_.empty()) {
        const LogRecord& r = currentRecords_.back();
        bool undone = true;
        switch (r.kind) {
            case RecordKind::Directory:
                (void)ports_.files.remove_directory(r.path);
                break;
            case RecordKind::UninstallKey:
                undone = UndoUninstallKey(r);
                break;
            case RecordKind::Registration:
            case RecordKind::DirectXUpdate:
                break;
            case RecordKind::File:
            case RecordKind::MenuShortcut:
            case RecordKind::UninstallShortcut:
            case RecordKind::DesktopShortcut:
                undone = UndoItem(r);
                break;
        }
        if (undone)
            currentRecords_.pop_back();
        else
            unrestored.splice(unrestored.begin(), currentRecords_, std::prev(currentRecords_.end()));
    }
    lastPending_ = false;
    return unrestored;
}
