// The PE resource lookup: DOS header -> NT headers -> resource data directory -> the section that
// holds it -> the three-level resource tree (type, name, language) -> the data entry.
#include "vd/pe_resource.h"

#include "vd/byte_order.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vd {
namespace {

// Little-endian numbers at file offsets, read a block at a time: the lookup's reads cluster in the
// headers and in the resource tree, so one cached block serves most of them.
class reader {
public:
    explicit reader(pe_bytes& bytes) : bytes_(bytes) {}

    [[nodiscard]] bool fits(std::uint64_t offset, std::uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    [[nodiscard]] std::optional<std::uint16_t> u16(std::uint64_t offset) {
        std::array<std::byte, 2> raw;
        if (!read(offset, raw)) return std::nullopt;
        return read_le16(raw, 0);
    }
    [[nodiscard]] std::optional<std::uint32_t> u32(std::uint64_t offset) {
        std::array<std::byte, 4> raw;
        if (!read(offset, raw)) return std::nullopt;
        return read_le32(raw, 0);
    }

private:
    static constexpr std::uint64_t block_size = 4096;

    bool read(std::uint64_t offset, std::span<std::byte> into) {
        if (!fits(offset, into.size())) return false;
        for (std::size_t done = 0; done < into.size();) {
            const std::uint64_t at = offset + done;
            const std::uint64_t block = at - at % block_size;
            if (!load(block)) return false;
            const auto within = static_cast<std::size_t>(at - block);
            const std::size_t count = std::min(into.size() - done, block_length_ - within);
            std::memcpy(into.data() + done, block_.data() + within, count);
            done += count;
        }
        return true;
    }
    bool load(std::uint64_t block) {
        if (block_valid_ && block == block_offset_) return true;
        block_valid_ = false;
        block_length_ = static_cast<std::size_t>(std::min<std::uint64_t>(block_size, bytes_.size() - block));
        if (!bytes_.read(block, std::span(block_).first(block_length_))) return false;
        block_offset_ = block;
        block_valid_ = true;
        return true;
    }

    pe_bytes& bytes_;
    std::array<std::byte, block_size> block_{};
    std::uint64_t block_offset_ = 0;
    std::size_t block_length_ = 0;
    bool block_valid_ = false;
};

// A part of the file (the resource tree), addressed by offsets from its start.
class area_reader {
public:
    area_reader(reader& file, std::uint64_t offset, std::uint32_t size) : file_(file), offset_(offset), size_(size) {}

    [[nodiscard]] std::optional<std::uint16_t> u16(std::uint64_t at) {
        if (at > size_ || size_ - at < 2) return std::nullopt;
        return file_.u16(offset_ + at);
    }
    [[nodiscard]] std::optional<std::uint32_t> u32(std::uint64_t at) {
        if (at > size_ || size_ - at < 4) return std::nullopt;
        return file_.u32(offset_ + at);
    }

private:
    reader& file_;
    std::uint64_t offset_;
    std::uint32_t size_;
};

class memory_bytes final : public pe_bytes {
public:
    explicit memory_bytes(std::span<const std::byte> bytes) : bytes_(bytes) {}
    std::uint64_t size() const noexcept override { return bytes_.size(); }
    bool read(std::uint64_t offset, std::span<std::byte> into) override {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset) return false;
        std::memcpy(into.data(), bytes_.data() + offset, into.size());
        return true;
    }

private:
    std::span<const std::byte> bytes_;
};

constexpr std::uint16_t dos_magic = 0x5A4D;         // "MZ"
constexpr std::uint32_t nt_signature = 0x00004550;  // "PE\0\0"
constexpr std::uint16_t pe32_magic = 0x10B;
constexpr std::uint16_t pe32_plus_magic = 0x20B;
constexpr std::uint32_t resource_directory_index = 2;
constexpr std::uint32_t subdirectory_bit = 0x80000000u;
constexpr std::uint32_t named_entry_bit = 0x80000000u;

struct image_layout {
    std::uint32_t resource_rva = 0;
    std::uint32_t resource_size = 0;
    std::uint64_t section_table = 0;
    std::uint16_t section_count = 0;
};

std::optional<image_layout> read_layout(reader& r) {
    if (r.u16(0) != dos_magic) return std::nullopt;
    const auto nt = r.u32(0x3C);
    if (!nt || r.u32(*nt) != nt_signature) return std::nullopt;
    const std::uint64_t coff = std::uint64_t{*nt} + 4;
    const auto section_count = r.u16(coff + 2);
    const auto optional_size = r.u16(coff + 16);
    if (!section_count || !optional_size) return std::nullopt;
    const std::uint64_t optional = coff + 20;
    const auto magic = r.u16(optional);
    std::uint64_t count_field = 0;
    if (magic == pe32_magic) {
        count_field = 92;
    } else if (magic == pe32_plus_magic) {
        count_field = 108;
    } else {
        return std::nullopt;
    }
    const auto directory_count = r.u32(optional + count_field);
    if (!directory_count || *directory_count <= resource_directory_index) return std::nullopt;
    const std::uint64_t directory = optional + count_field + 4 + 8 * resource_directory_index;
    // The data directories must lie inside the optional header the file declares.
    if (directory + 8 > optional + *optional_size) return std::nullopt;
    const auto rva = r.u32(directory);
    const auto size = r.u32(directory + 4);
    if (!rva || !size || *rva == 0 || *size == 0) return std::nullopt;  // no resources
    return image_layout{*rva, *size, optional + *optional_size, *section_count};
}

// The file offset of `size` bytes at `rva`, when they lie within one section's raw data.
std::optional<std::uint64_t> map_rva(reader& r, const image_layout& layout, std::uint32_t rva, std::uint32_t size) {
    for (std::uint16_t i = 0; i < layout.section_count; ++i) {
        const std::uint64_t entry = layout.section_table + 40u * i;
        const auto virtual_size = r.u32(entry + 8);
        const auto virtual_address = r.u32(entry + 12);
        const auto raw_size = r.u32(entry + 16);
        const auto raw_offset = r.u32(entry + 20);
        if (!virtual_size || !virtual_address || !raw_size || !raw_offset) return std::nullopt;
        const std::uint64_t extent = *virtual_size != 0 ? *virtual_size : *raw_size;
        if (rva < *virtual_address || rva - *virtual_address >= extent) continue;
        const std::uint64_t into = rva - *virtual_address;
        // Bytes past the raw data would be zeros in memory; a resource there is not in the file.
        if (into + size > *raw_size || into + size > extent) return std::nullopt;
        const std::uint64_t offset = *raw_offset + into;
        if (!r.fits(offset, size)) return std::nullopt;
        return offset;
    }
    return std::nullopt;
}

// Looks up `id` among the entries of the directory at `directory` (an offset into the resource
// area); with no id, the first entry.  Answers the entry's OffsetToData field.
std::optional<std::uint32_t> find_entry(area_reader& area, std::uint64_t directory, std::optional<std::uint16_t> id) {
    const auto named = area.u16(directory + 12);
    const auto numbered = area.u16(directory + 14);
    if (!named || !numbered) return std::nullopt;
    const std::uint32_t total = std::uint32_t{*named} + *numbered;
    for (std::uint32_t i = 0; i < total; ++i) {
        const std::uint64_t entry = directory + 16 + 8u * i;
        const auto name = area.u32(entry);
        const auto target = area.u32(entry + 4);
        if (!name || !target) return std::nullopt;
        if (!id || ((*name & named_entry_bit) == 0 && *name == *id)) return *target;
    }
    return std::nullopt;
}

}  // namespace

std::optional<pe_extent> locate_pe_resource(pe_bytes& image, std::uint16_t type, std::uint16_t id) {
    reader file(image);
    const auto layout = read_layout(file);
    if (!layout) return std::nullopt;
    const auto area_offset = map_rva(file, *layout, layout->resource_rva, layout->resource_size);
    if (!area_offset) return std::nullopt;
    area_reader area(file, *area_offset, layout->resource_size);

    // Type, then name: both must lead to subdirectories; the language level leads to a data entry.
    std::uint64_t directory = 0;
    for (std::optional<std::uint16_t> wanted : {std::optional<std::uint16_t>{type}, std::optional<std::uint16_t>{id}}) {
        const auto target = find_entry(area, directory, wanted);
        if (!target || (*target & subdirectory_bit) == 0) return std::nullopt;
        directory = *target & ~subdirectory_bit;
    }
    const auto leaf = find_entry(area, directory, std::nullopt);
    if (!leaf || (*leaf & subdirectory_bit) != 0) return std::nullopt;
    const auto data_rva = area.u32(*leaf);
    const auto data_size = area.u32(std::uint64_t{*leaf} + 4);
    if (!data_rva || !data_size) return std::nullopt;
    const auto data_offset = map_rva(file, *layout, *data_rva, *data_size);
    if (!data_offset) return std::nullopt;
    return pe_extent{*data_offset, *data_size};
}

std::optional<std::span<const std::byte>> find_pe_resource(std::span<const std::byte> image, std::uint16_t type,
                                                           std::uint16_t id) {
    memory_bytes bytes(image);
    const auto extent = locate_pe_resource(bytes, type, id);
    if (!extent) return std::nullopt;
    return image.subspan(static_cast<std::size_t>(extent->offset), extent->size);
}

}  // namespace vd
