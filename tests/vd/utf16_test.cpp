// The UTF-16 and UTF-8 codec: what survives a round trip, and what each decoder makes of bad input.
#include "vd/utf16.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <vector>

namespace {

// A wide string from UTF-16 units, as the platform holds it (pairs joined where wchar_t is 32 bits).
std::wstring wide(std::u16string_view units) { return vd::from_utf16(units); }

TEST(Utf16, UnitSequencesSurviveARoundTripLoneSurrogatesIncluded) {
    const std::u16string cases[] = {
        u"",
        u"C:\\Program Files\\Lignotek 7",
        u"Gr\u00FC\u00DFe \u4E2D\u6587",
        u"\U0001F600 smile",
        std::u16string(1, char16_t{0xD800}) + u"x",          // a lone high surrogate
        u"x" + std::u16string(1, char16_t{0xDC00}),          // a lone low surrogate
        std::u16string{char16_t{0xDC00}, char16_t{0xD800}},  // a pair in the wrong order
    };
    for (const auto& units : cases) {
        const std::wstring text = vd::from_utf16(units);
        EXPECT_EQ(vd::to_utf16(text), units);
        EXPECT_EQ(vd::utf16_length(text), units.size());
    }
}

TEST(Utf16, ReplacingDecodeShowsLoneSurrogatesAsReplacementCharacters) {
    const std::u16string lone = std::u16string(u"a") + char16_t{0xD800} + u"b" + char16_t{0xDFFF};
    const std::wstring shown = vd::from_utf16(lone, vd::lone_surrogate::replace);
#if WCHAR_MAX > 0xFFFF
    EXPECT_EQ(shown, L"a\uFFFDb\uFFFD");
    EXPECT_EQ(vd::from_utf16(u"\U0001F600", vd::lone_surrogate::replace), L"\U0001F600");
#else
    // Where a wide string is UTF-16 the units are handed on as they are.
    EXPECT_EQ(vd::to_utf16(shown), lone);
#endif
}

TEST(Utf16, LittleEndianBytesGiveUnitsAndAnOddLastByteIsDropped) {
    const std::vector<std::byte> bytes = {std::byte{0x41}, std::byte{0x00}, std::byte{0x3D}, std::byte{0xD8},
                                          std::byte{0x00}, std::byte{0xDE}, std::byte{0x7F}};
    EXPECT_EQ(vd::utf16le_units(bytes), (std::u16string{u'A', char16_t{0xD83D}, char16_t{0xDE00}}));
    std::vector<std::byte> written;
    vd::append_utf16le(written, wide(u"A\U0001F600"));
    EXPECT_EQ(written, std::vector<std::byte>(bytes.begin(), bytes.end() - 1));
}

TEST(Utf8, StrictDecodeRoundTripsAndRefusesMalformedSequences) {
    const std::string good[] = {"", "plain",
                                "Gr\xC3\xBC\xC3\x9F"
                                "e",
                                "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"};
    for (const auto& text : good) {
        const auto decoded = vd::from_utf8(text);
        ASSERT_TRUE(decoded) << text;
        EXPECT_EQ(vd::to_utf8(*decoded), text);
    }
    EXPECT_EQ(vd::from_utf8("\xF0\x9F\x98\x80"), wide(u"\U0001F600"));
    const std::string bad[] = {
        "\x80",              // a continuation byte without a lead
        "\xC3",              // a truncated sequence
        "\xC3(",             // a lead byte followed by no continuation
        "\xED\xA0\x80",      // an encoded surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xF8\x88\x80\x80\x80",
    };
    for (const auto& text : bad) EXPECT_FALSE(vd::from_utf8(text)) << testing::PrintToString(text);
}

TEST(Utf8, LenientDecodeGivesEveryByteSequenceAName) {
    struct case_t {
        const char* bytes;
        std::u16string expected;
    };
    const case_t cases[] = {
        {"a\xC3\xA9", u"a\u00E9"},
        {"\x80z", u"\u0080z"},    // a stray continuation byte stands for itself
        {"\xE2\x82", u"\u0082"},  // a truncated sequence keeps what it has
        {"\xC3(", u"\u00E8"},     // continuation bytes are taken unchecked
    };
    for (const auto& c : cases) EXPECT_EQ(vd::from_utf8_lenient(c.bytes), wide(c.expected)) << c.bytes;
}

TEST(Utf8, EncodesLoneSurrogatesAsTheyStand) {
    // Host names made from a lone surrogate keep it, so that the name reads back the same.
    const std::wstring lone = wide(std::u16string(1, char16_t{0xD800}));
    EXPECT_EQ(vd::to_utf8(lone), "\xED\xA0\x80");
    EXPECT_EQ(vd::from_utf8_lenient("\xED\xA0\x80"), lone);
}

}  // namespace
