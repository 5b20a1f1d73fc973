// The 21 interface languages: their identities, locales, string blocks, flags and the two language
// sets (languages the product installs in, languages the setup program itself speaks).
#pragma once

#include <array>
#include <cstdint>

#include "os/locale.h"

// The language index 0-20 is the identity of a language everywhere: the current language, the
// `VdLanguage` registry value, the start page's item data, the bit position in a language mask.
using LanguageIndex = int;

inline constexpr LanguageIndex LanguageCount = 21;
inline constexpr LanguageIndex FrenchLanguage = 0;
inline constexpr LanguageIndex EnglishLanguage = 1;
inline constexpr LanguageIndex HebrewLanguage = 16;

// Bit i for index i: the 16 languages the product can be installed in.
inline constexpr std::uint32_t ProductLanguageMask = 0x1BCEBF;

struct LanguageInfo {
    const wchar_t* name;            // English name, for logs and tests
    os::lcid lcid;                  // the language's locale
    std::uint16_t primaryLanguage;  // primary language id that selects it by default
    unsigned stringBlock;           // base of its string ids (1000, 2000, ...)
    std::uint16_t flagIcon;         // RT_GROUP_ICON of its flag
    int listPosition;               // 1-based position in the start page's list; 0: not listed
    bool productLanguage;
    bool installerTexts;
};

// Rows in index order.
[[nodiscard]] const std::array<LanguageInfo, LanguageCount>& LanguageTable() noexcept;

// True for the 16 product languages; false for 6, 8, 12, 13, 18 and for any value outside 0-20.
[[nodiscard]] bool IsProductLanguage(LanguageIndex index) noexcept;
// True for the nine languages with installer texts: 0, 1, 2, 3, 4, 7, 9, 11, 19.
[[nodiscard]] bool HasInstallerTexts(LanguageIndex index) noexcept;
// The language's LCID; 0 for a value outside 0-20.
[[nodiscard]] os::lcid LanguageLcid(LanguageIndex index) noexcept;
