// The parallel bzip2 decoder against the serial one: the same bytes, the same reads and the same
// fault on sound, damaged and unusual streams; and the marker search it rests on.
#include "payload/payload_fixture.h"

#include "payload/bzip2_block_scanner.h"
#include "payload/bzip2_parallel_decompressor.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace payload_test {
namespace {

std::string compress_at(std::string_view raw, int level) {
    std::ostringstream out;
    payload::bzip2_compressor c(out, level);
    c.write(to_bytes(raw));
    c.finish();
    return out.str();
}

// Words with runs and noise: compresses to several blocks of a few tens of KB at level 1.
std::string mixed_data(std::size_t size, unsigned seed) {
    std::mt19937 gen(seed);
    static constexpr const char* words[] = {"lignum ", "tek ", "payload ", "\r\n", "0000", "setup "};
    std::string out;
    while (out.size() < size) {
        switch (gen() % 4) {
            case 0:
                out.append(gen() % 40, static_cast<char>(gen()));
                break;
            case 1:
                out.push_back(static_cast<char>(gen()));
                break;
            default:
                out += words[gen() % std::size(words)];
        }
    }
    out.resize(size);
    return out;
}

// What a decoder hands out: every read's size, the bytes, and the fault that ended it.
struct outcome {
    std::vector<std::size_t> reads;
    std::string bytes;
    int error = 0;
    bool operator==(const outcome&) const = default;
};

template <typename Decoder>
outcome drain(Decoder& decoder, std::size_t chunk) {
    outcome o;
    std::vector<std::byte> buffer(chunk);
    try {
        while (std::size_t n = decoder.read(buffer)) {
            o.reads.push_back(n);
            o.bytes.append(reinterpret_cast<const char*>(buffer.data()), n);
        }
    } catch (const payload::bzip2_error& e) {
        o.error = e.error();
    }
    return o;
}

outcome serial(const std::string& compressed, std::size_t chunk) {
    std::istringstream in(compressed);
    payload::bzip2_serial_decompressor d(in);
    return drain(d, chunk);
}

outcome parallel(const std::string& compressed, std::size_t chunk, payload::bzip2_parallel_limits limits,
                 bool& fell_back) {
    std::istringstream in(compressed);
    payload::bzip2_parallel_decompressor d(in, limits);
    outcome o = drain(d, chunk);
    fell_back = d.fell_back();
    return o;
}

// Where each block of a sound stream starts, in bits.
std::vector<std::uint64_t> block_starts(const std::string& compressed) {
    const std::span<const std::byte> bytes(reinterpret_cast<const std::byte*>(compressed.data()), compressed.size());
    std::vector<std::uint64_t> starts;
    for (auto m = payload::find_bzip2_marker(bytes, 0); m && m->kind == payload::bzip2_marker_kind::block;
         m = payload::find_bzip2_marker(bytes, m->bit + 1))
        starts.push_back(m->bit);
    return starts;
}

void put_bits(std::string& s, std::uint64_t bit, std::uint64_t value, unsigned count) {
    for (unsigned i = 0; i < count; ++i) {
        const std::uint64_t at = bit + i;
        const auto mask = static_cast<char>(0x80 >> (at % 8));
        if ((value >> (count - 1 - i)) & 1)
            s[at / 8] = static_cast<char>(s[at / 8] | mask);
        else
            s[at / 8] = static_cast<char>(s[at / 8] & ~mask);
    }
}

std::string flip_bit(std::string s, std::uint64_t bit) {
    s[bit / 8] = static_cast<char>(s[bit / 8] ^ (0x80 >> (bit % 8)));
    return s;
}

struct stream_case {
    std::string name;
    std::string compressed;
    bool parallel_to_the_end;  // no fallback expected
};

std::vector<stream_case> damaged_and_unusual_streams() {
    const std::string sound = compress_at(mixed_data(600000, 3), 1);
    const auto starts = block_starts(sound);
    EXPECT_GE(starts.size(), 4u);
    std::vector<stream_case> cases{
        {"sound", sound, true},
        {"empty stream", compress_at("", 9), true},
        {"one small block", compress_at("a few bytes", 9), true},
        {"two streams", sound + compress_at("second stream", 9), false},
        {"garbage after the stream", sound + "junk", false},
        {"not bzip2", "plain text, long enough to look at", false},
        {"header only", "BZh9", false},
        {"bad level", "BZh0" + sound.substr(4), false},
        {"wrong combined checksum", flip_bit(sound, sound.size() * 8 - 8 - (sound.size() * 8 - 1) % 8), false},
    };
    for (std::size_t b = 0; b < starts.size(); ++b) {
        const std::uint64_t end = b + 1 < starts.size() ? starts[b + 1] : sound.size() * 8 - 80;
        const std::uint64_t middle = (starts[b] + end) / 2 + b % 8;
        cases.push_back({"flipped bit in block " + std::to_string(b), flip_bit(sound, middle), false});
        cases.push_back(
            {"flipped bit in the checksum of block " + std::to_string(b), flip_bit(sound, starts[b] + 48 + 5), false});
        std::string planted = sound;
        put_bits(planted, middle + 3, payload::bzip2_block_magic, 48);
        cases.push_back({"false block magic in block " + std::to_string(b), planted, false});
        planted = sound;
        put_bits(planted, middle + 5, payload::bzip2_stream_end_magic, 48);
        cases.push_back({"false end marker in block " + std::to_string(b), planted, false});
    }
    for (std::size_t cut : {0ul, 1ul, 3ul, 4ul, 5ul, 9ul, 10ul, 11ul, 40ul})
        cases.push_back({"truncated to " + std::to_string(cut), sound.substr(0, cut), false});
    for (std::size_t cut = 97; cut < sound.size(); cut += sound.size() / 13)
        cases.push_back({"truncated to " + std::to_string(cut), sound.substr(0, cut), false});
    for (std::size_t short_by = 1; short_by <= 12; ++short_by)
        cases.push_back({"short by " + std::to_string(short_by), sound.substr(0, sound.size() - short_by), false});
    return cases;
}

TEST(ParallelBzip2, SameReadsBytesAndFaultsAsTheSerialDecoder) {
    for (const auto& c : damaged_and_unusual_streams()) {
        for (std::size_t chunk : {std::size_t{4096}, std::size_t{777}}) {
            bool fell_back = false;
            const outcome expected = serial(c.compressed, chunk);
            const outcome got = parallel(c.compressed, chunk, {.workers = 2}, fell_back);
            EXPECT_EQ(got.error, expected.error) << c.name;
            EXPECT_EQ(got.bytes.size(), expected.bytes.size()) << c.name;
            EXPECT_TRUE(got == expected) << c.name << " chunk " << chunk;
            if (c.parallel_to_the_end) {
                EXPECT_FALSE(fell_back) << c.name << ": the parallel path gave up";
            }
        }
    }
}

TEST(ParallelBzip2, AnyPoolShapeAndBlocksLargerThanTheOutputLimit) {
    // Zero runs expand a level-1 block to about 5 MB, far past the limits below.
    const std::string data = mixed_data(300000, 5) + std::string(7000000, '\0') + mixed_data(200000, 6);
    const std::string compressed = compress_at(data, 1);
    const outcome expected = serial(compressed, 4096);
    ASSERT_EQ(expected.bytes, data);
    const payload::bzip2_parallel_limits shapes[] = {
        {.workers = 1, .blocks_in_flight = 1},
        {.workers = 2},
        {.workers = 3, .blocks_in_flight = 8, .block_output = 64 * 1024},
        {.workers = 2, .blocks_in_flight = 2, .block_output = 200 * 1024},
    };
    for (const auto& shape : shapes) {
        bool fell_back = false;
        EXPECT_TRUE(parallel(compressed, 4096, shape, fell_back) == expected) << shape.workers << " workers";
        EXPECT_FALSE(fell_back) << shape.workers << " workers";
    }
    // Damage in any block, the large ones included, still gives the serial decoder's result.
    for (std::uint64_t start : block_starts(compressed)) {
        const std::string damaged = flip_bit(compressed, start + 900);
        bool fell_back = false;
        EXPECT_TRUE(parallel(damaged, 4096, {.workers = 2, .block_output = 64 * 1024}, fell_back) ==
                    serial(damaged, 4096))
            << start;
    }
}

TEST(ParallelBzip2, StopsCleanlyWhenDestroyedMidStream) {
    const std::string compressed = compress_at(std::string(6000000, '\0') + mixed_data(500000, 8), 1);
    for (std::size_t reads : {0u, 1u, 300u}) {
        std::istringstream in(compressed);
        payload::bzip2_parallel_decompressor d(in, {.workers = 2, .block_output = 64 * 1024});
        std::array<std::byte, 4096> buffer;
        for (std::size_t i = 0; i < reads; ++i) ASSERT_EQ(d.read(buffer), buffer.size());
    }
}

TEST(ParallelBzip2, AnyThreadCountDecodesTheSameAndUsesTheInputUp) {
    const std::string data = mixed_data(450000, 9);
    const std::string compressed = compress_at(data, 1);
    for (unsigned threads : {1u, 2u, payload::automatic_bzip2_threads}) {
        std::istringstream in(compressed);
        payload::bzip2_decompressor d(in, threads);
        EXPECT_EQ(drain(d, 4096).bytes, data) << threads;
        in.clear();
        EXPECT_EQ(in.peek(), std::char_traits<char>::eof()) << threads;
    }
}

// Every file below a host folder with its content.
std::map<std::string, std::string> tree_of(const std::filesystem::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        std::ifstream in(e.path(), std::ios::binary);
        files[std::filesystem::relative(e.path(), root).string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

class ExtractionWithEitherDecoder : public machine_fixture {
protected:
    // The notifications, progress included, and the files an extraction leaves behind.
    std::pair<std::vector<std::string>, std::map<std::string, std::string>> extract_with(const std::string& compressed,
                                                                                         unsigned threads,
                                                                                         const std::string& folder) {
        os::native::directory_machine machine(root_ / folder);
        payload::payload_ports ports{machine, machine, {}, [](std::chrono::milliseconds) {}, 0};
        std::istringstream in(compressed);
        recorder r;
        (void)payload::extract_payload(in, ports, inputs(), r.callback(), threads);
        return {r.lines, tree_of(root_ / folder)};
    }
};

TEST_F(ExtractionWithEitherDecoder, SameNotificationsAndFilesForSoundAndDamagedPayloads) {
    const std::vector<file_spec> files{
        {L"<Temporary>", L"DSETUP.dll", 5, mixed_data(70000, 11)},
        {L"<InstallPath>\\Lang", L"de.dll", 0, mixed_data(260000, 12)},
        {L"<InstallPath>", L"empty.txt", 0, ""},
        {L"<CommonData>\\Vendrel & Vodoraru", L"oak.mat", 3, std::string(400000, '\0')},
        {L"<InstallPath>", L"Lignotek.exe", 1, mixed_data(300000, 13)},
    };
    const std::string raw = raw_archive(files);
    const std::string sound = compress_at(raw, 1);
    const auto starts = block_starts(sound);
    ASSERT_GE(starts.size(), 4u);
    const std::pair<const char*, std::string> cases[] = {
        {"sound", sound},
        {"flipped bit in block 2", flip_bit(sound, (starts[2] + starts[3]) / 2)},
        {"cut in block 1", sound.substr(0, (starts[1] + starts[2]) / 16)},
        {"two streams", compress_at(raw.substr(0, 333333), 1) + compress_at(raw.substr(333333), 9)},
        {"garbage after the stream", sound + "junk"},
    };
    for (const auto& [name, compressed] : cases) {
        const auto serial = extract_with(compressed, 1, std::string("serial-") + name);
        const auto parallel = extract_with(compressed, 2, std::string("parallel-") + name);
        EXPECT_EQ(parallel.first, serial.first) << name;
        EXPECT_EQ(parallel.second, serial.second) << name;
        EXPECT_GT(serial.first.size(), 10u) << name << ": the payload ends too early to show anything";
    }
}

TEST(Bzip2Markers, FoundAtEveryBitOffsetAndOnlyWhenWhole) {
    for (unsigned shift = 0; shift < 8; ++shift) {
        for (auto [magic, kind] :
             {std::pair{payload::bzip2_block_magic, payload::bzip2_marker_kind::block},
              std::pair{payload::bzip2_stream_end_magic, payload::bzip2_marker_kind::stream_end}}) {
            std::string bytes(20, '\x55');
            const std::uint64_t at = 40 + shift;
            put_bits(bytes, at, magic, 48);
            const std::span<const std::byte> view(reinterpret_cast<const std::byte*>(bytes.data()), bytes.size());
            const auto found = payload::find_bzip2_marker(view, 0);
            ASSERT_TRUE(found) << shift;
            EXPECT_EQ(found->bit, at);
            EXPECT_EQ(found->kind, kind);
            const auto from_it = payload::find_bzip2_marker(view, at);
            ASSERT_TRUE(from_it);
            EXPECT_EQ(from_it->bit, at);
            EXPECT_FALSE(payload::find_bzip2_marker(view, at + 1)) << "past it";
            EXPECT_FALSE(payload::find_bzip2_marker(view.first((at + 47) / 8), 0)) << "cut short, shift " << shift;
            EXPECT_EQ(payload::read_bits(view, at, 48), magic);
        }
    }
}

}  // namespace
}  // namespace payload_test
