// The checksum, the bzip2 filter, the temporary folder name and the payload resource stream.
#include "payload/payload_fixture.h"

#include "payload/bzip2_stream.h"
#include "payload/payload_stream.h"
#include "payload/temporary_folder.h"

#include <random>

namespace payload_test {
namespace {

TEST(Crc32, KnownValuesAndAnySplit) {
    EXPECT_EQ(vd::crc32_of(to_bytes("123456789")), 0xCBF43926u);
    EXPECT_EQ(vd::crc32_of(to_bytes("")), 0u);
    EXPECT_EQ(vd::crc32_of(to_bytes("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
    std::mt19937 gen(7);
    std::string data(1000, '\0');
    for (auto& c : data) c = static_cast<char>(gen());
    const auto whole = vd::crc32_of(to_bytes(data));
    for (std::size_t split : {1u, 3u, 8u, 13u, 999u}) {
        vd::crc32 c;
        c.update(data.data(), split);
        c.update(data.data() + split, data.size() - split);
        EXPECT_EQ(c.value(), whole) << split;
    }
}

std::string decode(const std::string& compressed) {
    std::istringstream in(compressed);
    payload::bzip2_decompressor d(in);
    std::string out;
    std::byte buffer[333];
    while (std::size_t n = d.read(buffer)) out.append(reinterpret_cast<const char*>(buffer), n);
    return out;
}

TEST(Bzip2, ConcatenatedStreamsDecodeAsOne) {
    std::string big(300000, '\0');
    std::mt19937 gen(1);
    for (auto& c : big) c = static_cast<char>('a' + gen() % 3);
    EXPECT_EQ(decode(compress(big)), big);
    EXPECT_EQ(decode(compress("first ") + compress("second")), "first second");
    EXPECT_TRUE(compress("x").starts_with("BZh9"));
}

TEST(Bzip2, BadInputThrows) {
    const auto good = compress(std::string(5000, 'q'));
    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"truncated", good.substr(0, good.size() - 3)},
        {"trailing garbage", good + "garbage"},
        {"not bzip2", "plain text"},
    };
    for (const auto& [name, bytes] : cases) EXPECT_THROW((void)decode(bytes), payload::bzip2_error) << name;
}

TEST(TemporaryFolder, RandomVersion4Name) {
    payload::uuid_bytes fixed{};
    for (std::size_t i = 0; i < fixed.size(); ++i) fixed[i] = static_cast<std::uint8_t>(0xF0 | i);
    EXPECT_EQ(payload::uuid_v4_text(fixed), L"f0f1f2f3-f4f5-46f7-b8f9-fafbfcfdfeff");
    auto a = payload::uuid_v4_text(payload::system_random_bytes());
    auto b = payload::uuid_v4_text(payload::system_random_bytes());
    EXPECT_NE(a, b);
    EXPECT_EQ(a[14], L'4');
}

class TemporaryFolderPath : public machine_fixture {};

TEST_F(TemporaryFolderPath, BuiltUnderTheTemporaryDirectoryOrFailsWithItsText) {
    auto fixed = [] { return payload::uuid_bytes{}; };
    auto r = payload::make_temporary_folder_path(*machine_, fixed);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.temp_folder, L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{00000000-0000-4000-8000-000000000000}");
    std::uint32_t attributes = 0;
    EXPECT_TRUE(machine_->get_attributes(r.temp_folder, attributes)) << "not created here";

    machine_->set_temp_path(L"", os::errc::path_not_found);
    r = payload::make_temporary_folder_path(*machine_, fixed);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error_text, L"00000003 (GetTempPath)");

    machine_->set_temp_path(L"C:\\" + std::wstring(244, L't') + L"\\");  // 248 characters
    r = payload::make_temporary_folder_path(*machine_, fixed);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error_text, L"00000000 (GetTempPath)");
}

class fake_resources final : public os::resources {
public:
    os::module_handle program_module() override { return 1; }
    std::optional<std::span<const std::byte>> find(os::module_handle module, std::uint16_t type,
                                                   std::uint16_t id) override {
        if (type != 260 || id != 134) return std::nullopt;
        auto it = payloads.find(module);
        if (it == payloads.end()) return std::nullopt;
        return std::span<const std::byte>(it->second);
    }
    std::map<os::module_handle, std::vector<std::byte>> payloads;
};

TEST(PayloadStream, ReadsTheResourceInPlace) {
    fake_resources res;
    res.payloads[1] = to_bytes("program payload");
    res.payloads[7] = to_bytes("language module payload");
    struct case_ {
        os::module_handle module;
        const char* expected;
    };
    for (const auto& c :
         {case_{0, "program payload"}, case_{7, "language module payload"}, case_{9, "program payload"}}) {
        os::module_handle module = c.module;
        auto s = payload::open_payload_stream(res, module);
        std::string text(std::istreambuf_iterator<char>(*s), {});
        EXPECT_EQ(text, c.expected);
        if (c.module == 0) {
            EXPECT_EQ(module, 1u) << "an empty resource module becomes the program";
        }
        // Seekable: the installation reads it twice.
        s->clear();
        s->seekg(0);
        EXPECT_EQ(s->get(), c.expected[0]);
    }
    res.payloads.clear();
    os::module_handle module = 0;
    auto empty = payload::open_payload_stream(res, module);
    EXPECT_EQ(empty->get(), std::char_traits<char>::eof());
}

}  // namespace
}  // namespace payload_test
