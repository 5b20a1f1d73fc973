// The text of the uninstall log "Uninstall.ulog": its six header lines and one line per record.
// The product's uninstaller reads this format, so every character of it is fixed.
#pragma once

#include "records/log_record.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace records {

inline constexpr std::wstring_view log_file_name = L"Uninstall.ulog";
inline constexpr std::wstring_view log_signature = L"Uninstall Log File v";
inline constexpr std::wstring_view install_keyword = L"Install";
inline constexpr std::wstring_view install_path_keyword = L"Install Path : ";
inline constexpr std::wstring_view shortcut_path_keyword = L"Shortcut Path : ";
inline constexpr std::wstring_view registration_text = L"HKEY_CLASSES_ROOT\\...";
inline constexpr std::wstring_view uninstall_key_prefix =
    L"HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// Attributes of a written log: read-only, archive, not content-indexed.
inline constexpr std::uint32_t written_log_attributes = 0x2021;

// The six header lines, each ending in CR LF.  `previous_title` empty: no update part.
[[nodiscard]] std::vector<std::wstring> header_lines(std::wstring_view product_title, std::wstring_view previous_title,
                                                     std::wstring_view install_folder, std::wstring_view menu_folder);

// The line of the record at `position` of the written list, ending in CR LF.
[[nodiscard]] std::wstring record_line(std::size_t position, const LogRecord& record);

// A record line as the reader takes it (trailing white space already removed); nothing when the
// line breaks a rule of the format.  Kinds 5 and 6 get an empty path.
[[nodiscard]] std::optional<LogRecord> parse_record_line(std::wstring_view line);

// The version number of a line 0 text (after the "//" prefix and leading blanks are gone);
// nothing when the signature is missing or no number follows it.
[[nodiscard]] std::optional<long long> parse_version_line(std::wstring_view text);

// What follows `keyword` in a header text, trimmed; nothing when the keyword is absent.  Text before
// the keyword stays in the value.  With `cut_at_dashes` the value ends before the first "--".  A
// keyword whose trailing blanks were trimmed off the end of the text still counts, with an empty value.
[[nodiscard]] std::optional<std::wstring> header_value(std::wstring_view text, std::wstring_view keyword,
                                                       bool cut_at_dashes);

// White space as the reader counts it (the default locale's wide-character classification).
[[nodiscard]] bool is_log_space(wchar_t c);
[[nodiscard]] std::wstring_view trim_right(std::wstring_view text);
[[nodiscard]] std::wstring_view trim(std::wstring_view text);

}  // namespace records
