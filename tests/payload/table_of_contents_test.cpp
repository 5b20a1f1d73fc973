// The table of contents: its byte layout, UTF-16 strings and the file names taken from sources.
#include "payload/payload_fixture.h"

#include <future>

namespace payload_test {
namespace {

TEST(TableOfContents, LayoutIsLittleEndianWithUtf16Strings) {
    payload::payload_entry e{L"D:\\src\\ä.dll", L"<InstallPath>", 4, 0x0102030405060708ull, 0xA1B2C3D4u};
    const auto t = payload::build_table_of_contents({e});
    const std::vector<std::uint8_t> expected = {
        // data_offset = 12 + 4 + 12*2 + 4 + 13*2 + 4 + 8 + 4 = 86
        86,  0, 0,   0, 0,   0, 0,    0, 1,    0, 0,   0, 12,  0, 0,   0, 'D',  0,    ':',  0,    '\\', 0,
        's', 0, 'r', 0, 'c', 0, '\\', 0, 0xE4, 0, '.', 0, 'd', 0, 'l', 0, 'l',  0,    13,   0,    0,    0,
        '<', 0, 'I', 0, 'n', 0, 's',  0, 't',  0, 'a', 0, 'l', 0, 'l', 0, 'P',  0,    'a',  0,    't',  0,
        'h', 0, '>', 0, 4,   0, 0,    0, 8,    7, 6,   5, 4,   3, 2,   1, 0xD4, 0xC3, 0xB2, 0xA1,
    };
    ASSERT_EQ(t.size(), expected.size());
    for (std::size_t i = 0; i < t.size(); ++i) EXPECT_EQ(std::to_integer<std::uint8_t>(t[i]), expected[i]) << i;
    const auto back = payload::parse_table_of_contents(t);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].source, e.source);
    EXPECT_EQ(back[0].destination, e.destination);
    EXPECT_EQ(back[0].kind, e.kind);
    EXPECT_EQ(back[0].size, e.size);
    EXPECT_EQ(back[0].crc, e.crc);
}

TEST(TableOfContents, LengthsCountUtf16Units) {
    payload::payload_entry e{L"\U0001F333.dat", L"<InstallPath>", 0, 0, 0};  // one character, two units
    const auto t = payload::build_table_of_contents({e});
    EXPECT_EQ(std::to_integer<int>(t[12]), 6);
    EXPECT_EQ(payload::parse_table_of_contents(t).at(0).source, e.source);
}

TEST(TableOfContents, FileNamesComeFromTheLastElement) {
    const std::pair<const wchar_t*, const wchar_t*> good[] = {
        {L"D:\\build\\lang\\de.dll", L"de.dll"}, {L"/home/rel/x.bin", L"x.bin"}, {L"plain.txt", L"plain.txt"}};
    for (const auto& [source, name] : good) EXPECT_EQ(payload::file_name_of(source), name);
    for (const wchar_t* bad : {L"D:\\build\\", L"", L"a\\..", L"x\\.", L"C:evil.dll"}) {
        try {
            (void)payload::file_name_of(bad);
            ADD_FAILURE() << "accepted " << recorder::narrow(bad);
        } catch (const payload::compress_error& e) {
            EXPECT_EQ(e.code(), payload::compress_errc::unexpected_error);
        }
    }
}

TEST(CompressCategory, MessagesAndCodeTexts) {
    const std::pair<int, const char*> messages[] = {{3, "invalid checksum"}, {4, "unknown error"},
                                                    {5, "interrupted"},      {6, "bzip2 error"},
                                                    {7, "unexpected error"}, {42, "unknown error"}};
    for (const auto& [value, text] : messages) EXPECT_EQ(payload::compress_category().message(value), text);
    EXPECT_STREQ(payload::compress_category().name(), "compress");
    EXPECT_EQ(payload::error_code_text(os::win_error(32)), L"1:00000020");
    EXPECT_EQ(payload::error_code_text(os::win_error(0x8007000E)), L"1:8007000E");
    EXPECT_EQ(payload::error_code_text(std::error_code(28, std::generic_category())), L"2:0000001C");
    EXPECT_EQ(payload::error_code_text(payload::compress_errc::interrupted), L"5");
    EXPECT_EQ(payload::error_code_text(std::make_error_code(std::future_errc::no_state)), L"7");
}

}  // namespace
}  // namespace payload_test
