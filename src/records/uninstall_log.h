// The installation journal: the records of an earlier installation read from its uninstall log,
// the records of the running installation, and the two ways an installation ends — Write, which
// turns the journal into the uninstall log, or Rollback, which undoes every current record.
//
// Every machine change goes record, act, complete: a recording operation appends the record (and
// any backup of what the step will replace), the step acts, and CompleteLast stores its outcome.
// Recording operations never fail: a step whose backup cannot be made is recorded without one.
#pragma once

#include "res/product_identity.h"
#include "records/journal_ports.h"
#include "records/log_record.h"

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// What the journal writes about the product.
struct journal_identity {
    std::wstring productTitle{product::title};       // line 2 of the log
    std::wstring productKeyName{product::key_name};  // the product's key under the uninstall key
};

class UninstallLog {
public:
    explicit UninstallLog(records::journal_ports ports, journal_identity identity = {});
    UninstallLog(const UninstallLog&) = delete;
    UninstallLog& operator=(const UninstallLog&) = delete;

    // --- the uninstall log file -------------------------------------------------------------
    // Clears installPath and shortcutPath; with a path, appends the records of that log to
    // previousRecords and takes its folders and title.  A parse that meets a line breaking the
    // format stops there and keeps what it read before; every failure is silent.  Records and folder
    // lines whose paths are not local and absolute are left out.
    void Read(std::optional<std::wstring_view> path);
    // Merges previousRecords into currentRecords, puts the new log file in the place of the old one
    // (written beside it and renamed over it, so a failure leaves the old log whole) and then
    // discards every backup.  True when the new log is in place; otherwise the backups are kept.
    [[nodiscard]] bool Write(std::wstring_view logPath, std::wstring_view installFolder, std::wstring_view menuFolder);
    // A File record of the previous log with flag 1 names exactly this path (case-sensitive).
    [[nodiscard]] bool WasPlacedBefore(std::wstring_view path) const;

    // --- recording (record, act, complete) -------------------------------------------------
    // Creates the missing folders of `folder` and records each one created, outermost first.
    void CreateRecordedDirectories(std::wstring_view folder);
    // A payload file about to be placed; an existing file is moved (copy clear) or copied (copy set)
    // into a backup.  With `linkFreeBelow` (the token's folder), no existing level below it, the
    // file included, may be a link, and folders are not created through one.  The record is made in
    // every case; the answer is an error when the file must not be written: a link in the way
    // (4395), or an existing file that could not be backed up.  The item is then left as it is, by
    // this step and by its undoing.
    std::error_code RecordFile(std::wstring_view path, std::int32_t entryKind, bool copy,
                               std::optional<std::wstring_view> linkFreeBelow = std::nullopt);
    // 0 Start-menu program shortcut, 1 Start-menu uninstaller shortcut, 2 desktop shortcut.  The
    // previous installation's shortcut of the same kind is moved into a backup.
    void RecordShortcut(int which, std::wstring_view folder);
    // The product's uninstall key; `existingKey` is the open key when it existed before (it is then
    // saved to a hive backup), 0 when the installation has just created it.
    void RecordUninstallKey(os::registry_handle existingKey);
    void RecordDirectXUpdate();
    void RecordRegistration();
    // Sets the outcome (and, when given, the path) of the newest current record, once.
    void CompleteLast(bool outcome, std::optional<std::wstring_view> text = std::nullopt);
    // A new backup of `file` ("vd" unique name) in the backup folder, else in the user's temporary
    // folder; with no file only the name is reserved.  Empty when no backup could be made; the file
    // is then unchanged.
    [[nodiscard]] std::wstring MakeBackupCopy(std::optional<std::wstring_view> file, bool copy);
    // Backups go into `folder` from now on (the run's own folder, which only administrators can
    // write); empty goes back to the user's temporary folder.
    void UseBackupFolder(std::wstring folder) { backupFolder_ = std::move(folder); }
    // Undoes every current record, newest first, and empties currentRecords.  Answers the records
    // whose item could not be restored; their backups stay where they are (backupPath).
    RecordList Rollback();

    // --- state ------------------------------------------------------------------------------
    [[nodiscard]] const std::wstring& installPath() const { return installPath_; }
    [[nodiscard]] const std::wstring& shortcutPath() const { return shortcutPath_; }
    [[nodiscard]] const std::wstring& previousLogTitle() const { return previousLogTitle_; }
    // The version number in line 0 of the last log read (0 when it had none); only 1 is read further.
    [[nodiscard]] long long logVersion() const { return logVersion_; }
    [[nodiscard]] const RecordList& previousRecords() const { return previousRecords_; }
    // Well-formed records the last Read left out because their paths are not local absolute ones
    // (or a shortcut's is no .lnk file): a log that holds any has been altered.
    [[nodiscard]] std::size_t leftOutRecords() const { return leftOutRecords_; }
    [[nodiscard]] const RecordList& currentRecords() const { return currentRecords_; }
    [[nodiscard]] bool lastPending() const { return lastPending_; }
    [[nodiscard]] const journal_identity& identity() const { return identity_; }

    // The uninstall key below HKEY_LOCAL_MACHINE.
    static constexpr std::wstring_view uninstall_root = product::uninstall_root;

private:
    void Merge();
    void DiscardBackups();
    [[nodiscard]] bool IsFolder(std::wstring_view path) const;
    [[nodiscard]] bool Exists(std::wstring_view path) const;
    void CreateRecordedDirectoriesBelow(std::wstring_view folder, std::optional<std::wstring_view> linkFreeBelow,
                                        std::error_code& refused);
    [[nodiscard]] std::error_code BackUp(std::wstring_view file, bool copy, std::wstring& backup);
    [[nodiscard]] bool UndoUninstallKey(const LogRecord& record);
    [[nodiscard]] bool UndoItem(const LogRecord& record);

    records::journal_ports ports_;
    journal_identity identity_;
    std::wstring installPath_;
    std::wstring shortcutPath_;
    RecordList previousRecords_;
    std::size_t leftOutRecords_ = 0;
    RecordList currentRecords_;
    bool lastPending_ = false;
    std::wstring previousLogTitle_;
    long long logVersion_ = 0;
    std::wstring backupFolder_;
};

namespace records {
// The journal's test for "the same folder or file": equal as paths; else the file system's identity
// of both items when it can tell; else absolute, normalised and compared element by element without
// regard to case.
[[nodiscard]] bool IsSamePath(std::wstring_view a, std::wstring_view b, const journal_ports& ports);
}  // namespace records
