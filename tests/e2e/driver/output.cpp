// Win32-only: the driver's output, one fact a line in UTF-8.
#include "output.h"

#include <windows.h>

#include <cstdio>

namespace e2e {

void print_line(const std::wstring& line) {
    const std::wstring text = line + L"\n";
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

std::wstring escaped(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\t')
            out += L"\\t";
        else
            out += c;
    }
    return out;
}

std::wstring quoted(const std::wstring& text) { return L"\"" + escaped(text) + L"\""; }

bool fail(const std::wstring& what) {
    print_line(L"error " + what);
    return false;
}

}  // namespace e2e
