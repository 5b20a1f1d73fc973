// Win32-only: the locale port over the NLS functions and the C and C++ runtimes.
#pragma once

#include "os/locale.h"

namespace os::win32 {

class locale_adapter final : public locale {
public:
    lcid user_default_lcid() override;
    langid user_default_language() override;
    std::optional<std::wstring> native_language_name(lcid locale) override;
    std::optional<std::uint32_t> ansi_code_page(lcid locale) override;
    std::optional<locale_font_signature> font_signature(lcid locale) override;
    std::optional<std::wstring> locale_name(lcid locale) override;
    std::uint32_t ansi_code_page() override;
    std::wstring upper_first(std::wstring_view text) override;
    std::error_code set_thread_locale(lcid locale) override;
    void use_process_wide_locales() override;
    // MinGW's C++ library builds no named locales (it knows only "C"); then the C++ global locale
    // stays as it is and the C runtime alone carries the name, which is not a failure.
    std::error_code apply_runtime_locale(std::wstring_view name) override;
    // Likewise: a name the system knows but the C++ library cannot build is given to the C runtime.
    std::error_code set_global_locale(std::wstring_view name) override;
};

}  // namespace os::win32
