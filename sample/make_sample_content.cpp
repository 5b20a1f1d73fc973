// make-sample-content: writes the sample product's placeholder files, deterministically, from a list
// of "path<TAB>size" lines.  The bytes mix short words and noise so that they compress about as well
// as real program files and data do (roughly three to one).
//
// usage: make-sample-content LIST OUTDIR
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

// xorshift64*: the same bytes on every machine.
class generator {
public:
    explicit generator(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }

private:
    std::uint64_t state_;
};

std::uint64_t seed_of(const std::string& name) {
    std::uint64_t h = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : name) h = (h ^ c) * 1099511628211ull;
    return h;
}

constexpr std::array<const char*, 32> words = {
    "wood ",  "grain ", "oak ",    "beech ",  "panel ",   "joint ",    "mortise ", "tenon ",
    "plank ", "board ", "veneer ", "finish ", "texture ", "material ", "layer ",   "cut ",
    "saw ",   "plane ", "sand ",   "glue ",   "frame ",   "door ",     "drawer ",  "shelf ",
    "table ", "chair ", "leg ",    "rail ",   "stile ",   "edge ",     "face ",    "end "};

void fill(std::vector<char>& out, generator& g) {
    std::size_t i = 0;
    while (i < out.size()) {
        const std::uint64_t r = g.next();
        if ((r & 0x3F) < 2) {
            // A run of noise, as in code and compressed images.
            const std::size_t n = std::min<std::size_t>(24 + (r >> 8) % 40, out.size() - i);
            for (std::size_t k = 0; k < n; k += 8) {
                std::uint64_t v = g.next();
                for (std::size_t b = 0; b < 8 && k + b < n; ++b) out[i + k + b] = static_cast<char>(v >> (8 * b));
            }
            i += n;
        } else {
            const char* w = words[(r >> 8) % words.size()];
            for (; *w && i < out.size(); ++w) out[i++] = *w;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-sample-content LIST OUTDIR\n";
        return 2;
    }
    std::ifstream list(argv[1]);
    if (!list) {
        std::cerr << "make-sample-content: cannot open " << argv[1] << "\n";
        return 1;
    }
    const std::filesystem::path out_dir = argv[2];
    std::string line;
    std::vector<char> buffer;
    for (int number = 1; std::getline(list, line); ++number) {
        if (line.empty() || line[0] == '#') continue;
        const auto tab = line.find('\t');
        if (tab == std::string::npos) {
            std::cerr << "make-sample-content: line " << number << ": expected path<TAB>size\n";
            return 1;
        }
        const std::string name = line.substr(0, tab);
        const std::uint64_t size = std::stoull(line.substr(tab + 1));
        const auto path = out_dir / name;
        std::filesystem::create_directories(path.parent_path());
        buffer.assign(static_cast<std::size_t>(size), '\0');
        generator g(seed_of(name));
        fill(buffer, g);
        // Programs and libraries start like one.
        if (size >= 2 && (name.ends_with(".exe") || name.ends_with(".dll"))) buffer[0] = 'M', buffer[1] = 'Z';
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        if (!out) {
            std::cerr << "make-sample-content: cannot write " << path.string() << "\n";
            return 1;
        }
    }
    return 0;
}
