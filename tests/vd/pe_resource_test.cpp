// The PE resource lookup on real PE32 and PE32+ files, and on files whose tables lie.
#include "vd/pe_resource.h"

#include <gtest/gtest.h>

#include "vd/version_block.h"
#include "vd/version_test_files.h"

using namespace version_test;

namespace {

std::uint32_t read32(const std::vector<std::byte>& b, std::size_t at) {
    return std::to_integer<std::uint32_t>(b[at]) | (std::to_integer<std::uint32_t>(b[at + 1]) << 8) |
           (std::to_integer<std::uint32_t>(b[at + 2]) << 16) | (std::to_integer<std::uint32_t>(b[at + 3]) << 24);
}
void write32(std::vector<std::byte>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
}

class PeResource : public testing::TestWithParam<const char*> {};

TEST_P(PeResource, FindsTheVersionBlockAndOtherResourcesByNumber) {
    const auto image = fixture_bytes(GetParam());
    const auto version = vd::find_pe_resource(image, 16, 1);
    ASSERT_TRUE(version);
    const auto fixed = vd::read_fixed_file_info(*version);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->file_version_ms, 0x00070008u);
    EXPECT_EQ(fixed->file_version_ls, 0x00120001u);

    const auto data = vd::find_pe_resource(image, 10, 1);  // RT_RCDATA 1 holds "x"
    ASSERT_TRUE(data);
    ASSERT_EQ(data->size(), 1u);
    EXPECT_EQ((*data)[0], std::byte{'x'});

    EXPECT_FALSE(vd::find_pe_resource(image, 16, 2));
    EXPECT_FALSE(vd::find_pe_resource(image, 6, 1));
}

INSTANTIATE_TEST_SUITE_P(Machines, PeResource, testing::Values("product_pe32.exe", "product_pe32plus.exe"));

TEST(PeResourceFile, AFileWithoutVersionResourceOrNotPeHasNone) {
    EXPECT_FALSE(vd::find_pe_resource(fixture_bytes("no_version.exe"), 16, 1));
    EXPECT_TRUE(vd::find_pe_resource(fixture_bytes("no_version.exe"), 10, 1));
    const std::string text = "MZ this is a text file, not a program";
    std::vector<std::byte> not_pe(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) not_pe[i] = static_cast<std::byte>(text[i]);
    EXPECT_FALSE(vd::find_pe_resource(not_pe, 16, 1));
    EXPECT_FALSE(vd::find_pe_resource({}, 16, 1));
}

TEST(PeResourceFile, TruncatedFilesNeverReadPastTheirEnd) {
    for (const char* name : {"product_pe32.exe", "product_pe32plus.exe"}) {
        const auto image = fixture_bytes(name);
        for (std::size_t size = 0; size < image.size(); size += 7) {
            const std::vector<std::byte> prefix(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(size));
            if (const auto found = vd::find_pe_resource(prefix, 16, 1)) {
                EXPECT_LE(found->data() + found->size(), prefix.data() + prefix.size());
            }
        }
    }
}

TEST(PeResourceFile, HeadersThatPointOutsideTheFileMeanNoResource) {
    for (const char* name : {"product_pe32.exe", "product_pe32plus.exe"}) {
        const auto good = fixture_bytes(name);
        const std::size_t nt = read32(good, 0x3C);
        const std::size_t optional = nt + 24;
        const bool plus = std::to_integer<int>(good[optional + 1]) == 2;
        const std::size_t directories = optional + (plus ? 112 : 96);
        const std::size_t optional_size =
            std::to_integer<std::size_t>(good[nt + 20]) | (std::to_integer<std::size_t>(good[nt + 21]) << 8);
        const std::size_t sections = optional + optional_size;
        const std::size_t section_count = std::to_integer<std::size_t>(good[nt + 6]);

        struct patch {
            const char* what;
            std::size_t offset;
            std::uint32_t value;
        };
        std::vector<patch> patches = {
            {"NT headers past the end", 0x3C, 0xFFFFFFF0u},
            {"no resource directory slot", directories - 4, 2},
            {"resource directory larger than its section", directories + 16 + 4, 0x7FFFFFFFu},
            {"resource directory at an unmapped address", directories + 16, 0x7FFF0000u},
        };
        // The section that holds the resources: its raw data moved past the end of the file.
        const std::uint32_t resource_rva = read32(good, directories + 16);
        bool found = false;
        for (std::size_t i = 0; i < section_count; ++i) {
            const std::size_t entry = sections + 40 * i;
            const std::uint32_t va = read32(good, entry + 12);
            if (resource_rva >= va && resource_rva - va < read32(good, entry + 8)) {
                patches.push_back({"section data past the end", entry + 20, 0xFFFFFF00u});
                found = true;
            }
        }
        ASSERT_TRUE(found) << name;
        for (const auto& p : patches) {
            auto image = good;
            write32(image, p.offset, p.value);
            EXPECT_FALSE(vd::find_pe_resource(image, 16, 1)) << name << ": " << p.what;
        }
    }
}

}  // namespace
