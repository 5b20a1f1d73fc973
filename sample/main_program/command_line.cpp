// The main program's command line.
#include "main_program/command_line.h"

#include <vector>

namespace sample {
namespace {

bool is_blank(wchar_t c) { return c == L' ' || c == L'\t'; }

// Words separated by blanks; a quoted word keeps its blanks and loses its quotes.
std::optional<std::vector<std::wstring>> split_words(std::wstring_view text) {
    std::vector<std::wstring> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && is_blank(text[i])) ++i;
        if (i == text.size()) break;
        std::wstring word;
        if (text[i] == L'"') {
            const auto close = text.find(L'"', i + 1);
            if (close == std::wstring_view::npos) return std::nullopt;
            word = text.substr(i + 1, close - i - 1);
            i = close + 1;
            if (i < text.size() && !is_blank(text[i])) return std::nullopt;
        } else {
            while (i < text.size() && !is_blank(text[i])) word.push_back(text[i++]);
        }
        words.push_back(std::move(word));
    }
    return words;
}

bool same_switch(std::wstring_view word, std::wstring_view name) {
    if (word.size() != name.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        const auto lower = [](wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; };
        if (lower(word[i]) != lower(name[i])) return false;
    }
    return true;
}

// Exactly sixteen hexadecimal digits.
std::optional<std::uint64_t> parse_version(std::wstring_view digits) {
    if (digits.size() != 16) return std::nullopt;
    std::uint64_t value = 0;
    for (const wchar_t c : digits) {
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9')
            digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'a' && c <= L'f')
            digit = static_cast<unsigned>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F')
            digit = static_cast<unsigned>(c - L'A' + 10);
        else
            return std::nullopt;
        value = value << 4 | digit;
    }
    return value;
}

}  // namespace

std::optional<main_command> parse_main_command(std::wstring_view arguments) {
    const auto words = split_words(arguments);
    if (!words) return std::nullopt;
    main_command command;
    if (words->empty()) return command;
    if (words->size() == 1 && !words->front().starts_with(L'/')) {
        command.document = words->front();
        return command;
    }
    if (words->size() < 2 || words->size() > 3 || !same_switch((*words)[0], L"/Register") ||
        !same_switch((*words)[1], L"/Background"))
        return std::nullopt;
    command.what = main_command::action::register_background;
    if (words->size() == 3) {
        constexpr std::wstring_view update = L"/update=";
        const std::wstring& word = (*words)[2];
        if (!same_switch(std::wstring_view(word).substr(0, update.size()), update)) return std::nullopt;
        command.previousVersion = parse_version(std::wstring_view(word).substr(update.size()));
        if (!command.previousVersion) return std::nullopt;
    }
    return command;
}

}  // namespace sample
