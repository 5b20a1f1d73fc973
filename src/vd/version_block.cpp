// The version-block walker: nodes of wLength, wValueLength, wType, a NUL-terminated UTF-16 key,
// the value and the children, each part starting on a 32-bit boundary from the start of the block.
#include "vd/version_block.h"

#include <vector>

namespace vd {
namespace {

constexpr std::size_t header_size = 6;  // wLength, wValueLength, wType

std::uint16_t read_u16(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(bytes[offset]) |
                                      (std::to_integer<unsigned>(bytes[offset + 1]) << 8));
}

std::uint32_t read_u32(std::span<const std::byte> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(read_u16(bytes, offset)) |
           (static_cast<std::uint32_t>(read_u16(bytes, offset + 2)) << 16);
}

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
    const std::size_t length = read_u16(block, begin);
    if (length < header_size || length > limit - begin) return std::nullopt;
    node n;
    n.begin = begin;
    n.end = begin + length;
    n.value_length = read_u16(block, begin + 2);
    n.is_text = read_u16(block, begin + 4) == 1;
    n.key = begin + header_size;
    std::size_t at = n.key;
    for (;;) {
        if (n.end - at < 2) return std::nullopt;  // the key runs past the node
        if (read_u16(block, at) == 0) break;
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
        if (ascii_lower(static_cast<char16_t>(read_u16(block, n.key + 2 * i))) != ascii_lower(wanted[i])) return false;
    }
    return true;
}

// The path elements of a sub-block, as UTF-16.
std::vector<std::u16string> split_path(std::wstring_view path) {
    std::vector<std::u16string> parts;
    std::u16string current;
    auto flush = [&] {
        if (!current.empty()) parts.push_back(std::move(current));
        current.clear();
    };
    for (wchar_t c : path) {
        if (c == L'\\') {
            flush();
            continue;
        }
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0xFFFF) {
            current.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            current.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            current.push_back(static_cast<char16_t>(code));
        }
    }
    flush();
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
        *field = read_u32(b, offset);
        offset += 4;
    }
    return info;
}

std::wstring version_value_text(const version_value& value) {
    std::size_t count = value.bytes.size() / 2;
    if (count != 0 && read_u16(value.bytes, 2 * (count - 1)) == 0) --count;
    std::wstring text;
    text.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const char16_t unit = static_cast<char16_t>(read_u16(value.bytes, 2 * i));
        if constexpr (sizeof(wchar_t) == 2) {
            text.push_back(static_cast<wchar_t>(unit));
        } else {
            // Natively a wide character is a code point: pairs of surrogates are joined.
            if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < count) {
                const char16_t low = static_cast<char16_t>(read_u16(value.bytes, 2 * (i + 1)));
                if (low >= 0xDC00 && low < 0xE000) {
                    text.push_back(static_cast<wchar_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
                    ++i;
                    continue;
                }
            }
            text.push_back(static_cast<wchar_t>(unit));
        }
    }
    return text;
}

}  // namespace vd
