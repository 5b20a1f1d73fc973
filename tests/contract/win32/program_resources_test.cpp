// Win32-only: the icons and version block the program carries, read through the resources port
// from this test program, which links the same resource scripts.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "os/win32/resources_win32.h"

namespace {

std::uint16_t word_at(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                      (std::to_integer<unsigned>(bytes[offset + 1]) << 8));
}

TEST(ProgramResources, IconGroupsOfTheProgramAndTheFlags) {
    os::win32::resources_adapter resources;
    const auto program = resources.program_module();
    std::vector<std::uint16_t> groups{128};
    for (std::uint16_t id = 141; id <= 162; ++id) {
        if (id != 159) groups.push_back(id);
    }
    for (const auto id : groups) {
        const auto group = resources.find(program, os::resource_type::group_icon, id);
        ASSERT_TRUE(group.has_value()) << "icon group " << id;
        ASSERT_GE(group->size(), 6u);
        EXPECT_EQ(word_at(*group, 0), 0u);
        EXPECT_EQ(word_at(*group, 2), 1u);  // icons, not cursors
        const std::uint16_t count = word_at(*group, 4);
        EXPECT_EQ(count, 2u) << "32x32 and 16x16";
        ASSERT_EQ(group->size(), 6u + 14u * count);
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t entry = 6 + 14u * i;
            const auto width = std::to_integer<unsigned>((*group)[entry]);
            EXPECT_TRUE(width == 16 || width == 32) << "icon group " << id;
            const auto image = resources.find(program, os::resource_type::icon, word_at(*group, entry + 12));
            EXPECT_TRUE(image.has_value()) << "icon group " << id;
        }
    }
    EXPECT_FALSE(resources.find(program, os::resource_type::group_icon, 159).has_value());
}

TEST(ProgramResources, VersionBlockNamesTheApplication) {
    os::win32::resources_adapter resources;
    const auto block = resources.find(resources.program_module(), os::resource_type::version, 1);
    ASSERT_TRUE(block.has_value());
    ASSERT_GE(block->size(), 6u);
    EXPECT_EQ(word_at(*block, 0), block->size());
    const std::u16string key = u"ApplicationId";
    const std::u16string value = u"Lignotek7";
    auto contains = [&](const std::u16string& text) {
        const auto* bytes = reinterpret_cast<const char*>(text.data());
        const std::string needle(bytes, text.size() * 2);
        const std::string haystack(reinterpret_cast<const char*>(block->data()), block->size());
        return haystack.find(needle) != std::string::npos;
    };
    EXPECT_TRUE(contains(key));
    EXPECT_TRUE(contains(value));
}

}  // namespace
