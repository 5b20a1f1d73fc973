// The locale port: the user's locale and language, the locale facts the program asks the system for,
// the thread locale, and the C/C++ runtime locale.
//
// Queries answer std::nullopt when the system has no answer; nothing here changes state except
// set_thread_locale, use_process_wide_locales and apply_runtime_locale.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace os {

using lcid = std::uint32_t;    // locale identifier: language id in the low 16 bits, sort id above
using langid = std::uint16_t;  // language identifier: primary language in the low 10 bits

[[nodiscard]] constexpr langid lcid_language(lcid locale) noexcept { return static_cast<langid>(locale & 0xFFFFu); }
[[nodiscard]] constexpr std::uint16_t primary_language(langid language) noexcept { return language & 0x3FFu; }
[[nodiscard]] constexpr std::uint16_t sub_language(langid language) noexcept { return language >> 10; }

// LOCALESIGNATURE as GetLocaleInfoW(LOCALE_FONTSIGNATURE) gives it: 128 Unicode-subset bits, then the
// default and supported code-page bits.
struct locale_font_signature {
    std::array<std::uint32_t, 4> unicode_subsets{};
    std::array<std::uint32_t, 2> default_code_pages{};
    std::array<std::uint32_t, 2> supported_code_pages{};
};

class locale {
public:
    virtual ~locale() = default;

    // GetUserDefaultLCID.
    [[nodiscard]] virtual lcid user_default_lcid() = 0;
    // GetUserDefaultLangID.
    [[nodiscard]] virtual langid user_default_language() = 0;

    // GetLocaleInfoW(LOCALE_SNATIVELANGNAME): the language's name in itself, as the system gives it.
    [[nodiscard]] virtual std::optional<std::wstring> native_language_name(lcid locale) = 0;
    // GetLocaleInfoW(LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER).  0 is a possible answer
    // (locales without an ANSI code page); std::nullopt means the call failed.
    [[nodiscard]] virtual std::optional<std::uint32_t> ansi_code_page(lcid locale) = 0;
    // GetLocaleInfoW(LOCALE_FONTSIGNATURE), 16 characters.
    [[nodiscard]] virtual std::optional<locale_font_signature> font_signature(lcid locale) = 0;
    // LCIDToLocaleName ("fr-FR").
    [[nodiscard]] virtual std::optional<std::wstring> locale_name(lcid locale) = 0;
    // GetACP.
    [[nodiscard]] virtual std::uint32_t ansi_code_page() = 0;

    // The first character of `text` (as CharNextW delimits it) converted with CharUpperBuffW, the
    // rest unchanged.
    [[nodiscard]] virtual std::wstring upper_first(std::wstring_view text) = 0;

    // SetThreadLocale.  On failure the thread locale is unchanged.
    [[nodiscard]] virtual std::error_code set_thread_locale(lcid locale) = 0;

    // The C runtime's locales become process-wide (per-thread locales disabled).
    virtual void use_process_wide_locales() = 0;

    // Applies a locale name ("fr-FR") to the runtime: every C runtime category to "C", then
    // character types, collation, time and monetary to `name` (numbers keep the "C" conventions), and
    // the C++ standard library's global locale to one built from the same name.  On failure the C
    // runtime categories are back at "C" and the C++ global locale is unchanged.
    [[nodiscard]] virtual std::error_code apply_runtime_locale(std::wstring_view name) = 0;

    // Makes `name` the C++ standard library's global locale (the library start-up does this with the
    // user's locale).  On failure the global locale is unchanged.
    [[nodiscard]] virtual std::error_code set_global_locale(std::wstring_view name) = 0;
};

}  // namespace os
