// Walking RT_STRING blocks, well-formed and damaged, and the two-module string lookup.
#include "vd/string_table.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "os/native/resources_double.h"
#include "res/program_strings.h"

namespace {

using os::native::memory_resources;

constexpr os::module_handle satellite = 0x10000000;

// A block with `count` entries of the given texts; the rest of the 16 are empty.
std::vector<std::byte> block_of(std::initializer_list<std::u16string_view> texts) {
    std::array<std::u16string_view, 16> entries{};
    std::size_t i = 0;
    for (const auto text : texts) entries[i++] = text;
    return res::encode_string_block(entries);
}

std::vector<std::byte> raw(std::initializer_list<std::uint16_t> units) {
    std::vector<std::byte> bytes;
    for (const auto unit : units) {
        bytes.push_back(static_cast<std::byte>(unit & 0xFF));
        bytes.push_back(static_cast<std::byte>(unit >> 8));
    }
    return bytes;
}

TEST(StringTableEntry, FindsEveryEntryOfAWellFormedBlock) {
    const auto block = block_of({u"zero", u"", u"two", u"#"});
    EXPECT_EQ(vd::string_table_entry(block, 0), u"zero");
    EXPECT_EQ(vd::string_table_entry(block, 2), u"two");
    EXPECT_EQ(vd::string_table_entry(block, 3), u"#");
    const auto empty = vd::string_table_entry(block, 1);
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
    EXPECT_NE(empty->data(), nullptr);
    EXPECT_TRUE(vd::string_table_entry(block, 15).has_value());
    EXPECT_FALSE(vd::string_table_entry(block, 16).has_value());
}

TEST(StringTableEntry, DamagedBlocksYieldNoString) {
    struct damaged {
        const char* what;
        std::vector<std::byte> bytes;
        unsigned entry;
    };
    auto odd = raw({3, 'a', 'b', 'c'});
    odd.push_back(std::byte{0});
    const damaged cases[] = {
        {"empty block", {}, 0},
        {"one byte", {std::byte{1}}, 0},
        {"length past the end", raw({5, 'a', 'b'}), 0},
        {"maximal length", raw({0xFFFF, 'a'}), 0},
        {"later entry past the end", raw({1, 'a', 9, 'b'}), 1},
        {"block ends before the entry", raw({1, 'a', 0}), 5},
        {"odd trailing byte before the entry", odd, 1},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(vd::string_table_entry(c.bytes, c.entry).has_value()) << c.what;
    }
    // Entries before the damage stay readable.
    EXPECT_EQ(vd::string_table_entry(raw({1, 'a', 9, 'b'}), 0), u"a");
}

TEST(StringTableEntry, MisalignedBlocksAreRefused) {
    std::vector<std::byte> storage(1);
    const auto block = block_of({u"x"});
    storage.insert(storage.end(), block.begin(), block.end());
    EXPECT_FALSE(vd::string_table_entry(std::span(storage).subspan(1), 0).has_value());
}

class LoadString : public testing::Test {
protected:
    memory_resources resources;
};

TEST_F(LoadString, ReadsTheEntryOfItsBlockInPlace) {
    resources.add(memory_resources::program, os::resource_type::string, 1000 / 16 + 1,
                  block_of({u"a", u"b", u"c", u"d", u"e", u"f", u"g", u"h", u"Parcourir..."}));
    const auto text = vd::load_string(resources, 0, 1000);  // 1000 = 62 * 16 + 8
    EXPECT_EQ(text, u"Parcourir...");
    const auto block = resources.find(memory_resources::program, os::resource_type::string, 63);
    ASSERT_TRUE(block);
    EXPECT_GE(reinterpret_cast<const std::byte*>(text.data()), block->data());
    EXPECT_LT(reinterpret_cast<const std::byte*>(text.data()), block->data() + block->size());
}

TEST_F(LoadString, MissingAndEmptyAreTold) {
    resources.add(memory_resources::program, os::resource_type::string, 1, block_of({u"", u"one"}));
    const auto missing = vd::load_string(resources, 0, 40);
    EXPECT_EQ(missing.data(), nullptr);
    const auto empty = vd::load_string(resources, 0, 0);
    EXPECT_NE(empty.data(), nullptr);
    EXPECT_TRUE(empty.empty());
    EXPECT_EQ(vd::load_string(resources, 0, 0x10000).data(), nullptr);
    EXPECT_EQ(vd::load_string_text(resources, 0, 1), L"one");
    EXPECT_FALSE(vd::load_string_text(resources, 0, 40).has_value());
}

TEST_F(LoadString, AnotherModuleFallsBackToTheProgramModule) {
    resources.add(memory_resources::program, os::resource_type::string, 1, block_of({u"program 0", u"program 1"}));
    resources.add(satellite, os::resource_type::string, 1, block_of({u"satellite 0"}));
    resources.add(satellite, os::resource_type::string, 2, raw({0xFFFF}));
    resources.add(memory_resources::program, os::resource_type::string, 2, block_of({u"program 16"}));
    EXPECT_EQ(vd::load_string(resources, satellite, 0), u"satellite 0");
    EXPECT_EQ(vd::load_string(resources, satellite, 1), u"program 1");    // empty entry there
    EXPECT_EQ(vd::load_string(resources, satellite, 16), u"program 16");  // damaged block there
    EXPECT_NE(vd::load_string(resources, satellite, 3).data(), nullptr);  // empty in both
    EXPECT_EQ(vd::load_string(resources, satellite, 40).data(), nullptr);
}

TEST(LoadProgramStrings, TextsBeyondTheBasicPlaneBecomeOneCharacter) {
    memory_resources resources;
    resources.add(memory_resources::program, os::resource_type::string, 1,
                  block_of({u"\U0001F600", std::u16string_view(u"\xD800x", 2)}));
    const std::wstring expected_pair =
        sizeof(wchar_t) == 2 ? std::wstring(L"\xD83D\xDE00") : std::wstring(1, wchar_t(0x1F600));
    EXPECT_EQ(vd::load_string_text(resources, 0, 0), expected_pair);
    if (sizeof(wchar_t) == 4) {
        EXPECT_EQ(vd::load_string_text(resources, 0, 1), std::wstring(L"\xFFFDx"));
    }
}

TEST(LoadProgramStrings, TheProgramTablesLoadThroughTheDouble) {
    memory_resources resources;
    resources.add_program_strings();
    EXPECT_EQ(vd::load_string_text(resources, 0, 1000), L"Installeur");
    EXPECT_EQ(vd::load_string_text(resources, 0, 2014), L"Select Installation Langage");
    EXPECT_EQ(vd::load_string_text(resources, 0, 2131), L"#");
    EXPECT_EQ(vd::load_string_text(resources, 0, 1112), L"Créer un raccourci dans le menu suivant\u00A0:");
    EXPECT_EQ(vd::load_string_text(resources, 0, 20131), L"DirectX frissítése...");
}

}  // namespace
