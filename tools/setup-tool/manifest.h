// The pack manifest: UTF-8 text, one entry a line, kind<TAB>folder<TAB>source.
#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

namespace setup_tool {

struct manifest_line {
    std::size_t number = 0;  // 1-based line number in the manifest
    std::uint32_t kind = 0;
    std::wstring folder;
    std::wstring source;                // as written: it goes into the archive
    std::filesystem::path source_file;  // where it is on this machine
};

// A fault in the manifest, with the line it is on.
class manifest_error : public std::runtime_error {
public:
    manifest_error(std::size_t line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
    [[nodiscard]] std::size_t line() const noexcept { return line_; }

private:
    std::size_t line_;
};

// Reads every line; relative sources are found below `base`.  Throws manifest_error for a line
// that has not three fields, a kind that is not 0-5, an empty or unusable folder or source, text
// that is not UTF-8, or a source that is not a readable regular file.
[[nodiscard]] std::vector<manifest_line> read_manifest(std::istream& in, const std::filesystem::path& base);

}  // namespace setup_tool
