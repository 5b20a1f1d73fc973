// One entry of the installation journal and the list that holds the entries in order.
#pragma once

#include <cstdint>
#include <list>
#include <optional>
#include <string>

// What a journal entry records.  The values are part of the uninstall log's record lines.
enum class RecordKind : std::int32_t {
    Directory = 0,          // a folder the installation created
    File = 1,               // a payload file placed, or an existing shared-data file left in place
    MenuShortcut = 2,       // the Start-menu shortcut to the main program
    UninstallShortcut = 3,  // the Start-menu shortcut to the uninstaller
    DesktopShortcut = 4,    // the desktop shortcut to the main program
    UninstallKey = 5,       // the product's key under the Windows uninstall key
    Registration = 6,       // the registration run of the installed product
    DirectXUpdate = 7,      // the DirectX runtime update step
};

inline constexpr std::int32_t record_kind_count = 8;
// entryKind of every record that is not a File record.
inline constexpr std::int32_t no_entry_kind = -1;

struct LogRecord {
    RecordKind kind = RecordKind::Directory;
    std::wstring path;        // the recorded item (or a text, for some kinds)
    std::wstring backupPath;  // temporary backup of what this step replaced; never written to the log
    // Where the backup came from, and where undoing the step puts it back: the path itself for a
    // file, the earlier installation's shortcut for a shortcut.  Never written to the log.
    std::wstring backupSource;
    bool flag = false;  // the step's outcome; its meaning depends on the kind
    std::int32_t entryKind = no_entry_kind;
    // The step found an existing item but could not back it up (or found a link in its way):
    // undoing the step must leave the item where it is rather than delete what was there before.
    // Never written to the log.
    bool replacedWithoutBackup = false;
    // The backup is a copy and the file stayed in place (shared data, whose rights the Users hold):
    // undoing the step puts the copy's bytes back into the file, which keeps its own rights.  Never
    // written to the log.
    bool backupIsCopy = false;
    // The folder below which no level of `path` may be a link (the token's folder); nothing when
    // the step's levels are not checked.  Undoing the step looks again.  Never written to the log.
    std::optional<std::wstring> linkFreeBelow;
};

// A journal list: doubly linked, walked from either end, identified by its first and last record.
using RecordList = std::list<LogRecord>;
