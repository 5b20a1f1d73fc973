// The memory streams: reading in place, growth, put-back, seeking and the stream states.
#include "vd/memstream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::string bytes = "0123456789abcdef";

TEST(ImemStream, ReadsTheCallersBytesInPlaceAndAgainAfterEndOfFile) {
    vd::basic_imemstream in(bytes.data(), bytes.size());
    EXPECT_FALSE(in.rdbuf()->owns_storage());
    EXPECT_EQ(in.rdbuf()->view().data(), bytes.data());  // not copied

    std::string first(bytes.size() + 4, '\0');
    in.read(first.data(), static_cast<std::streamsize>(first.size()));
    EXPECT_EQ(in.gcount(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(in.eof());
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(in.get(), std::char_traits<char>::eof());

    in.clear();
    in.seekg(0);
    ASSERT_TRUE(in);
    std::string again(bytes.size(), '\0');
    in.read(again.data(), static_cast<std::streamsize>(again.size()));
    EXPECT_EQ(again, bytes);
    EXPECT_EQ(first.substr(0, bytes.size()), bytes);
}

TEST(ImemStream, AnEmptyStreamReportsEndOfFileAtOnce) {
    vd::basic_imemstream empty;
    EXPECT_EQ(empty.get(), std::char_traits<char>::eof());
    EXPECT_TRUE(empty.eof());
    vd::basic_imemstream none(nullptr, 0);
    char c = 0;
    EXPECT_FALSE(none.read(&c, 1));
}

TEST(ImemStream, IsReadOnlyWhateverTheModeAsked) {
    std::string storage = bytes;
    vd::basic_imemstream in(storage.data(), storage.size(),
                            std::ios_base::in | std::ios_base::out | std::ios_base::app);
    EXPECT_EQ(in.rdbuf()->mode() & (std::ios_base::out | std::ios_base::app), std::ios_base::openmode{});
    EXPECT_EQ(in.rdbuf()->sputc('X'), std::char_traits<char>::eof());
    EXPECT_EQ(storage, bytes);
    EXPECT_EQ(in.rdbuf()->pubseekoff(0, std::ios_base::beg, std::ios_base::out), std::streampos(-1));
}

TEST(ImemStream, OpenModesPlaceTheReadPosition) {
    vd::basic_imemstream at_end(bytes.data(), bytes.size(), std::ios_base::in | std::ios_base::ate);
    EXPECT_EQ(at_end.tellg(), std::streampos(16));
    EXPECT_EQ(at_end.get(), std::char_traits<char>::eof());
    at_end.clear();
    at_end.seekg(-3, std::ios_base::end);
    EXPECT_EQ(at_end.get(), 'd');

    vd::basic_imemstream truncated(bytes.data(), bytes.size(), std::ios_base::in | std::ios_base::trunc);
    EXPECT_EQ(truncated.get(), std::char_traits<char>::eof());
    EXPECT_TRUE(truncated.rdbuf()->view().empty());
}

TEST(ImemStream, PutBackAcceptsOnlyTheCharacterThatIsThere) {
    vd::basic_imemstream in(bytes.data(), bytes.size());
    EXPECT_FALSE(in.putback('0'));  // nothing read yet
    in.clear();
    EXPECT_EQ(in.get(), '0');
    EXPECT_EQ(in.get(), '1');
    EXPECT_FALSE(in.putback('x'));
    in.clear();
    EXPECT_TRUE(in.putback('1'));
    EXPECT_EQ(in.get(), '1');
    EXPECT_TRUE(in.unget());
    EXPECT_EQ(in.get(), '1');
}

struct seek_case {
    std::streamoff offset;
    std::ios_base::seekdir direction;
    std::streamoff expected;  // -1: refused
};

TEST(ImemStream, SeeksWithinTheRangeOnly) {
    const seek_case cases[] = {
        {0, std::ios_base::beg, 0},    {16, std::ios_base::beg, 16}, {17, std::ios_base::beg, -1},
        {-1, std::ios_base::beg, -1},  {0, std::ios_base::end, 16},  {-16, std::ios_base::end, 0},
        {-17, std::ios_base::end, -1}, {1, std::ios_base::end, -1},  {3, std::ios_base::cur, 7},
        {-4, std::ios_base::cur, 0},   {-5, std::ios_base::cur, -1}, {12, std::ios_base::cur, 16},
    };
    for (const auto& c : cases) {
        vd::basic_imemstream in(bytes.data(), bytes.size());
        in.seekg(4);
        const auto result = in.rdbuf()->pubseekoff(c.offset, c.direction, std::ios_base::in);
        EXPECT_EQ(std::streamoff(result), c.expected) << c.offset << " from " << c.direction;
        if (c.expected >= 0 && c.expected < 16) {
            EXPECT_EQ(in.get(), bytes[static_cast<std::size_t>(c.expected)]);
        }
    }
}

TEST(MemStream, GrowsBy256WhileSmallThenByHalf) {
    vd::basic_memstream stream;
    EXPECT_TRUE(stream.rdbuf()->owns_storage());
    std::vector<std::size_t> sizes;
    for (int i = 0; i < 1729; ++i) {
        ASSERT_NE(stream.rdbuf()->sputc(static_cast<char>('a' + i % 26)), std::char_traits<char>::eof());
        if (sizes.empty() || sizes.back() != stream.rdbuf()->capacity()) sizes.push_back(stream.rdbuf()->capacity());
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{256, 512, 768, 1152, 1728, 2592}));
    const auto written = stream.view();
    ASSERT_EQ(written.size(), 1729u);
    for (std::size_t i = 0; i < written.size(); ++i) ASSERT_EQ(written[i], static_cast<char>('a' + i % 26)) << i;
}

TEST(MemStream, WhatIsWrittenIsReadableAndPositionsMoveApart) {
    vd::basic_memstream stream;
    stream << "table of contents";
    std::string word;
    stream >> word;
    EXPECT_EQ(word, "table");
    EXPECT_EQ(stream.tellg(), std::streampos(5));
    EXPECT_EQ(stream.tellp(), std::streampos(17));

    stream.seekp(0);
    stream << "T";
    stream.seekg(0);
    std::string all;
    std::getline(stream, all);
    EXPECT_EQ(all, "Table of contents");

    // Moving both positions from the current one is refused, as is going past what was written.
    EXPECT_EQ(stream.rdbuf()->pubseekoff(0, std::ios_base::cur), std::streampos(-1));
    EXPECT_EQ(stream.rdbuf()->pubseekpos(18), std::streampos(-1));
    EXPECT_EQ(stream.rdbuf()->pubseekpos(17), std::streampos(17));
}

TEST(MemStream, PutBackIntoAWritableBufferStoresTheNewCharacter) {
    vd::basic_memstream stream;
    stream << "abc";
    EXPECT_EQ(stream.get(), 'a');
    EXPECT_TRUE(stream.putback('z'));
    EXPECT_EQ(stream.get(), 'z');
    EXPECT_EQ(stream.view(), "zbc");
}

TEST(MemStream, AppendModeWritesAtTheEndOnly) {
    vd::basic_memstream stream(std::ios_base::in | std::ios_base::out | std::ios_base::app);
    stream << "abc";
    EXPECT_EQ(stream.rdbuf()->pubseekoff(0, std::ios_base::beg, std::ios_base::out), std::streampos(-1));
    EXPECT_EQ(stream.rdbuf()->pubseekoff(0, std::ios_base::end, std::ios_base::out), std::streampos(3));
    stream.seekg(0);
    EXPECT_EQ(stream.get(), 'a');
    stream << "d";
    EXPECT_EQ(stream.view(), "abcd");
    // Append without out is dropped: such a buffer only reads.
    vd::basic_memstream reading(std::ios_base::in | std::ios_base::app);
    EXPECT_EQ(reading.rdbuf()->mode() & std::ios_base::app, std::ios_base::openmode{});
    EXPECT_EQ(reading.rdbuf()->sputc('x'), std::char_traits<char>::eof());
}

}  // namespace
