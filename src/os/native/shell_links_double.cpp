// The file-backed shell-links double (see shell_links_double.h).  A link file holds a marker line,
// the target and the working folder, UTF-16LE, one a line.
#include "os/native/shell_links_double.h"

#include "os/win_error.h"

#include <string>
#include <utility>
#include <vector>

namespace os::native {

namespace {

constexpr std::wstring_view marker = L"[shell link]";
constexpr std::int32_t e_bad_link = static_cast<std::int32_t>(0x80004005u);  // E_FAIL

std::int32_t as_hresult(const std::error_code& error) {
    return hr::from_win32(static_cast<std::uint32_t>(error.value()));
}

}  // namespace

std::int32_t file_links::save_link(std::wstring_view link_path, const shell_link& link) {
    if (const auto failure = std::exchange(next_failure_, 0)) return failure;
    const std::wstring text = std::wstring(marker) + L"\n" + link.target + L"\n" + link.working_folder + L"\n";
    std::vector<std::byte> bytes;
    for (wchar_t c : text) {
        bytes.push_back(static_cast<std::byte>(c & 0xFF));
        bytes.push_back(static_cast<std::byte>((c >> 8) & 0xFF));
    }
    std::unique_ptr<file> out;
    if (auto error = files_.open(link_path, file_access::write, file_disposition::create_always, 0, out))
        return as_hresult(error);
    if (auto error = out->write(bytes)) return as_hresult(error);
    if (auto error = out->close()) return as_hresult(error);
    return hr::ok;
}

std::int32_t file_links::read_link(std::wstring_view link_path, shell_link& link) {
    if (const auto failure = std::exchange(next_failure_, 0)) return failure;
    std::unique_ptr<file> in;
    if (auto error = files_.open(link_path, file_access::read, file_disposition::open_existing, file_share::read, in))
        return as_hresult(error);
    std::vector<std::byte> bytes;
    std::byte buffer[4096];
    for (;;) {
        std::size_t got = 0;
        if (auto error = in->read(buffer, got)) return as_hresult(error);
        if (got == 0) break;
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
    std::wstring text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text +=
            static_cast<wchar_t>(std::to_integer<unsigned>(bytes[i]) | (std::to_integer<unsigned>(bytes[i + 1]) << 8));
    std::vector<std::wstring> lines;
    for (std::size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    if (lines.size() != 3 || lines[0] != marker) return e_bad_link;
    link = {lines[1], lines[2]};
    return hr::ok;
}

}  // namespace os::native
