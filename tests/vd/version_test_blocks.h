// Builds version blocks byte by byte for the tests, so that each one can hold exactly the flaw it
// is about (a value without its NUL, a missing root value, lengths that lie).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace version_test {

struct vnode {
    std::u16string key;
    std::vector<std::byte> value;
    std::uint16_t value_length = 0;  // as stored in wValueLength
    bool text = false;
    std::vector<vnode> children;
};

inline void put16(std::vector<std::byte>& out, std::uint16_t v) {
    out.push_back(static_cast<std::byte>(v & 0xFF));
    out.push_back(static_cast<std::byte>(v >> 8));
}
inline void put32(std::vector<std::byte>& out, std::uint32_t v) {
    put16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    put16(out, static_cast<std::uint16_t>(v >> 16));
}
inline void pad4(std::vector<std::byte>& out) {
    while (out.size() % 4 != 0) out.push_back(std::byte{0});
}

// Appends `n` at the end of `out` (which starts 32-bit aligned, as in a real block).
inline void serialize_into(const vnode& n, std::vector<std::byte>& out) {
    const std::size_t begin = out.size();
    put16(out, 0);
    put16(out, n.value_length);
    put16(out, n.text ? 1 : 0);
    for (char16_t c : n.key) put16(out, static_cast<std::uint16_t>(c));
    put16(out, 0);
    pad4(out);
    out.insert(out.end(), n.value.begin(), n.value.end());
    for (const auto& child : n.children) {
        pad4(out);
        serialize_into(child, out);
    }
    const auto length = static_cast<std::uint16_t>(out.size() - begin);
    out[begin] = static_cast<std::byte>(length & 0xFF);
    out[begin + 1] = static_cast<std::byte>(length >> 8);
}

inline std::vector<std::byte> serialize(const vnode& root) {
    std::vector<std::byte> out;
    serialize_into(root, out);
    return out;
}

// A text value; with `count_nul` the terminating NUL is stored and counted, as resource compilers do.
inline vnode text_value(std::u16string key, std::u16string text, bool count_nul = true) {
    vnode n;
    n.key = std::move(key);
    n.text = true;
    for (char16_t c : text) put16(n.value, static_cast<std::uint16_t>(c));
    if (count_nul) put16(n.value, 0);
    n.value_length = static_cast<std::uint16_t>(n.value.size() / 2);
    return n;
}

inline std::vector<std::byte> fixed_info_bytes(std::uint32_t ms, std::uint32_t ls, std::uint32_t flags = 0,
                                               std::uint32_t mask = 0x3F) {
    std::vector<std::byte> out;
    for (std::uint32_t v : {0xFEEF04BDu, 0x00010000u, ms, ls, ms, ls, mask, flags, 0x40004u, 1u, 0u, 0u, 0u})
        put32(out, v);
    return out;
}

struct translation {
    std::uint16_t language;
    std::uint16_t code_page;
};

// A whole block: the root value, one string table per key and the translation list.
inline vnode make_block(std::vector<std::byte> root_value,
                        std::vector<std::pair<std::u16string, std::vector<vnode>>> tables,
                        std::vector<translation> translations) {
    vnode root;
    root.key = u"VS_VERSION_INFO";
    root.value = std::move(root_value);
    root.value_length = static_cast<std::uint16_t>(root.value.size());
    vnode strings;
    strings.key = u"StringFileInfo";
    strings.text = true;
    for (auto& [key, values] : tables) {
        vnode table;
        table.key = key;
        table.text = true;
        table.children = std::move(values);
        strings.children.push_back(std::move(table));
    }
    vnode var;
    var.key = u"VarFileInfo";
    var.text = true;
    vnode list;
    list.key = u"Translation";
    for (auto t : translations) {
        put16(list.value, t.language);
        put16(list.value, t.code_page);
    }
    list.value_length = static_cast<std::uint16_t>(list.value.size());
    var.children.push_back(std::move(list));
    root.children.push_back(std::move(strings));
    root.children.push_back(std::move(var));
    return root;
}

}  // namespace version_test
