// The current language, its locale and the localized text lookup.
#include "app/language_state.h"

#include <stdexcept>
#include <utility>

#include "os/win_error.h"
#include "vd/format_message.h"
#include "vd/hresult_error.h"
#include "vd/string_table.h"

namespace {

constexpr unsigned EnglishOffset = 1000;  // English id = French id + 1000
constexpr std::uint32_t ChineseSimplifiedSubLanguage = 2;
constexpr std::uint32_t ChineseSingaporeSubLanguage = 4;
constexpr LanguageIndex ChineseLanguage = 10;
constexpr unsigned RightToLeftSubsetBit = 27;  // Unicode-subset bit 123: right-to-left layout

bool ValidIndex(LanguageIndex index) noexcept { return index >= 0 && index < LanguageCount; }

const LanguageInfo& Info(LanguageIndex index) { return LanguageTable()[static_cast<std::size_t>(index)]; }

}  // namespace

LanguageState::LanguageState(os::locale& locale, os::resources& resources) : locale_(locale), resources_(resources) {
    locale_.use_process_wide_locales();
    ApplyToRuntime(FrenchLanguage);
    lcid_ = LcidFor(FrenchLanguage);
    // A thread locale the system refuses leaves the system's default, which is as good a start.
    (void)locale_.set_thread_locale(lcid_);
}

os::module_handle LanguageState::ResourceModule() {
    if (resourceModule_ == 0) resourceModule_ = resources_.program_module();
    return resourceModule_;
}

os::lcid LanguageState::LcidFor(LanguageIndex index) {
    const os::lcid user = locale_.user_default_lcid();
    const os::lcid own = LanguageLcid(index);
    // The user's own locale keeps its sort order when it is this very language.
    return os::lcid_language(user) == own ? user : own;
}

void LanguageState::ApplyToRuntime(LanguageIndex index) {
    const os::lcid own = LanguageLcid(index);
    const bool userSpeaksIt =
        os::primary_language(locale_.user_default_language()) == os::primary_language(os::lcid_language(own));
    const auto name = locale_.locale_name(userSpeaksIt ? locale_.user_default_lcid() : LcidFor(index));
    // Without a name the runtime stays at the "C" conventions; the language still changes.
    (void)locale_.apply_runtime_locale(name && !name->empty() ? std::wstring_view(*name) : std::wstring_view(L"C"));
}

void LanguageState::SetLanguage(LanguageIndex index) {
    if (!ValidIndex(index)) throw std::invalid_argument("language index outside 0-20");
    if (index != language_) ApplyToRuntime(index);
    language_ = index;
    lcid_ = LcidFor(index);
    const auto codePage = locale_.ansi_code_page(lcid_);
    codePage_ = codePage && *codePage != 0 ? *codePage : locale_.ansi_code_page();
    resourceModule_ = 0;
    rightToLeft_ = IsRightToLeft(index);
}

LanguageIndex LanguageState::DefaultLanguage(std::uint32_t mask) {
    if (mask == 0) mask = languageMask_;
    const os::langid user = locale_.user_default_language();
    const auto primary = os::primary_language(user);
    const auto sub = os::sub_language(user);
    for (LanguageIndex index = 0; index < LanguageCount; ++index) {
        if (Info(index).primaryLanguage != primary) continue;
        if (index == ChineseLanguage && sub != ChineseSimplifiedSubLanguage && sub != ChineseSingaporeSubLanguage) {
            continue;
        }
        if ((mask >> index) & 1u) return index;
    }
    return (mask & (1u << EnglishLanguage)) != 0 ? EnglishLanguage : FrenchLanguage;
}

std::wstring LanguageState::LanguageNativeName(LanguageIndex index) {
    if (!ValidIndex(index)) return {};
    const auto name = locale_.native_language_name(LcidFor(index));
    if (!name || name->empty()) return {};
    return locale_.upper_first(*name);
}

bool LanguageState::IsRightToLeft(LanguageIndex index) {
    if (!ValidIndex(index)) return false;
    const auto signature = locale_.font_signature(LanguageLcid(index));
    if (!signature) return index == HebrewLanguage;
    return ((signature->unicode_subsets[3] >> RightToLeftSubsetBit) & 1u) != 0;
}

bool LanguageState::IsUntranslated(unsigned id) { return vd::load_string(resources_, ResourceModule(), id) == u"#"; }

unsigned LanguageState::LocalizedId(unsigned frenchId) {
    LanguageIndex language = language_;
    unsigned candidate = 0;
    if (!HasInstallerTexts(language)) {
        language = EnglishLanguage;
        candidate = frenchId + EnglishOffset;
    } else {
        if (language == FrenchLanguage) return frenchId;
        candidate = frenchId + (Info(language).stringBlock - 1000);
    }
    if (!IsUntranslated(candidate)) return candidate;
    if (language == EnglishLanguage) return frenchId;
    return IsUntranslated(frenchId + EnglishOffset) ? frenchId : frenchId + EnglishOffset;
}

std::wstring LanguageState::LoadText(unsigned frenchId) {
    return vd::load_string_text(resources_, ResourceModule(), LocalizedId(frenchId)).value_or(std::wstring{});
}

std::wstring LanguageState::FormatText(unsigned frenchId, std::span<const std::wstring_view> arguments) {
    const auto pattern = vd::load_string_text(resources_, ResourceModule(), LocalizedId(frenchId));
    if (!pattern) throw vd::hresult_error(os::hr::e_fail);
    if (pattern->empty()) throw vd::hresult_error(os::hr::e_invalidarg);
    auto formatted = vd::format_message(*pattern, arguments);
    if (formatted.error != 0) throw vd::hresult_error(os::hr::from_win32(formatted.error));
    return std::move(formatted.text);
}
