// The version-block walker answers as VerQueryValueW does and stays inside the bytes it is given.
#include "vd/version_block.h"

#include <gtest/gtest.h>

#include "vd/version_test_blocks.h"

using namespace version_test;

namespace {

std::vector<std::byte> sample_block() {
    return serialize(make_block(fixed_info_bytes(0x00070008, 0x00120001),
                                {{u"040904b0",
                                  {text_value(u"ProductName", u"Lignotek"),
                                   text_value(u"ProductVersion", u"7.08r", false), text_value(u"Empty", u"")}}},
                                {{0x0409, 1200}}));
}

TEST(VersionBlock, QueriesFindTheRootTheTranslationsAndTextValues) {
    const auto block = sample_block();

    const auto root = vd::query_version_value(block, L"\\");
    ASSERT_TRUE(root);
    EXPECT_EQ(root->length, 52u);
    EXPECT_FALSE(root->is_text);

    const auto translation = vd::query_version_value(block, L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->length, 4u);
    EXPECT_EQ(translation->bytes.size(), 4u);

    // Text lengths are characters; keys match without regard to ASCII case; empty elements are skipped.
    const auto name = vd::query_version_value(block, L"\\stringfileinfo\\040904B0\\\\PRODUCTNAME");
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->is_text);
    EXPECT_EQ(name->length, 9u);
    EXPECT_EQ(vd::version_value_text(*name), L"Lignotek");

    const auto version = vd::query_version_value(block, L"\\StringFileInfo\\040904b0\\ProductVersion");
    ASSERT_TRUE(version);
    EXPECT_EQ(version->length, 5u);
    EXPECT_EQ(vd::version_value_text(*version), L"7.08r");

    const auto empty = vd::query_version_value(block, L"\\StringFileInfo\\040904b0\\Empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->length, 1u);
    EXPECT_EQ(vd::version_value_text(*empty), L"");

    for (const wchar_t* missing : {L"\\StringFileInfo\\040904b0\\Product", L"\\StringFileInfo\\040704b0\\ProductName",
                                   L"\\VarFileInfo\\Translation\\More", L"\\Nothing"}) {
        EXPECT_FALSE(vd::query_version_value(block, missing))
            << "path " << testing::PrintToString(std::wstring(missing));
    }

    const auto fixed = vd::read_fixed_file_info(block);
    ASSERT_TRUE(fixed);
    EXPECT_EQ(fixed->signature, vd::fixed_file_info::expected_signature);
    EXPECT_EQ(fixed->file_version_ms, 0x00070008u);
    EXPECT_EQ(fixed->file_version_ls, 0x00120001u);
}

TEST(VersionBlock, NonAsciiTextIsDecodedFromUtf16) {
    const auto block = serialize(make_block(
        fixed_info_bytes(1, 0), {{u"040004b0", {text_value(u"N", u"b\u00EAta \U0001F600")}}}, {{0x0400, 1200}}));
    const auto value = vd::query_version_value(block, L"\\StringFileInfo\\040004b0\\N");
    ASSERT_TRUE(value);
    EXPECT_EQ(vd::version_value_text(*value), L"b\u00EAta \U0001F600");
}

TEST(VersionBlock, ARootValueShorterThanFixedFileInfoIsNoFixedInfo) {
    auto short_root = fixed_info_bytes(1, 2);
    short_root.resize(40);
    for (const auto& root_value : {std::vector<std::byte>{}, short_root}) {
        const auto block = serialize(make_block(root_value, {}, {}));
        EXPECT_TRUE(vd::query_version_value(block, L"\\"));
        EXPECT_FALSE(vd::read_fixed_file_info(block));
    }
}

// Every prefix of a good block, and a set of lying lengths: answers stay inside the bytes (the
// native build runs under AddressSanitizer) and a node that does not fit is not found.
TEST(VersionBlock, TruncatedBlocksNeverReadPastTheirEnd) {
    const auto block = sample_block();
    for (std::size_t size = 0; size < block.size(); ++size) {
        // A copy of exactly `size` bytes, so that any read past it is caught.
        const std::vector<std::byte> prefix(block.begin(), block.begin() + static_cast<std::ptrdiff_t>(size));
        for (const wchar_t* path : {L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo\\040904b0\\ProductName"}) {
            if (const auto value = vd::query_version_value(prefix, path)) {
                EXPECT_LE(value->bytes.data() + value->bytes.size(), prefix.data() + prefix.size());
            }
        }
        // The root's wLength covers the whole block: no prefix is a valid block.
        EXPECT_FALSE(vd::read_fixed_file_info(prefix)) << "size " << size;
    }
}

TEST(VersionBlock, LyingLengthsMakeTheNodeMissing) {
    struct lie {
        const char* what;
        std::size_t offset;  // of a 16-bit field in the block
        std::uint16_t value;
        const wchar_t* path;
    };
    const auto good = sample_block();
    // Offsets in the sample: root header at 0, its key ends at 38, the root value at 40..92,
    // "StringFileInfo" at 92, its first table at 92 + 36, the first value ("ProductName") after it.
    const std::size_t string_file_info = 92;
    const std::size_t table = string_file_info + 36;
    const std::size_t product_name = table + 24;
    const lie lies[] = {
        {"root longer than the block", 0, static_cast<std::uint16_t>(good.size() + 4), L"\\"},
        {"root shorter than its header", 0, 4, L"\\"},
        {"root value past the root", 2, 0xFFF0, L"\\"},
        {"child longer than its parent", string_file_info, 0xFFFC, L"\\StringFileInfo"},
        {"child of length 0", string_file_info, 0, L"\\StringFileInfo\\040904b0\\ProductName"},
        {"text value past its node", product_name + 2, 0x4000, L"\\StringFileInfo\\040904b0\\ProductName"},
    };
    for (const auto& l : lies) {
        auto block = good;
        block[l.offset] = static_cast<std::byte>(l.value & 0xFF);
        block[l.offset + 1] = static_cast<std::byte>(l.value >> 8);
        EXPECT_FALSE(vd::query_version_value(block, l.path)) << l.what;
    }

    // A key that runs to the end of the block without its NUL.
    std::vector<std::byte> unterminated;
    put16(unterminated, 10);
    put16(unterminated, 0);
    put16(unterminated, 0);
    put16(unterminated, u'V');
    put16(unterminated, u'S');
    EXPECT_FALSE(vd::query_version_value(unterminated, L"\\"));
}

}  // namespace
