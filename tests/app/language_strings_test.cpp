// The program's string tables as generated from the per-language sources: every block holds the
// installer's ids, the untranslated entries are where they belong, and translations keep their
// inserts and line breaks.
#include "app/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "res/program_strings.h"

namespace {

// The installer's string ids, relative to a block.
const std::set<unsigned>& installer_ids() {
    static const std::set<unsigned> ids = [] {
        std::set<unsigned> result;
        for (unsigned id = 0; id <= 18; ++id) result.insert(id);
        for (unsigned id = 100; id <= 131; ++id) {
            if (id != 116 && id != 128 && id != 130) result.insert(id);
        }
        return result;
    }();
    return ids;
}

// language index -> (relative id -> text)
std::map<LanguageIndex, std::map<unsigned, std::u16string_view>> tables() {
    std::map<LanguageIndex, std::map<unsigned, std::u16string_view>> result;
    for (const auto& language : res::program_strings()) {
        LanguageIndex index = -1;
        for (LanguageIndex i = 0; i < LanguageCount; ++i) {
            if (LanguageLcid(i) == language.lcid) index = i;
        }
        EXPECT_GE(index, 0) << language.tag;
        for (const auto& entry : language.entries) {
            const unsigned block = LanguageTable()[static_cast<std::size_t>(index)].stringBlock;
            EXPECT_GE(entry.id, block) << language.tag;
            result[index][entry.id - block] = entry.text;
        }
    }
    return result;
}

std::set<unsigned> translated_ids(LanguageIndex language) {
    const std::set<unsigned> partial = {1, 2, 3, 4, 5, 6, 8, 9};
    const std::set<unsigned> hebrew = {1, 2, 3, 4, 8, 9};
    std::set<unsigned> all_but_directx = installer_ids();
    all_but_directx.erase(131);
    switch (language) {
        case 0:
        case 19:
            return installer_ids();
        case 1:
        case 2:
        case 3:
        case 4:
        case 7:
        case 9:
        case 11:
            return all_but_directx;
        case 5:
        case 6:
        case 12:
        case 13:
            return partial;
        case 16:
            return hebrew;
        default:
            return {};
    }
}

// The inserts (%1, %2) and line breaks of a text, in order of appearance sorted.
std::multiset<std::u16string> markers(std::u16string_view text) {
    std::multiset<std::u16string> result;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'%' && text[i + 1] >= u'1' && text[i + 1] <= u'9')
            result.insert(std::u16string(text.substr(i, 2)));
        if (text[i] == u'\r' && text[i + 1] == u'\n') result.insert(u"CRLF");
    }
    return result;
}

TEST(ProgramStrings, EveryLanguageHasOneBlockHoldingTheInstallerIds) {
    const auto all = tables();
    ASSERT_EQ(all.size(), static_cast<std::size_t>(LanguageCount));
    for (const auto& [language, table] : all) {
        std::set<unsigned> ids;
        for (const auto& [id, text] : table) ids.insert(id);
        EXPECT_EQ(ids, installer_ids()) << LanguageTable()[static_cast<std::size_t>(language)].name;
    }
}

TEST(ProgramStrings, UntranslatedEntriesAreExactlyTheOnesWithoutTranslation) {
    for (const auto& [language, table] : tables()) {
        const auto translated = translated_ids(language);
        for (const auto& [id, text] : table) {
            const bool expected_translated = translated.count(id) != 0;
            EXPECT_EQ(text != u"#", expected_translated)
                << LanguageTable()[static_cast<std::size_t>(language)].name << " entry " << id;
        }
    }
}

TEST(ProgramStrings, TranslationsKeepInsertsAndLineBreaks) {
    const auto all = tables();
    const auto& french = all.at(0);
    for (const auto& [language, table] : all) {
        for (const auto& [id, text] : table) {
            if (text == u"#" || id == 131) continue;
            EXPECT_EQ(markers(text), markers(french.at(id)))
                << LanguageTable()[static_cast<std::size_t>(language)].name << " entry " << id;
        }
    }
}

TEST(ProgramStrings, FrenchAndEnglishWordForWord) {
    const auto all = tables();
    const auto& french = all.at(0);
    const auto& english = all.at(1);
    EXPECT_EQ(french.at(112), u"Créer un raccourci dans le menu suivant\u00A0:");
    EXPECT_EQ(french.at(123), u"Dossier d'installation\u00A0: %1.");
    EXPECT_EQ(french.at(131), u"Mise à jour de DirectX...");
    EXPECT_EQ(french.at(110),
              u"L'installation n'est pas achevée.\r\n\r\nÊtes-vous certain de vouloir quitter l'installeur ?");
    EXPECT_EQ(english.at(14), u"Select Installation Langage");
    EXPECT_EQ(english.at(115), u"Copying File  %1...");
    EXPECT_EQ(english.at(129),
              u"'%1' will be installed in the selected Langage, but the Installer, still under translation,  shall run "
              u"in English.");
    EXPECT_EQ(english.at(131), u"#");
    EXPECT_EQ(english.at(104), u"Do you confirm Reinstallation ?");
}

TEST(ProgramStrings, BlocksDoNotShareAResource) {
    std::set<std::uint16_t> numbers;
    for (const auto& block : res::program_string_blocks()) {
        EXPECT_TRUE(numbers.insert(block.number).second) << block.number;
        EXPECT_EQ(block.bytes.size() % 2, 0u);
    }
}

}  // namespace
