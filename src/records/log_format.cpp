// Writing and parsing the lines of the uninstall log.
#include "records/log_format.h"

#include "vd/utf16.h"

#include <cwctype>

namespace records {
namespace {

std::wstring padded(unsigned long long value, int base, std::size_t width) {
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring text;
    do {
        text.insert(text.begin(), digits[value % static_cast<unsigned>(base)]);
        value /= static_cast<unsigned>(base);
    } while (value != 0);
    if (text.size() < width) text.insert(0, width - text.size(), L'0');
    return text;
}

int digit_value(wchar_t c, int base) {
    int v = -1;
    if (c >= L'0' && c <= L'9')
        v = c - L'0';
    else if (c >= L'a' && c <= L'f')
        v = c - L'a' + 10;
    else if (c >= L'A' && c <= L'F')
        v = c - L'A' + 10;
    return v < base ? v : -1;
}

// Reads an unsigned number in `base` at `pos`; false when no digit is there or it overflows.
bool read_digits(std::wstring_view text, std::size_t& pos, int base, unsigned long long& value) {
    const std::size_t start = pos;
    value = 0;
    for (; pos < text.size() && digit_value(text[pos], base) >= 0; ++pos) {
        const auto d = static_cast<unsigned long long>(digit_value(text[pos], base));
        if (value > (~0ULL - d) / static_cast<unsigned>(base)) return false;
        value = value * static_cast<unsigned>(base) + d;
    }
    return pos > start;
}

void skip_space(std::wstring_view text, std::size_t& pos) {
    while (pos < text.size() && is_log_space(text[pos])) ++pos;
}

}  // namespace

bool is_log_space(wchar_t c) { return std::iswspace(static_cast<std::wint_t>(c)) != 0; }

std::wstring_view trim_right(std::wstring_view text) {
    while (!text.empty() && is_log_space(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring_view trim(std::wstring_view text) {
    text = trim_right(text);
    while (!text.empty() && is_log_space(text.front())) text.remove_prefix(1);
    return text;
}

std::vector<std::wstring> header_lines(std::wstring_view product_title, std::wstring_view previous_title,
                                       std::wstring_view install_folder, std::wstring_view menu_folder) {
    std::wstring install_line = L"// Install " + std::wstring(product_title);
    if (!previous_title.empty()) install_line += L" -- Update (" + std::wstring(previous_title) + L")";
    const std::wstring shortcut_text = std::wstring(shortcut_path_keyword) + std::wstring(menu_folder);
    return {
        L"// " + std::wstring(log_signature) + L"1\r\n",
        L"// ############ WARNING: Do not delete or modify this file. ############\r\n",
        install_line + L"\r\n",
        L"// " + std::wstring(install_path_keyword) + std::wstring(install_folder) + L"\r\n",
        L"// " + shortcut_text + L"\r\n",
        // Counted in UTF-16 units, so that the row underlines line 4 as the uninstaller shows it.
        L"// " + std::wstring(vd::utf16_length(shortcut_text), L'-') + L"\r\n",
    };
}

std::wstring record_line(std::size_t position, const LogRecord& record) {
    const auto code = static_cast<unsigned long long>((static_cast<std::uint32_t>(record.kind) << 8) +
                                                      (static_cast<std::uint32_t>(record.entryKind) & 0xFFu));
    return padded(position, 10, 4) + L":" + padded(code, 16, 4) + L":" + (record.flag ? L"1" : L"0") + L" -- " +
           record.path + L"\r\n";
}

std::optional<LogRecord> parse_record_line(std::wstring_view line) {
    std::size_t pos = 0;
    unsigned long long number = 0;
    skip_space(line, pos);
    bool negative = false;
    if (pos < line.size() && (line[pos] == L'+' || line[pos] == L'-')) negative = line[pos++] == L'-';
    if (!read_digits(line, pos, 10, number) || (negative && number != 0)) return std::nullopt;
    if (pos >= line.size() || line[pos++] != L':') return std::nullopt;

    skip_space(line, pos);
    // An optional "0x" prefix, as a C hexadecimal conversion accepts it.
    if (pos + 2 < line.size() && line[pos] == L'0' && (line[pos + 1] == L'x' || line[pos + 1] == L'X') &&
        digit_value(line[pos + 2], 16) >= 0)
        pos += 2;
    unsigned long long code = 0;
    if (!read_digits(line, pos, 16, code) || (code >> 8) >= static_cast<unsigned>(record_kind_count))
        return std::nullopt;
    if (pos >= line.size() || line[pos++] != L':') return std::nullopt;
    if (pos >= line.size() || (line[pos] != L'0' && line[pos] != L'1')) return std::nullopt;
    const bool flag = line[pos++] == L'1';

    skip_space(line, pos);
    std::size_t word_end = pos;
    while (word_end < line.size() && !is_log_space(line[word_end])) ++word_end;
    if (line.substr(pos, word_end - pos) != L"--") return std::nullopt;
    pos = word_end;
    skip_space(line, pos);

    LogRecord record;
    record.kind = static_cast<RecordKind>(code >> 8);
    const auto low = static_cast<std::int32_t>(code & 0xFF);
    record.entryKind = low == 0xFF ? no_entry_kind : low;
    record.flag = flag;
    if (record.kind != RecordKind::UninstallKey && record.kind != RecordKind::Registration)
        record.path = std::wstring(line.substr(pos));
    return record;
}

std::optional<long long> parse_version_line(std::wstring_view text) {
    const auto at = text.find(log_signature);
    if (at == std::wstring_view::npos) return std::nullopt;
    std::wstring_view rest = text.substr(0, at);
    std::wstring joined = std::wstring(rest) + std::wstring(text.substr(at + log_signature.size()));
    std::wstring_view v = joined;
    std::size_t pos = 0;
    skip_space(v, pos);
    bool negative = false;
    if (pos < v.size() && (v[pos] == L'+' || v[pos] == L'-')) negative = v[pos++] == L'-';
    unsigned long long number = 0;
    if (!read_digits(v, pos, 10, number)) return std::nullopt;
    // Numbers too big for the version field are not version 1 either.
    if (number > 0x7FFFFFFFULL) return -1;
    return negative ? -static_cast<long long>(number) : static_cast<long long>(number);
}

std::optional<std::wstring> header_value(std::wstring_view text, std::wstring_view keyword, bool cut_at_dashes) {
    auto at = text.find(keyword);
    std::size_t keyword_size = keyword.size();
    if (at == std::wstring_view::npos) {
        // The reader trims the end of a line, so a keyword that ends in a blank and is followed by
        // an empty value (a log written with an empty folder) has lost that blank.
        const std::wstring_view bare = trim_right(keyword);
        if (bare.size() == keyword.size() || !text.ends_with(bare)) return std::nullopt;
        at = text.size() - bare.size();
        keyword_size = bare.size();
    }
    std::wstring value = std::wstring(text.substr(0, at)) + std::wstring(text.substr(at + keyword_size));
    if (cut_at_dashes) {
        const auto dashes = value.find(L"--");
        if (dashes != std::wstring::npos) value.erase(dashes);
    }
    return std::wstring(trim(value));
}

}  // namespace records
