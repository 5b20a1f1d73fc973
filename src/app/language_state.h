// The process's current interface language and the localized text lookup over it.
//
// One LanguageState lives for the whole process (the application's context owns it); it reaches the
// system through the locale and resource ports.  The support library never sees this class: callers
// hand it the values it needs (Lcid(), ResourceModule(), RightToLeft(), ...).
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "app/language_table.h"
#include "os/locale.h"
#include "os/resources.h"

class LanguageState {
public:
    // Creates the state for French: switches the runtime to process-wide locales, applies French to
    // the runtime and sets the thread locale to French's LCID (by the LCID rule).
    LanguageState(os::locale& locale, os::resources& resources);

    LanguageState(const LanguageState&) = delete;
    LanguageState& operator=(const LanguageState&) = delete;

    [[nodiscard]] LanguageIndex CurrentLanguage() const noexcept { return language_; }
    [[nodiscard]] os::lcid Lcid() const noexcept { return lcid_; }
    [[nodiscard]] std::uint32_t CodePage() const noexcept { return codePage_; }
    [[nodiscard]] bool RightToLeft() const noexcept { return rightToLeft_; }
    [[nodiscard]] std::uint32_t LanguageMask() const noexcept { return languageMask_; }

    // The module resources are loaded from; the program module is stored on first use.
    [[nodiscard]] os::module_handle ResourceModule();

    // Makes a language current.  Throws std::invalid_argument for an index outside 0-20 (the state
    // is then unchanged).  A failure to apply the locale to the runtime leaves the runtime at "C"
    // and still changes the language.
    void SetLanguage(LanguageIndex index);

    // The language the user's default language identifier selects within `mask` (0: LanguageMask()).
    [[nodiscard]] LanguageIndex DefaultLanguage(std::uint32_t mask);

    // The language's own name as the system gives it, first character in upper case; empty when
    // the system has no name or the index is outside 0-20.
    [[nodiscard]] std::wstring LanguageNativeName(LanguageIndex index);

    // Whether the language is written right to left (the locale's font signature; Hebrew alone
    // when the system gives none).
    [[nodiscard]] bool IsRightToLeft(LanguageIndex index);

    // The string id to load for a French string id (1000-1131) in the current language, falling
    // back to English, then French, over untranslated ("#") entries.
    [[nodiscard]] unsigned LocalizedId(unsigned frenchId);

    // The text of LocalizedId(frenchId); empty when the string is missing.
    [[nodiscard]] std::wstring LoadText(unsigned frenchId);

    // The text of LocalizedId(frenchId) with the arguments as inserts %1, %2, ….  Throws
    // vd::hresult_error: E_FAIL when the string does not load, E_INVALIDARG when it is empty or the
    // formatter rejects it (an insert without an argument).
    [[nodiscard]] std::wstring FormatText(unsigned frenchId, std::span<const std::wstring_view> arguments);
    [[nodiscard]] std::wstring FormatText(unsigned frenchId, std::initializer_list<std::wstring_view> arguments) {
        return FormatText(frenchId, std::span<const std::wstring_view>(arguments.begin(), arguments.size()));
    }

private:
    [[nodiscard]] os::lcid LcidFor(LanguageIndex index);
    void ApplyToRuntime(LanguageIndex index);
    [[nodiscard]] bool IsUntranslated(unsigned id);

    os::locale& locale_;
    os::resources& resources_;
    std::uint32_t languageMask_ = 1;
    LanguageIndex language_ = FrenchLanguage;
    os::lcid lcid_ = 0;
    std::uint32_t codePage_ = 1252;
    os::module_handle resourceModule_ = 0;
    bool rightToLeft_ = false;
};
