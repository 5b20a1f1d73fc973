// Parsing and building the archive's table of contents, with every length checked against the
// buffered table: the table comes from a file the program did not write.
#include "payload/table_of_contents.h"

#include "payload/compress_error.h"
#include "payload/payload_names.h"
#include "vd/byte_order.h"
#include "vd/utf16.h"

#include <cstring>

namespace payload {

namespace {

[[noreturn]] void malformed(const char* what) { throw compress_error(compress_errc::unexpected_error, what); }

class reader {
public:
    explicit reader(std::span<const std::byte> data) : data_(data) {}

    template <typename T>
    T number() {
        if (data_.size() - pos_ < sizeof(T)) malformed("table of contents truncated");
        T value;
        if constexpr (sizeof(T) == 2)
            value = vd::read_le16(data_, pos_);
        else if constexpr (sizeof(T) == 4)
            value = vd::read_le32(data_, pos_);
        else
            value = vd::read_le64(data_, pos_);
        pos_ += sizeof(T);
        return value;
    }

    std::wstring string() {
        const std::uint64_t length = number<std::uint32_t>();
        if (length > (data_.size() - pos_) / 2) malformed("string runs past the table of contents");
        const auto units = vd::utf16le_units(data_.subspan(pos_, static_cast<std::size_t>(length) * 2));
        pos_ += units.size() * 2;
        return vd::from_utf16(units);
    }

    [[nodiscard]] std::size_t remaining() const noexcept { return data_.size() - pos_; }

private:
    std::span<const std::byte> data_;
    std::size_t pos_ = 0;
};

void put_string(std::vector<std::byte>& out, std::wstring_view text) {
    vd::append_le<std::uint32_t>(out, static_cast<std::uint32_t>(vd::utf16_length(text)));
    vd::append_utf16le(out, text);
}

}  // namespace

std::uint64_t toc_data_offset(std::span<const std::byte> prefix) noexcept { return vd::read_le64(prefix, 0); }

void set_toc_data_offset(std::span<std::byte> table, std::uint64_t data_offset) noexcept {
    vd::write_le64(table, 0, data_offset);
}

std::wstring file_name_of(std::wstring_view source) {
    const auto pos = source.find_last_of(L"\\/");
    std::wstring_view name = pos == std::wstring_view::npos ? source : source.substr(pos + 1);
    if (name.empty() || name == L"." || name == L".." || name.find(L':') != std::wstring_view::npos)
        malformed("unusable file name in the table of contents");
    return std::wstring(name);
}

std::vector<payload_entry> parse_table_of_contents(std::span<const std::byte> table) {
    reader r(table);
    const auto data_offset = r.number<std::uint64_t>();
    if (data_offset != table.size() || !plausible_data_offset(data_offset)) malformed("bad table size");
    const auto count = r.number<std::uint32_t>();
    // Every record takes at least its fixed fields: a larger count cannot fit in the table.
    if (count > r.remaining() / toc_min_record_size) malformed("entry count exceeds the table of contents");
    std::vector<payload_entry> entries(count);
    for (auto& e : entries) {
        e.source = r.string();
        e.destination = r.string();
        e.kind = r.number<std::uint32_t>();
        e.size = r.number<std::uint64_t>();
        e.crc = r.number<std::uint32_t>();
        check_payload_names(e.destination, file_name_of(e.source));
    }
    if (r.remaining() != 0) malformed("bytes left over in the table of contents");
    return entries;
}

std::vector<std::byte> build_table_of_contents(const std::vector<payload_entry>& entries) {
    std::vector<std::byte> out;
    vd::append_le<std::uint64_t>(out, 0);
    vd::append_le<std::uint32_t>(out, static_cast<std::uint32_t>(entries.size()));
    for (const auto& e : entries) {
        put_string(out, e.source);
        put_string(out, e.destination);
        vd::append_le<std::uint32_t>(out, e.kind);
        vd::append_le<std::uint64_t>(out, e.size);
        vd::append_le<std::uint32_t>(out, e.crc);
    }
    set_toc_data_offset(out, out.size());
    return out;
}

}  // namespace payload
