// Reading an uninstall log: one line at a time from the file, never more than one line's buffer
// in memory, stopping at the first line that breaks the format.
#include "records/log_format.h"
#include "records/log_paths.h"
#include "records/uninstall_log.h"
#include "vd/utf16.h"

#include <array>

namespace {

// The reader's line buffer: 1024 bytes, holding a line with its line end and a terminating null.
constexpr std::size_t line_buffer_bytes = 1024;
constexpr std::size_t max_utf16_units = line_buffer_bytes / 2 - 1;
constexpr std::size_t max_ansi_bytes = line_buffer_bytes - 1;
// A real log holds a few hundred records; a file with more is not one and is not read further.
constexpr std::size_t max_records = 65536;

class byte_source {
public:
    explicit byte_source(os::file& file) : file_(file) {}

    // The next byte; false at the end of the file or when reading fails (failed() tells).
    bool next(std::byte& b) {
        if (pushed_count_ > 0) {
            b = pushed_[--pushed_count_];
            return true;
        }
        if (pos_ == len_ && !refill()) return false;
        b = chunk_[pos_++];
        return true;
    }
    bool at_end() { return pushed_count_ == 0 && pos_ == len_ && !refill(); }
    // Gives back bytes taken with next(), last taken first.
    void unread(std::byte b) { pushed_[pushed_count_++] = b; }
    [[nodiscard]] bool failed() const { return failed_; }

private:
    bool refill() {
        if (done_) return false;
        std::size_t count = 0;
        if (file_.read(chunk_, count)) failed_ = true;
        if (failed_ || count == 0) {
            done_ = true;
            return false;
        }
        pos_ = 0;
        len_ = count;
        return true;
    }
    os::file& file_;
    std::array<std::byte, 4096> chunk_{};
    std::size_t pos_ = 0;
    std::size_t len_ = 0;
    std::array<std::byte, 2> pushed_{};
    std::size_t pushed_count_ = 0;
    bool done_ = false;
    bool failed_ = false;
};

enum class line_status { line, end, stop };

// One UTF-16LE line: code units up to and including U+000A.
line_status read_utf16_line(byte_source& in, std::u16string& line) {
    line.clear();
    std::byte lo{}, hi{};
    while (line.size() < max_utf16_units) {
        if (!in.next(lo)) break;
        if (!in.next(hi)) break;  // an odd byte at the end is no code unit
        const auto unit = static_cast<char16_t>(static_cast<unsigned>(lo) | (static_cast<unsigned>(hi) << 8));
        line.push_back(unit);
        if (unit == u'\n') return line_status::line;
    }
    if (in.failed()) return line_status::stop;
    if (line.size() == max_utf16_units && !in.at_end()) return line_status::stop;  // longer than the buffer
    return line.empty() ? line_status::end : line_status::line;
}

line_status read_ansi_line(byte_source& in, std::string& line) {
    line.clear();
    std::byte b{};
    while (line.size() < max_ansi_bytes) {
        if (!in.next(b)) break;
        line.push_back(static_cast<char>(b));
        if (b == std::byte{0x0A}) return line_status::line;
    }
    if (in.failed()) return line_status::stop;
    if (line.size() == max_ansi_bytes && !in.at_end()) return line_status::stop;
    return line.empty() ? line_status::end : line_status::line;
}

}  // namespace

void UninstallLog::Read(std::optional<std::wstring_view> path) {
    installPath_.clear();
    leftOutRecords_ = 0;
    shortcutPath_.clear();
    if (!path) return;
    logVersion_ = 0;
    std::unique_ptr<os::file> file;
    if (ports_.files.open(*path, os::file_access::read, os::file_disposition::open_existing, os::file_share::read,
                          file))
        return;
    byte_source in(*file);

    // The encoding is decided by the first two bytes of the file.
    std::array<std::byte, 2> start{};
    std::size_t start_count = 0;
    while (start_count < 2 && in.next(start[start_count])) ++start_count;
    const bool utf16 = start_count == 2 && start[0] == std::byte{0xFF} && start[1] == std::byte{0xFE};
    if (!utf16)
        while (start_count > 0) in.unread(start[--start_count]);

    bool version_read = false;
    int line_number = -1;
    std::size_t records = 0;
    std::u16string units;
    std::string bytes;
    for (;;) {
        std::wstring text;
        line_status status;
        if (utf16) {
            status = read_utf16_line(in, units);
            if (status == line_status::line) text = vd::from_utf16(std::u16string_view(units.c_str()));
        } else {
            status = read_ansi_line(in, bytes);
            if (status == line_status::line) {
                const std::string_view narrow(bytes.c_str());  // a null ends the line's text
                text = narrow.empty() ? std::wstring()
                                      : (ports_.ansi_to_wide ? ports_.ansi_to_wide(narrow) : std::wstring());
            }
        }
        if (status != line_status::line) break;
        // Text after a null is not part of the line, and a line that begins with one is skipped.
        if (const auto null = text.find(L'\0'); null != std::wstring::npos) text.erase(null);
        if (text.empty()) continue;
        ++line_number;

        const std::wstring_view line = records::trim_right(text);
        if (line.starts_with(L"//")) {
            std::wstring_view header = line;
            while (header.starts_with(L'/')) header.remove_prefix(1);
            while (!header.empty() && records::is_log_space(header.front())) header.remove_prefix(1);
            if (line_number == 0) {
                const auto version = records::parse_version_line(header);
                if (version) logVersion_ = *version;
                if (!version || *version != 1) break;
                version_read = true;
            } else if (line_number == 2) {
                auto title = records::header_value(header, records::install_keyword, true);
                if (!title) break;
                previousLogTitle_ = std::move(*title);
            } else if (line_number == 3 || line_number == 4) {
                const auto keyword = line_number == 3 ? records::install_path_keyword : records::shortcut_path_keyword;
                auto folder = records::header_value(header, keyword, false);
                if (!folder) break;
                // Only a local folder is looked at: asking about a network path already reaches out.
                if (records::is_local_absolute_path(*folder) && IsFolder(*folder))
                    (line_number == 3 ? installPath_ : shortcutPath_) = std::move(*folder);
            }
            continue;
        }
        if (!version_read || records >= max_records) break;
        auto record = records::parse_record_line(line);
        if (!record) break;
        ++records;
        // A well-formed record whose path this program must not act on is left out; the next
        // records are still read.
        if (records::is_usable_record(*record))
            previousRecords_.push_back(std::move(*record));
        else
            ++leftOutRecords_;
    }
    (void)file->close();
}
