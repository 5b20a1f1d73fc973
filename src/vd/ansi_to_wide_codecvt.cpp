// ansi_to_wide_codecvt: each call converts its whole input in one system call.  When the output is too small
// for that, the facet converts the part that surely fits (no code page makes more than one wide
// character of one byte) and reports a partial conversion, so that a stream buffer can go on.
#include "vd/ansi_to_wide_codecvt.h"

#include <algorithm>
#include <span>

#include "os/code_page.h"
#include "os/win_error.h"

namespace vd::details {
namespace {
constexpr std::size_t longest_string = 0x7FFFFFFE;
}

ansi_to_wide_codecvt::ansi_to_wide_codecvt(os::code_page& code_pages, std::size_t refs)
    : std::codecvt<wchar_t, char, std::mbstate_t>(refs), code_pages_(code_pages) {}

ansi_to_wide_codecvt::result ansi_to_wide_codecvt::do_in(state_type&, const extern_type* from,
                                                         const extern_type* from_end, const extern_type*& from_next,
                                                         intern_type* to, intern_type* to_end,
                                                         intern_type*& to_next) const {
    from_next = from;
    to_next = to;
    if (from == from_end) return ok;
    if (to == to_end) return partial;  // an empty output would only measure
    std::span<const char> input(from, static_cast<std::size_t>(from_end - from));
    const std::span<wchar_t> output(to, static_cast<std::size_t>(to_end - to));
    std::size_t count = 0;
    auto failure =
        code_pages_.to_wide(os::code_page_id::thread_ansi, os::multi_byte_flag::precomposed, input, output, count);
    bool partial_input = false;
    if (failure == os::win_error(os::errc::insufficient_buffer) && output.size() < input.size()) {
        input = input.first(output.size());
        partial_input = true;
        failure =
            code_pages_.to_wide(os::code_page_id::thread_ansi, os::multi_byte_flag::precomposed, input, output, count);
    }
    if (failure || count == 0) return error;
    from_next = from + input.size();
    to_next = to + count;
    return partial_input ? partial : ok;
}

ansi_to_wide_codecvt::result ansi_to_wide_codecvt::do_out(state_type&, const intern_type* from,
                                                          const intern_type* from_end, const intern_type*& from_next,
                                                          extern_type* to, extern_type* to_end,
                                                          extern_type*& to_next) const {
    from_next = from;
    to_next = to;
    if (from == from_end) return ok;
    if (to == to_end) return partial;
    const std::span<const wchar_t> input(from, static_cast<std::size_t>(from_end - from));
    const std::span<char> output(to, static_cast<std::size_t>(to_end - to));
    std::size_t count = 0;
    bool used_default = false;
    const auto failure = code_pages_.to_bytes(os::code_page_id::thread_ansi, os::wide_char_flag::no_best_fit_chars,
                                              input, output, count, used_default);
    if (failure || count == 0) return failure == os::win_error(os::errc::insufficient_buffer) ? partial : error;
    from_next = from_end;
    to_next = to + count;
    return ok;
}

ansi_to_wide_codecvt::result ansi_to_wide_codecvt::do_unshift(state_type&, extern_type* to, extern_type*,
                                                              extern_type*& to_next) const {
    to_next = to;
    return ok;
}

int ansi_to_wide_codecvt::do_length(state_type&, const extern_type* from, const extern_type* from_end,
                                    std::size_t max) const {
    if (from == from_end) return 0;
    std::size_t count = 0;
    if (code_pages_.to_wide(os::code_page_id::thread_ansi, os::multi_byte_flag::precomposed,
                            std::span<const char>(from, static_cast<std::size_t>(from_end - from)), {}, count)) {
        return 0;
    }
    return static_cast<int>(std::min({count, max, longest_string}));
}

std::wstring to_wide(const ansi_to_wide_codecvt& facet, std::string_view bytes) {
    if (bytes.empty()) return {};
    std::mbstate_t state{};
    const int length = facet.length(state, bytes.data(), bytes.data() + bytes.size(), longest_string);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    state = {};
    const char* from_next = nullptr;
    wchar_t* to_next = nullptr;
    const auto result = facet.in(state, bytes.data(), bytes.data() + bytes.size(), from_next, text.data(),
                                 text.data() + text.size(), to_next);
    if (result != std::codecvt_base::ok) return {};
    text.resize(static_cast<std::size_t>(to_next - text.data()));
    return text;
}

}  // namespace vd::details
