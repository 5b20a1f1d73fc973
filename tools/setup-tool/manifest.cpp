// Reading the pack manifest (see manifest.h).
#include "manifest.h"

#include "payload/payload_names.h"
#include "payload/table_of_contents.h"
#include "text.h"

#include <fstream>

namespace setup_tool {

std::vector<manifest_line> read_manifest(std::istream& in, const std::filesystem::path& base) {
    std::vector<manifest_line> out;
    std::string raw;
    for (std::size_t number = 1; std::getline(in, raw); ++number) {
        if (!raw.empty() && raw.back() == '\r') raw.pop_back();
        if (number == 1 && raw.starts_with("\xEF\xBB\xBF")) raw.erase(0, 3);
        if (raw.empty() || raw.front() == '#') continue;
        auto text = from_utf8(raw);
        if (!text) throw manifest_error(number, "not UTF-8 text");
        const auto first = text->find(L'\t');
        const auto second = first == std::wstring::npos ? first : text->find(L'\t', first + 1);
        if (second == std::wstring::npos || text->find(L'\t', second + 1) != std::wstring::npos)
            throw manifest_error(number, "expected kind<TAB>folder<TAB>source");
        manifest_line line;
        line.number = number;
        const std::wstring kind = text->substr(0, first);
        if (kind.size() != 1 || kind[0] < L'0' || kind[0] > L'5') throw manifest_error(number, "kind must be 0 to 5");
        line.kind = static_cast<std::uint32_t>(kind[0] - L'0');
        line.folder = text->substr(first + 1, second - first - 1);
        line.source = text->substr(second + 1);
        if (line.folder.empty()) throw manifest_error(number, "empty folder");
        if (line.source.empty()) throw manifest_error(number, "empty source");
        std::wstring file_name;
        try {
            file_name = payload::file_name_of(line.source);
        } catch (const std::exception&) {
            throw manifest_error(number, "the source has no usable file name");
        }
        // The reader's own rules: what it would refuse is never packed.
        if (const char* problem = payload::destination_name_problem(line.folder, file_name))
            throw manifest_error(number, problem);
        std::filesystem::path file = host_path(to_utf8(line.source));
        if (file.is_relative()) file = base / file;
        std::error_code ec;
        if (!std::filesystem::is_regular_file(file, ec)) throw manifest_error(number, "no such file: " + file.string());
        std::ifstream probe(file, std::ios::binary);
        if (!probe) throw manifest_error(number, "cannot read " + file.string());
        line.source_file = file;
        out.push_back(std::move(line));
    }
    if (in.bad()) throw std::runtime_error("cannot read the manifest");
    return out;
}

}  // namespace setup_tool
