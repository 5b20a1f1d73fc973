// Native double of the system-text port: the English texts of the error codes the program can
// meet, word for word as Windows gives them (trailing "\r\n" included), and "not found" otherwise.
#pragma once

#include "os/system_text.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace os::native {

class system_text_table final : public system_text {
public:
    static constexpr std::uint16_t english_us = 0x0409;

    // The English table; `user_language` is the language that language 0 picks first.
    explicit system_text_table(std::uint16_t user_language = english_us);

    // Adds or replaces the text of a code in a language (the text is stored as given, so tests can
    // give texts with unusual endings).  A language with at least one text is "installed".
    void set(std::uint32_t code, std::wstring text, std::uint16_t language = english_us);
    // Removes a code's text in every language, as on a system that has no text for it.
    void remove(std::uint32_t code);

    // Language 0 tries the user language, then English; another language must be installed (1815
    // otherwise) and hold the code (317 otherwise).
    std::error_code format_message(std::uint32_t code, std::uint16_t language, std::wstring& text) override;

private:
    [[nodiscard]] bool installed(std::uint16_t language) const;

    std::uint16_t user_language_;
    std::map<std::pair<std::uint16_t, std::uint32_t>, std::wstring> texts_;
};

}  // namespace os::native
