// Win32-only: locale queries, the thread locale and the runtime locales.
#include "os/win32/locale_win32.h"

#include <windows.h>

#include <clocale>
#include <locale>
#include <stdexcept>
#include <string>

#include "os/win_error.h"

namespace os::win32 {
namespace {

std::error_code last_error() { return win_error(GetLastError()); }

// A string answer of GetLocaleInfoW, or std::nullopt.
std::optional<std::wstring> locale_text(lcid locale, LCTYPE type) {
    const int size = GetLocaleInfoW(locale, type, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = GetLocaleInfoW(locale, type, text.data(), size);
    if (written <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(written - 1));  // without the terminating null
    return text;
}

// The same for a locale name (GetLocaleInfoEx).
std::optional<std::wstring> locale_text(const std::wstring& name, LCTYPE type) {
    const int size = GetLocaleInfoEx(name.c_str(), type, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    const int written = GetLocaleInfoEx(name.c_str(), type, text.data(), size);
    if (written <= 0) return std::nullopt;
    text.resize(static_cast<std::size_t>(written - 1));
    return text;
}

// The C runtime's older spelling of a locale ("French_France.1252"), for runtimes that do not take
// locale names.
std::optional<std::wstring> legacy_runtime_name(const std::wstring& name) {
    const auto language = locale_text(name, LOCALE_SENGLANGUAGE);
    const auto country = locale_text(name, LOCALE_SENGCOUNTRY);
    const auto codePage = locale_text(name, LOCALE_IDEFAULTANSICODEPAGE);
    if (!language || !country || !codePage) return std::nullopt;
    return *language + L"_" + *country + L"." + *codePage;
}

// Sets the C runtime categories that follow the interface language; false when the runtime
// refuses the name in both spellings.
bool set_language_categories(const std::wstring& name) {
    static constexpr int categories[] = {LC_CTYPE, LC_COLLATE, LC_TIME, LC_MONETARY};
    auto apply = [](const std::wstring& spelling) {
        for (const int category : categories) {
            if (_wsetlocale(category, spelling.c_str()) == nullptr) return false;
        }
        return true;
    };
    if (apply(name)) return true;
    const auto legacy = legacy_runtime_name(name);
    return legacy && apply(*legacy);
}

std::string narrow(std::wstring_view text) {
    std::string result;
    for (const wchar_t c : text) result.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return result;
}

// Installs the named C++ locale as the global one; false when the library cannot build it.
bool set_cpp_global(std::wstring_view name) {
    try {
        std::locale::global(std::locale(narrow(name)));
        return true;
    } catch (const std::runtime_error&) {
        return false;
    }
}

bool system_knows(const std::wstring& name) { return name == L"C" || LocaleNameToLCID(name.c_str(), 0) != 0; }

}  // namespace

lcid locale_adapter::user_default_lcid() { return GetUserDefaultLCID(); }

langid locale_adapter::user_default_language() { return GetUserDefaultLangID(); }

std::optional<std::wstring> locale_adapter::native_language_name(lcid locale) {
    auto name = locale_text(locale, LOCALE_SNATIVELANGNAME);
    if (name && name->empty()) return std::nullopt;
    return name;
}

std::optional<std::uint32_t> locale_adapter::ansi_code_page(lcid locale) {
    DWORD value = 0;
    if (GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER, reinterpret_cast<LPWSTR>(&value),
                       sizeof(value) / sizeof(WCHAR)) == 0) {
        return std::nullopt;
    }
    return value;
}

std::optional<locale_font_signature> locale_adapter::font_signature(lcid locale) {
    LOCALESIGNATURE signature{};
    static_assert(sizeof(signature) == 16 * sizeof(WCHAR));
    if (GetLocaleInfoW(locale, LOCALE_FONTSIGNATURE, reinterpret_cast<LPWSTR>(&signature), 16) != 16) {
        return std::nullopt;
    }
    locale_font_signature result;
    for (int i = 0; i < 4; ++i) result.unicode_subsets[static_cast<std::size_t>(i)] = signature.lsUsb[i];
    for (int i = 0; i < 2; ++i) {
        result.default_code_pages[static_cast<std::size_t>(i)] = signature.lsCsbDefault[i];
        result.supported_code_pages[static_cast<std::size_t>(i)] = signature.lsCsbSupported[i];
    }
    return result;
}

std::optional<std::wstring> locale_adapter::locale_name(lcid locale) {
    wchar_t name[LOCALE_NAME_MAX_LENGTH] = {};
    const int written = LCIDToLocaleName(locale, name, LOCALE_NAME_MAX_LENGTH, 0);
    if (written <= 1) return std::nullopt;
    return std::wstring(name, static_cast<std::size_t>(written - 1));
}

std::uint32_t locale_adapter::ansi_code_page() { return GetACP(); }

std::wstring locale_adapter::upper_first(std::wstring_view text) {
    std::wstring result(text);
    if (result.empty()) return result;
    const wchar_t* first = result.c_str();
    const auto length = static_cast<DWORD>(CharNextW(first) - first);
    if (length > 0) CharUpperBuffW(result.data(), length);
    return result;
}

std::error_code locale_adapter::set_thread_locale(lcid locale) {
    if (!SetThreadLocale(locale)) return last_error();
    return {};
}

void locale_adapter::use_process_wide_locales() { _configthreadlocale(_DISABLE_PER_THREAD_LOCALE); }

std::error_code locale_adapter::apply_runtime_locale(std::wstring_view name) {
    const std::wstring owned(name);
    _wsetlocale(LC_ALL, L"C");
    if (!system_knows(owned) || !set_language_categories(owned)) {
        _wsetlocale(LC_ALL, L"C");
        return win_error(errc::invalid_parameter);
    }
    // std::locale::global also gives every C category the name: numbers go back to "C".
    if (set_cpp_global(owned)) {
        _wsetlocale(LC_ALL, L"C");
        (void)set_language_categories(owned);
    }
    return {};
}

std::error_code locale_adapter::set_global_locale(std::wstring_view name) {
    const std::wstring owned(name);
    if (!system_knows(owned)) return win_error(errc::invalid_parameter);
    if (set_cpp_global(owned)) return {};
    if (_wsetlocale(LC_ALL, owned.c_str()) != nullptr) return {};
    const auto legacy = legacy_runtime_name(owned);
    if (legacy && _wsetlocale(LC_ALL, legacy->c_str()) != nullptr) return {};
    return win_error(errc::invalid_parameter);
}

}  // namespace os::win32
