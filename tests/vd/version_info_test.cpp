// vd::version_info over real executables, over hand-made blocks and over the running module's
// resource, and the composition of the product title.
#include "vd/version_info.h"

#include <gtest/gtest.h>

#include <optional>

#include "os/native/resources_double.h"
#include "os/resources.h"
#include "vd/pe_resource.h"
#include "vd/version_test_blocks.h"
#include "vd/version_test_files.h"

using namespace version_test;

namespace {

constexpr std::uint32_t english = 0x0409;
constexpr std::uint32_t german = 0x0407;
constexpr std::uint32_t french = 0x040C;
constexpr std::uint32_t french_canadian = 0x0C0C;

std::wstring path_of(const char* name) {
    std::wstring path = L"C:\\Program Files\\Lignotek\\";
    for (const char* c = name; *c != 0; ++c) path += static_cast<wchar_t>(*c);
    return path;
}

memory_files files_with(std::initializer_list<const char*> names) {
    memory_files files;
    for (const char* name : names) files.files[path_of(name)] = fixture_bytes(name);
    return files;
}

struct file_case {
    const char* file;
    std::uint64_t version;
    const wchar_t* name;
    const wchar_t* product_version;
    const wchar_t* title_in_german;
};

class VersionInfoFile : public testing::TestWithParam<file_case> {};

TEST_P(VersionInfoFile, AnswersFromTheFilesVersionResource) {
    const auto& c = GetParam();
    auto files = files_with({c.file});
    files.chunk = 333;  // the file arrives in several reads
    const vd::version_info info(files, path_of(c.file));
    EXPECT_TRUE(info.has_fixed_info());
    EXPECT_NE(info.size(), 0u);
    EXPECT_EQ(info.file_version(), c.version);
    EXPECT_EQ(info.product_name(), c.name);
    EXPECT_EQ(info.product_version(), c.product_version);
    EXPECT_EQ(info.product_title(german), c.title_in_german);
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, VersionInfoFile,
    testing::Values(file_case{"product_pe32.exe", 0x0007000800120001ull, L"Lignotek", L"7.08r", L"Lignotek 7.08r"},
                    file_case{"product_pe32plus.exe", 0x0007000800120001ull, L"Lignotek", L"7.08r", L"Lignotek 7.08r"},
                    // The first translation listed wins, not the first string table stored.
                    file_case{"two_translations.exe", 0x0007000800120001ull, L"First listed", L"", L"First listed"},
                    // Only a 1252 translation: no strings at all, the version still answers.
                    file_case{"only_1252.exe", 0x0007000800120001ull, L"", L"", L""},
                    // A version of one NUL is empty, and the title has no trailing space.
                    file_case{"empty_version.exe", 0x0007000800120001ull, L"Lignotek", L"", L"Lignotek"},
                    // Pre-release, private and debug: only the last "bêta" becomes "beta".
                    file_case{"prerelease.exe", 0x0007000900000003ull, L"Lignotek b\u00EAta", L"7.09 b\u00EAta",
                              L"Lignotek b\u00EAta 7.09 beta \u2013 Private \u2013 Debug"},
                    file_case{"product_older.exe", 0x0007000700020000ull, L"Lignotek", L"7.08r", L"Lignotek 7.08r"},
                    file_case{"product_newer.exe", 0x0007000900000000ull, L"Lignotek", L"7.08r", L"Lignotek 7.08r"}));

TEST(VersionInfo, TranslationsAreKeysOfTheUnicodeEntriesInOrder) {
    auto files = files_with({"two_translations.exe", "only_1252.exe"});
    const vd::version_info two(files, path_of("two_translations.exe"));
    EXPECT_EQ(two.translations(), (std::vector<std::wstring>{L"040704b0", L"040904b0"}));
    const vd::version_info ansi(files, path_of("only_1252.exe"));
    EXPECT_TRUE(ansi.translations().empty());
}

TEST(VersionInfo, ALargeFileIsReadOnlyWhereItsHeadersAndResourcesLie) {
    // The installed program may carry a payload of a gigabyte behind its sections: its version is
    // still read, and only the few kilobytes of headers and resource tree are.
    for (const std::uint64_t size : {std::uint64_t{64} << 20, std::uint64_t{3} << 29}) {
        auto files = files_with({"product_pe32.exe"});
        files.apparent_size = size;
        const vd::version_info info(files, path_of("product_pe32.exe"));
        EXPECT_EQ(info.file_version(), 0x0007000800120001ull) << size;
        EXPECT_EQ(info.product_name(), L"Lignotek") << size;
        EXPECT_LT(files.bytes_read, 64u << 10) << size;
    }
}

TEST(VersionInfo, MissingFilesAndFilesWithoutResourceHaveNoInformation) {
    memory_files files = files_with({"no_version.exe"});
    std::vector<std::byte> truncated = fixture_bytes("product_pe32.exe");
    truncated.resize(truncated.size() / 2);
    files.files[L"C:\\cut.exe"] = truncated;
    files.files[L"C:\\empty.exe"] = {};
    for (const std::wstring& path : {path_of("no_version.exe"), std::wstring(L"C:\\nowhere.exe"),
                                     std::wstring(L"C:\\cut.exe"), std::wstring(L"C:\\empty.exe")}) {
        const vd::version_info info(files, path);
        EXPECT_EQ(info.size(), 0u);
        EXPECT_FALSE(info.has_fixed_info());
        EXPECT_EQ(info.file_version(), 0u);
        EXPECT_EQ(info.product_name(), L"");
        EXPECT_EQ(info.product_title(english), L"");
    }
}

TEST(VersionInfo, ABlockWithoutRootValueHasNoStringsEvenWhenItHoldsSome) {
    const auto block =
        serialize(make_block({}, {{u"040004b0", {text_value(u"ProductName", u"Lignotek")}}}, {{0x0400, 1200}}));
    const vd::version_info info{std::span<const std::byte>(block)};
    EXPECT_NE(info.size(), 0u);
    EXPECT_FALSE(info.has_fixed_info());
    EXPECT_TRUE(info.translations().empty());
    EXPECT_EQ(info.product_name(), L"");
    EXPECT_EQ(info.file_version(), 0u);
}

TEST(VersionInfo, AValueWithoutItsNulIsReadWhole) {
    const auto block = serialize(make_block(
        fixed_info_bytes(1, 2),
        {{u"040004b0",
          {text_value(u"ProductVersion", u"2.04a", false), text_value(u"ApplicationId", u"Lignotek7", true)}}},
        {{0x0400, 1200}}));
    const vd::version_info info{std::span<const std::byte>(block)};
    EXPECT_EQ(info.product_version(), L"2.04a");
    EXPECT_EQ(info.string_value(L"ApplicationId"), L"Lignotek7");
    EXPECT_EQ(info.string_value(L"SpecialBuild"), L"");
}

struct title_case {
    std::uint32_t flags;
    std::uint32_t mask;
    std::uint32_t lcid;
    const wchar_t* title;
};

class ProductTitle : public testing::TestWithParam<title_case> {};

TEST_P(ProductTitle, FollowsTheBuildFlagsAndTheLanguage) {
    const auto& c = GetParam();
    const auto block = serialize(make_block(
        fixed_info_bytes(0x00070009, 0, c.flags, c.mask),
        {{u"040004b0",
          {text_value(u"ProductName", u"Lignotek b\u00EAta"), text_value(u"ProductVersion", u"7.09 b\u00EAta")}}},
        {{0x0400, 1200}}));
    const vd::version_info info{std::span<const std::byte>(block)};
    EXPECT_EQ(info.product_title(c.lcid), c.title);
}

INSTANTIATE_TEST_SUITE_P(
    Flags, ProductTitle,
    testing::Values(title_case{0x0, 0x3F, english, L"Lignotek b\u00EAta 7.09 b\u00EAta"},
                    title_case{0x2, 0x3F, english, L"Lignotek b\u00EAta 7.09 beta"},
                    title_case{0x2, 0x3F, french, L"Lignotek b\u00EAta 7.09 b\u00EAta"},
                    title_case{0x2, 0x3F, french_canadian, L"Lignotek b\u00EAta 7.09 b\u00EAta"},
                    title_case{0x8, 0x3F, french, L"Lignotek b\u00EAta 7.09 b\u00EAta \u2013 Private"},
                    title_case{0x1, 0x3F, german, L"Lignotek b\u00EAta 7.09 b\u00EAta \u2013 Debug"},
                    title_case{0xB, 0x3F, german, L"Lignotek b\u00EAta 7.09 beta \u2013 Private \u2013 Debug"},
                    // Flags outside the mask do not count.
                    title_case{0xB, 0x0, german, L"Lignotek b\u00EAta 7.09 b\u00EAta"}));

TEST(ProductTitleWord, TheAccentedWordIsMatchedExactly) {
    const auto block = serialize(make_block(
        fixed_info_bytes(1, 0, 0x2),
        {{u"040004b0", {text_value(u"ProductName", u"Lignotek B\u00CATA"), text_value(u"ProductVersion", u"")}}},
        {{0x0400, 1200}}));
    const vd::version_info info{std::span<const std::byte>(block)};
    EXPECT_EQ(info.product_title(english), L"Lignotek B\u00CATA");
}

TEST(DisplayName, KeepsTheNameAsStoredWhateverTheSpecialBuild) {
    for (const auto special : {u"EU", u"", u"US"}) {
        const auto block = serialize(make_block(
            fixed_info_bytes(1, 0),
            {{u"040004b0", {text_value(u"ProductName", u"Lignotek Studio"), text_value(u"SpecialBuild", special)}}},
            {{0x0400, 1200}}));
        const vd::version_info info{std::span<const std::byte>(block)};
        EXPECT_EQ(info.display_name(), L"Lignotek Studio");
    }
}

// A resources port with one module and a call counter.
class counted_resources final : public os::resources {
public:
    std::optional<std::vector<std::byte>> version;
    int finds = 0;
    os::module_handle program_module() override { return 0x400000; }
    std::optional<std::span<const std::byte>> find(os::module_handle module, std::uint16_t type,
                                                   std::uint16_t id) override {
        ++finds;
        if (module != 0x400000 || type != 16 || id != 1 || !version) return std::nullopt;
        return std::span<const std::byte>(*version);
    }
};

std::vector<std::byte> product_version_block() {
    const auto image = fixture_bytes("product_pe32.exe");
    const auto block = *vd::find_pe_resource(image, 16, 1);
    return {block.begin(), block.end()};
}

TEST(RunningModuleVersionInfo, PointsIntoTheResourceOfTheResourcesGiven) {
    counted_resources resources;
    resources.version = product_version_block();
    const vd::version_info info(resources);
    EXPECT_EQ(resources.finds, 1);
    EXPECT_EQ(info.file_version(), 0x0007000800120001ull);
    EXPECT_EQ(info.product_title(english), L"Lignotek 7.08r");
    EXPECT_EQ(vd::running_module_version_block(resources).data(), resources.version->data());
}

TEST(RunningModuleVersionInfo, EachResourcesAnswerForThemselves) {
    // No lookup is kept between objects: resources given later are asked, and a module without a
    // version resource gives an object without information.
    counted_resources product;
    product.version = product_version_block();
    counted_resources bare;
    const vd::version_info first(product);
    const vd::version_info second(bare);
    EXPECT_EQ(bare.finds, 1);
    EXPECT_EQ(first.file_version(), 0x0007000800120001ull);
    EXPECT_EQ(second.size(), 0u);
    EXPECT_TRUE(vd::running_module_version_block(bare).empty());
}

}  // namespace
