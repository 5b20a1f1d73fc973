// The names a payload gives its files (see payload_names.h).
#include "payload/payload_names.h"

#include "payload/compress_error.h"
#include "payload/destination.h"
#include "vd/win_path.h"

#include <array>

namespace payload {

namespace {

constexpr std::wstring_view characters_windows_refuses = L"<>\"|?*";

wchar_t upper_ascii(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool equal_ignoring_ascii_case(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper_ascii(a[i]) != upper_ascii(b[i])) return false;
    return true;
}

// Windows opens the device whatever extension follows and whatever blanks precede the first dot:
// "nul", "NUL.txt" and "com1 .log" are all devices.
bool is_device_name(std::wstring_view name) {
    std::wstring_view base = name.substr(0, name.find(L'.'));
    while (!base.empty() && base.back() == L' ') base.remove_suffix(1);
    static constexpr std::array<std::wstring_view, 4> plain{L"CON", L"PRN", L"AUX", L"NUL"};
    for (const auto device : plain)
        if (equal_ignoring_ascii_case(base, device)) return true;
    if (base.size() != 4) return false;
    const bool port =
        equal_ignoring_ascii_case(base.substr(0, 3), L"COM") || equal_ignoring_ascii_case(base.substr(0, 3), L"LPT");
    // COM1-COM9, LPT1-LPT9, and the superscript digits that newer systems treat the same way.
    const wchar_t digit = base[3];
    return port && ((digit >= L'1' && digit <= L'9') || digit == L'\u00B9' || digit == L'\u00B2' || digit == L'\u00B3');
}

}  // namespace

const char* name_problem(std::wstring_view name) {
    if (name.empty()) return "an empty name";
    if (name.find(L':') != std::wstring_view::npos) return "a name holds a colon";
    for (const wchar_t c : name)
        if (c < 0x20 || characters_windows_refuses.find(c) != std::wstring_view::npos)
            return "a name holds a character that Windows does not allow";
    if (name.back() == L'.' || name.back() == L' ') return "a name ends in a dot or a blank";
    if (is_device_name(name)) return "a name is a reserved device name";
    return nullptr;
}

const char* destination_name_problem(std::wstring_view folder, std::wstring_view file_name) {
    const auto parts = vd::path::elements(folder);
    // A folder must start at a token: anything else is relative to the current directory or names a
    // place of its own choosing.
    if (parts.empty() || !vd::path::root(folder).empty() || parts.front().size() < 2 || parts.front().front() != L'<' ||
        parts.front().back() != L'>')
        return "a destination folder without a token";
    if (const char* problem = folder_problem(folder)) return problem;
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (const char* problem = name_problem(parts[i])) return problem;
    return name_problem(file_name);
}

void check_payload_names(std::wstring_view folder, std::wstring_view file_name) {
    if (const char* problem = destination_name_problem(folder, file_name))
        throw compress_error(compress_errc::unexpected_error, problem);
}

}  // namespace payload
