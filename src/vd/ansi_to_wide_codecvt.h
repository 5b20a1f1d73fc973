// The conversion facet between wide characters and bytes in the ANSI code page of the current
// thread's locale, over the code-page port, and the whole-string conversion built on it.
#pragma once

#include <cwchar>
#include <locale>
#include <string>
#include <string_view>

namespace os {
class code_page;
}

namespace vd::details {

class ansi_to_wide_codecvt : public std::codecvt<wchar_t, char, std::mbstate_t> {
public:
    // Always CP_THREAD_ACP.  `code_pages` must outlive the facet (and every locale holding it).
    explicit ansi_to_wide_codecvt(os::code_page& code_pages, std::size_t refs = 0);

protected:
    result do_in(state_type& state, const extern_type* from, const extern_type* from_end, const extern_type*& from_next,
                 intern_type* to, intern_type* to_end, intern_type*& to_next) const override;
    result do_out(state_type& state, const intern_type* from, const intern_type* from_end,
                  const intern_type*& from_next, extern_type* to, extern_type* to_end,
                  extern_type*& to_next) const override;
    result do_unshift(state_type& state, extern_type* to, extern_type* to_end, extern_type*& to_next) const override;
    int do_length(state_type& state, const extern_type* from, const extern_type* from_end,
                  std::size_t max) const override;
    int do_encoding() const noexcept override { return 0; }
    int do_max_length() const noexcept override { return 5; }
    bool do_always_noconv() const noexcept override { return false; }

private:
    os::code_page& code_pages_;
};

// The bytes converted to wide characters with the facet; empty for an empty input or on error.
[[nodiscard]] std::wstring to_wide(const ansi_to_wide_codecvt& facet, std::string_view bytes);

}  // namespace vd::details
