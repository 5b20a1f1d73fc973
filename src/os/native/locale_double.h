// Native double of the locale port: a configurable user locale over a table of the locales the
// program meets (the 21 interface languages), and a record of what was applied to the runtime.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "os/locale.h"

namespace os::native {

class scripted_locale final : public locale {
public:
    struct locale_facts {
        std::wstring name;        // LCIDToLocaleName
        std::wstring nativeName;  // LOCALE_SNATIVELANGNAME, as the system writes it
        std::uint32_t ansiCodePage = 0;
        std::optional<locale_font_signature> fontSignature;
    };

    // A user in English (United States) with the 21 interface languages known.
    scripted_locale();

    // The user's default locale; the default language follows it unless set_user_language is used.
    void set_user_lcid(lcid user);
    void set_user_language(langid language) { userLanguage_ = language; }
    // Replaces (or adds) what the double knows of a language (keyed by the LCID's language part).
    void set_facts(langid language, std::optional<locale_facts> facts);
    [[nodiscard]] std::optional<locale_facts> facts(langid language) const;
    void set_system_ansi_code_page(std::uint32_t codePage) { systemCodePage_ = codePage; }

    // What the program applied.
    [[nodiscard]] lcid thread_locale() const { return threadLocale_; }
    [[nodiscard]] bool process_wide_locales() const { return processWide_; }
    [[nodiscard]] const std::wstring& runtime_locale() const { return runtimeLocale_; }  // "C" at first
    [[nodiscard]] const std::wstring& global_locale() const { return globalLocale_; }    // "C" at first
    [[nodiscard]] int runtime_applications() const { return runtimeApplications_; }

    lcid user_default_lcid() override { return userLcid_; }
    langid user_default_language() override { return userLanguage_; }
    std::optional<std::wstring> native_language_name(lcid locale) override;
    std::optional<std::uint32_t> ansi_code_page(lcid locale) override;
    std::optional<locale_font_signature> font_signature(lcid locale) override;
    std::optional<std::wstring> locale_name(lcid locale) override;
    std::uint32_t ansi_code_page() override { return systemCodePage_; }
    std::wstring upper_first(std::wstring_view text) override;
    std::error_code set_thread_locale(lcid locale) override;
    void use_process_wide_locales() override { processWide_ = true; }
    std::error_code apply_runtime_locale(std::wstring_view name) override;
    std::error_code set_global_locale(std::wstring_view name) override;

private:
    [[nodiscard]] const locale_facts* find(lcid locale) const;
    [[nodiscard]] bool knows_name(std::wstring_view name) const;

    std::map<langid, locale_facts> facts_;
    lcid userLcid_ = 1033;
    langid userLanguage_ = 1033;
    std::uint32_t systemCodePage_ = 1252;
    lcid threadLocale_ = 1033;
    bool processWide_ = false;
    std::wstring runtimeLocale_ = L"C";
    std::wstring globalLocale_ = L"C";
    int runtimeApplications_ = 0;
};

}  // namespace os::native
