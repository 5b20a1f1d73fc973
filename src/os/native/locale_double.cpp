// The scripted locale: facts of the 21 interface languages as a Windows system gives them.
#include "os/native/locale_double.h"

#include <utility>

#include "os/win_error.h"

namespace os::native {
namespace {

// Font signatures: the Unicode-subset words matter to the program (bit 27 of the fourth word marks
// right-to-left layout); the code-page words name the language's ANSI code page.
locale_font_signature signature(std::uint32_t codePageBit, bool rightToLeft) {
    locale_font_signature result;
    result.unicode_subsets = {0x00000003u, 0x00000000u, 0x00000000u, rightToLeft ? 0x08000000u : 0u};
    result.default_code_pages = {codePageBit, 0};
    result.supported_code_pages = {codePageBit | 0x1u, 0};
    return result;
}

// Code-page bits of the font signature (FS_LATIN1 ...).
constexpr std::uint32_t latin1 = 0x1, latin2 = 0x2, cyrillic = 0x4, greek = 0x8, turkish = 0x10, hebrew = 0x20,
                        vietnamese = 0x100, japanese = 0x20000, chinese_simplified = 0x40000;

struct known_locale {
    langid language;
    const wchar_t* name;
    const wchar_t* nativeName;
    std::uint32_t codePage;
    std::uint32_t codePageBit;
};

constexpr known_locale known[] = {
    {1036, L"fr-FR", L"français", 1252, latin1},
    {1033, L"en-US", L"English", 1252, latin1},
    {1031, L"de-DE", L"Deutsch", 1252, latin1},
    {3082, L"es-ES", L"español", 1252, latin1},
    {2070, L"pt-PT", L"português", 1252, latin1},
    {1043, L"nl-NL", L"Nederlands", 1252, latin1},
    {1030, L"da-DK", L"dansk", 1252, latin1},
    {1055, L"tr-TR", L"Türkçe", 1254, turkish},
    {1026, L"bg-BG", L"български", 1251, cyrillic},
    {1048, L"ro-RO", L"română", 1250, latin2},
    {2052, L"zh-CN", L"中文(简体)", 936, chinese_simplified},
    {1040, L"it-IT", L"italiano", 1252, latin1},
    {1029, L"cs-CZ", L"čeština", 1250, latin2},
    {1044, L"nb-NO", L"norsk (bokmål)", 1252, latin1},
    {1032, L"el-GR", L"Ελληνικά", 1253, greek},
    {1045, L"pl-PL", L"polski", 1250, latin2},
    {1037, L"he-IL", L"עברית", 1255, hebrew},
    {1066, L"vi-VN", L"Tiếng Việt", 1258, vietnamese},
    {1041, L"ja-JP", L"日本語", 932, japanese},
    {1038, L"hu-HU", L"magyar", 1250, latin2},
    {2074, L"sr-Latn-CS", L"srpski", 1250, latin2},
    {3084, L"fr-CA", L"français", 1252, latin1},
    {2057, L"en-GB", L"English", 1252, latin1},
    {2055, L"de-CH", L"Deutsch", 1252, latin1},
    {1028, L"zh-TW", L"中文(繁體)", 950, 0x100000},
    {4100, L"zh-SG", L"中文(简体)", 936, chinese_simplified},
    {1049, L"ru-RU", L"русский", 1251, cyrillic},
};

// Upper case of one character over the scripts of the interface languages.
wchar_t to_upper(wchar_t c) {
    const auto u = static_cast<std::uint32_t>(c);
    if (u >= 'a' && u <= 'z') return static_cast<wchar_t>(u - 32);
    if ((u >= 0xE0 && u <= 0xFE && u != 0xF7)) return static_cast<wchar_t>(u - 32);          // Latin-1
    if (u >= 0x100 && u <= 0x17F && u != 0x131 && u != 0x138 && u != 0x149 && u != 0x178) {  // Latin Extended-A
        const bool pairsOnEven = (u < 0x138) || (u > 0x148 && u < 0x179);
        if (pairsOnEven ? (u % 2 == 1) : (u % 2 == 0)) return static_cast<wchar_t>(u - 1);
        return c;
    }
    if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) return static_cast<wchar_t>(u - 32);  // Greek
    if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 32);                // Cyrillic
    if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 80);
    return c;
}

}  // namespace

scripted_locale::scripted_locale() {
    for (const auto& entry : known) {
        facts_[entry.language] = {entry.name, entry.nativeName, entry.codePage,
                                  signature(entry.codePageBit, entry.language == 1037)};
    }
}

void scripted_locale::set_user_lcid(lcid user) {
    userLcid_ = user;
    userLanguage_ = lcid_language(user);
}

void scripted_locale::set_facts(langid language, std::optional<locale_facts> facts) {
    if (facts) {
        facts_[language] = std::move(*facts);
    } else {
        facts_.erase(language);
    }
}

std::optional<scripted_locale::locale_facts> scripted_locale::facts(langid language) const {
    const auto found = facts_.find(language);
    if (found == facts_.end()) return std::nullopt;
    return found->second;
}

const scripted_locale::locale_facts* scripted_locale::find(lcid locale) const {
    const auto found = facts_.find(lcid_language(locale));
    return found == facts_.end() ? nullptr : &found->second;
}

bool scripted_locale::knows_name(std::wstring_view name) const {
    if (name == L"C" || name == L"de-DE_phoneb") return true;
    for (const auto& [language, facts] : facts_) {
        if (facts.name == name) return true;
    }
    return false;
}

std::optional<std::wstring> scripted_locale::native_language_name(lcid locale) {
    const auto* facts = find(locale);
    if (facts == nullptr || facts->nativeName.empty()) return std::nullopt;
    return facts->nativeName;
}

std::optional<std::uint32_t> scripted_locale::ansi_code_page(lcid locale) {
    const auto* facts = find(locale);
    if (facts == nullptr) return std::nullopt;
    return facts->ansiCodePage;
}

std::optional<locale_font_signature> scripted_locale::font_signature(lcid locale) {
    const auto* facts = find(locale);
    if (facts == nullptr) return std::nullopt;
    return facts->fontSignature;
}

std::optional<std::wstring> scripted_locale::locale_name(lcid locale) {
    const auto* facts = find(locale);
    if (facts == nullptr) return std::nullopt;
    // Sort orders other than the default have names of their own; the double knows only German's
    // phone-book order.
    if ((locale >> 16) == 0) return facts->name;
    if (locale == 0x10407) return std::wstring(L"de-DE_phoneb");
    return std::nullopt;
}

std::wstring scripted_locale::upper_first(std::wstring_view text) {
    std::wstring result(text);
    if (!result.empty()) result[0] = to_upper(result[0]);
    return result;
}

std::error_code scripted_locale::set_thread_locale(lcid locale) {
    if (find(locale) == nullptr) return win_error(errc::invalid_parameter);
    threadLocale_ = locale;
    return {};
}

std::error_code scripted_locale::apply_runtime_locale(std::wstring_view name) {
    ++runtimeApplications_;
    runtimeLocale_ = L"C";
    if (!knows_name(name)) return win_error(errc::invalid_parameter);
    runtimeLocale_ = name;
    globalLocale_ = name;
    return {};
}

std::error_code scripted_locale::set_global_locale(std::wstring_view name) {
    if (!knows_name(name)) return win_error(errc::invalid_parameter);
    globalLocale_ = name;
    return {};
}

}  // namespace os::native
