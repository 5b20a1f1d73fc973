// The version-block walker: nodes of wLength, wValueLength, wType, a NUL-terminated UTF-16 key,
// the value and the children, each part starting on a 32-bit boundary from the start of the block.
#include "vd/version_block.h"

#include "vd/byte_order.h"
#include "vd/utf16.h"

#include <algorithm>
#include <vector>

namespace vd {
namespace {

constexpr std::size_t header_size = 6;  // wLength, wValueLength, wType

constexpr std::size_t align4(std::size_t offset) { return (offset + 3) & ~static_cast<std::size_t>(3); }

// A node of the block: [begin, end) is what its wLength covers, clipped to its parent.
struct node {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t key = 0;          // offset of the key's first character
    std::size_t key_length = 0;   // characters, without the NUL
    std::size_t value = 0;        // offset of the value
    std::size_t value_bytes = 0;  // bytes the value takes
    std::uint16_t value_length = 0;
    bool is_text = false;
    std::size_t children = 0;  // offset of the first child
};

// Reads the node at `begin`, which must lie within [begin, limit).  Fails for a node whose length,
// key or value does not fit.
std::optional<node> read_node(std::span<const std::byte> block, std::size_t begin, std::size_t limit) {
    if (limit > block.size() || begin > limit || limit - begin < header_size) return std::nullopt;
    const std::size_t length = read_le16(block, begin);
    if (length < header_size || length > limit - begin) return std::nullopt;
    node n;
    n.begin = begin;
    n.end = begin + length;
    n.value_length = read_le16(block, begin + 2);
    n.is_text = read_le16(block, begin + 4) == 1;
    n.key = begin + header_size;
    std::size_t at = n.key;
    for (;;) {
        if (n.end - at < 2) return std::nullopt;  // the key runs past the node
        if (read_le16(block, at) == 0) break;
        at += 2;
    }
    n.key_length = (at - n.key) / 2;
    n.value = align4(at + 2);
    n.value_bytes = n.is_text ? std::size_t{n.value_length} * 2 : std::size_t{n.value_length};
    if (n.value_bytes != 0 && (n.value > n.end || n.end - n.value < n.value_bytes)) return std::nullopt;
    n.children = align4(n.value + n.value_bytes);
    return n;
}

char16_t ascii_lower(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c; }

bool key_equals(std::span<const std::byte> block, const node& n, std::u16string_view wanted) {
    if (n.key_length != wanted.size()) return false;
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        if (ascii_lower(static_cast<char16_t>(read_le16(block, n.key + 2 * i))) != ascii_lower(wanted[i])) return false;
    }
    return true;
}

// The path elements of a sub-block, as UTF-16.
std::vector<std::u16string> split_path(std::wstring_view path) {
    std::vector<std::u16string> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const auto end = std::min(path.find(L'\\', start), path.size());
        if (end > start) parts.push_back(to_utf16(path.substr(start, end - start)));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::optional<version_value> query_version_value(std::span<const std::byte> block, std::wstring_view sub_block) {
    auto current = read_node(block, 0, block.size());
    if (!current) return std::nullopt;
    for (const auto& part : split_path(sub_block)) {
        std::optional<node> found;
        std::size_t at = current->children;
        while (at < current->end) {
            auto child = read_node(block, at, current->end);
            if (!child) return std::nullopt;
            if (key_equals(block, *child, part)) {
                found = child;
                break;
            }
            at = align4(child->end);
        }
        if (!found) return std::nullopt;
        current = found;
    }
    version_value value;
    value.bytes = block.subspan(current->value <= current->end ? current->value : current->end, current->value_bytes);
    value.length = current->value_length;
    value.is_text = current->is_text;
    return value;
}

std::optional<fixed_file_info> read_fixed_file_info(std::span<const std::byte> block) {
    const auto root = query_version_value(block, L"\\");
    if (!root || root->bytes.size() < fixed_file_info::byte_size) return std::nullopt;
    const auto b = root->bytes;
    fixed_file_info info;
    std::uint32_t* fields[] = {&info.signature,       &info.struc_version,      &info.file_version_ms,
                               &info.file_version_ls, &info.product_version_ms, &info.product_version_ls,
                               &info.file_flags_mask, &info.file_flags,         &info.file_os,
                               &info.file_type,       &info.file_subtype,       &info.file_date_ms,
                               &info.file_date_ls};
    std::size_t offset = 0;
    for (auto* field : fields) {
        *field = read_le32(b, offset);
        offset += 4;
    }
    return info;
}

std::wstring version_value_text(const version_value& value) {
    auto units = utf16le_units(value.bytes);
    if (!units.empty() && units.back() == u'\0') units.pop_back();
    return from_utf16(units);
}

}  // namespace vd
