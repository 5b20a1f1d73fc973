// Windows path functions on plain strings (see win_path.h).
#include "vd/win_path.h"

#include <algorithm>
#include <cstdint>

namespace vd::path {

namespace {

[[nodiscard]] bool is_letter(wchar_t c) noexcept { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

[[nodiscard]] std::wstring normalized_root(std::wstring_view path) {
    std::wstring r(root(path));
    std::replace(r.begin(), r.end(), L'/', L'\\');
    return r;
}

// Elements after "." and ".." have been applied; ".." never climbs above the root.
[[nodiscard]] std::vector<std::wstring_view> canonical_elements(std::wstring_view path) {
    std::vector<std::wstring_view> out;
    for (auto e : elements(path)) {
        if (e == L".") continue;
        if (e == L"..") {
            if (!out.empty()) out.pop_back();
            continue;
        }
        out.push_back(e);
    }
    return out;
}

}  // namespace

bool has_drive(std::wstring_view path) noexcept { return path.size() >= 2 && is_letter(path[0]) && path[1] == L':'; }

bool is_drive_absolute(std::wstring_view path) noexcept {
    return has_drive(path) && path.size() >= 3 && is_separator(path[2]);
}

bool is_unc(std::wstring_view path) noexcept {
    return path.size() >= 2 && is_separator(path[0]) && is_separator(path[1]);
}

bool is_absolute(std::wstring_view path) noexcept { return is_drive_absolute(path) || is_unc(path); }

bool is_rooted(std::wstring_view path) noexcept { return !path.empty() && (is_separator(path[0]) || has_drive(path)); }

std::wstring_view root(std::wstring_view path) noexcept {
    if (is_unc(path)) {
        // "\\server\share\": up to and including the separator after the share.
        std::size_t pos = 2;
        for (int part = 0; part < 2; ++part) {
            while (pos < path.size() && !is_separator(path[pos])) ++pos;
            if (pos < path.size()) ++pos;
        }
        return path.substr(0, pos);
    }
    if (has_drive(path)) return path.substr(0, is_drive_absolute(path) ? 3 : 2);
    if (!path.empty() && is_separator(path[0])) return path.substr(0, 1);
    return {};
}

std::vector<std::wstring_view> elements(std::wstring_view path) {
    std::vector<std::wstring_view> out;
    std::wstring_view rest = path.substr(root(path).size());
    std::size_t start = 0;
    for (std::size_t i = 0; i <= rest.size(); ++i) {
        if (i == rest.size() || is_separator(rest[i])) {
            if (i > start) out.push_back(rest.substr(start, i - start));
            start = i + 1;
        }
    }
    return out;
}

std::wstring_view file_name(std::wstring_view path) noexcept {
    std::wstring_view rest = path.substr(root(path).size());
    while (!rest.empty() && is_separator(rest.back())) rest.remove_suffix(1);
    std::size_t pos = rest.size();
    while (pos > 0 && !is_separator(rest[pos - 1])) --pos;
    return rest.substr(pos);
}

std::wstring join(std::wstring_view base, std::wstring_view more) {
    if (base.empty()) return std::wstring(more);
    if (more.empty()) return std::wstring(base);
    std::wstring out(base);
    bool base_sep = is_separator(out.back());
    bool more_sep = is_separator(more.front());
    if (base_sep && more_sep)
        more.remove_prefix(1);
    else if (!base_sep && !more_sep)
        out += L'\\';
    out += more;
    return out;
}

std::wstring append(std::wstring_view base, std::wstring_view more) {
    if (is_absolute(more)) return canonicalize(more);
    while (!more.empty() && is_separator(more.front())) more.remove_prefix(1);
    if (base.empty()) return canonicalize(more);
    if (more.empty()) return canonicalize(base);
    std::wstring joined(base);
    if (!is_separator(joined.back())) joined += L'\\';
    joined += more;
    return canonicalize(joined);
}

std::wstring canonicalize(std::wstring_view path) {
    std::wstring out = normalized_root(path);
    bool first = true;
    for (auto e : canonical_elements(path)) {
        if (!first) out += L'\\';
        out += e;
        first = false;
    }
    return out;
}

std::wstring remove_file_spec(std::wstring_view path) {
    std::wstring_view r = root(path);
    std::wstring_view rest = path.substr(r.size());
    while (!rest.empty() && is_separator(rest.back())) rest.remove_suffix(1);
    std::size_t pos = rest.size();
    while (pos > 0 && !is_separator(rest[pos - 1])) --pos;
    while (pos > 0 && is_separator(rest[pos - 1])) --pos;
    return std::wstring(r) + std::wstring(rest.substr(0, pos));
}

std::wstring parent(std::wstring_view path) { return remove_file_spec(path); }

std::wstring relative_path(std::wstring_view from, bool from_is_folder, std::wstring_view to) {
    if (!equal_ignore_case(normalized_root(from), normalized_root(to))) return {};
    auto a = canonical_elements(from);
    if (!from_is_folder && !a.empty()) a.pop_back();
    auto b = canonical_elements(to);
    std::size_t common = 0;
    while (common < a.size() && common < b.size() && equal_ignore_case(a[common], b[common])) ++common;
    std::wstring out;
    for (std::size_t i = common; i < a.size(); ++i) out += i == common ? L".." : L"\\..";
    if (out.empty()) out = L".";
    for (std::size_t i = common; i < b.size(); ++i) {
        out += L'\\';
        out += b[i];
    }
    return out;
}

std::wstring quote_spaces(std::wstring_view path) {
    bool quoted = path.size() >= 2 && path.front() == L'"' && path.back() == L'"';
    if (quoted || path.find(L' ') == std::wstring_view::npos) return std::wstring(path);
    return L"\"" + std::wstring(path) + L"\"";
}

std::wstring common_prefix(std::wstring_view a, std::wstring_view b) {
    std::wstring ra = normalized_root(a);
    if (!equal_ignore_case(ra, normalized_root(b))) return {};
    auto ea = elements(a);
    auto eb = elements(b);
    std::wstring out = ra;
    for (std::size_t i = 0; i < ea.size() && i < eb.size() && equal_ignore_case(ea[i], eb[i]); ++i) {
        if (!out.empty() && out.back() != L'\\') out += L'\\';
        out += ea[i];
    }
    return out;
}

wchar_t fold_case(wchar_t c) noexcept {
    const auto u = static_cast<std::uint32_t>(c);
    if (u >= L'a' && u <= L'z') return static_cast<wchar_t>(u - 0x20);
    if (u < 0x80) return c;
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<wchar_t>(u - 0x20);
    if (u == 0xFF) return static_cast<wchar_t>(0x178);
    // Latin Extended-A: upper case at the even (or, in two runs, odd) code point of each pair.
    if ((u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177)) return static_cast<wchar_t>(u & ~1u);
    if ((u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E)) return static_cast<wchar_t>((u & 1u) ? u : u - 1);
    if (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) return static_cast<wchar_t>(u - 0x20);  // Greek
    if (u >= 0x430 && u <= 0x44F) return static_cast<wchar_t>(u - 0x20);                // Cyrillic
    if (u >= 0x450 && u <= 0x45F) return static_cast<wchar_t>(u - 0x50);
    return c;
}

bool equal_ignore_case(std::wstring_view a, std::wstring_view b) noexcept {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (fold_case(a[i]) != fold_case(b[i])) return false;
    return true;
}

std::wstring folded(std::wstring_view text) {
    std::wstring out(text);
    for (auto& c : out) c = fold_case(c);
    return out;
}

bool equal_exact(std::wstring_view a, std::wstring_view b) noexcept {
    std::wstring_view ra = root(a), rb = root(b);
    if (ra.size() != rb.size()) return false;
    for (std::size_t i = 0; i < ra.size(); ++i) {
        bool sa = is_separator(ra[i]), sb = is_separator(rb[i]);
        if (sa != sb || (!sa && fold_case(ra[i]) != fold_case(rb[i]))) return false;
    }
    auto ea = elements(a);
    auto eb = elements(b);
    return ea == eb;
}

bool equal_ignore_case_canonical(std::wstring_view a, std::wstring_view b) {
    if (!equal_ignore_case(normalized_root(a), normalized_root(b))) return false;
    auto ea = canonical_elements(a);
    auto eb = canonical_elements(b);
    if (ea.size() != eb.size()) return false;
    for (std::size_t i = 0; i < ea.size(); ++i)
        if (!equal_ignore_case(ea[i], eb[i])) return false;
    return true;
}

bool is_within(std::wstring_view outer, std::wstring_view inner) {
    if (!equal_ignore_case(normalized_root(outer), normalized_root(inner))) return false;
    auto eo = canonical_elements(outer);
    auto ei = canonical_elements(inner);
    if (ei.size() < eo.size()) return false;
    for (std::size_t i = 0; i < eo.size(); ++i)
        if (!equal_ignore_case(eo[i], ei[i])) return false;
    return true;
}

}  // namespace vd::path
