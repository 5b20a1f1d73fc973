// vd::version_info: the common initialisation over a version block, string lookups and the title.
#include "vd/version_info.h"

#include <memory>

#include "os/file_system.h"
#include "os/resources.h"
#include "vd/byte_order.h"
#include "vd/pe_resource.h"

namespace vd {
namespace {

constexpr std::uint16_t unicode_code_page = 1200;
constexpr std::uint16_t version_resource_id = 1;
// A version block's length is a 16-bit field (the resource may be padded to four bytes): a larger
// resource is not a version block and is not read.
constexpr std::uint32_t largest_version_block = 0x10000;

// "%04hx%04hx" of the language and the code page.
std::wstring translation_key(std::uint16_t language, std::uint16_t code_page) {
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    const std::uint32_t both = (std::uint32_t{language} << 16) | code_page;
    std::wstring key(8, L'0');
    for (int i = 0; i < 8; ++i) key[static_cast<std::size_t>(i)] = digits[(both >> (28 - 4 * i)) & 0xF];
    return key;
}

// An open file read at offsets through the file-system port.
class file_bytes final : public pe_bytes {
public:
    file_bytes(os::file& file, std::uint64_t size) : file_(file), size_(size) {}
    std::uint64_t size() const noexcept override { return size_; }
    bool read(std::uint64_t offset, std::span<std::byte> into) override {
        if (file_.seek(offset)) return false;
        for (std::size_t filled = 0; filled < into.size();) {
            std::size_t count = 0;
            if (file_.read(into.subspan(filled), count) || count == 0) return false;
            filled += count;
        }
        return true;
    }

private:
    os::file& file_;
    std::uint64_t size_;
};

// The version resource of the file at `path`, read from its headers and resource tree only (the
// file may be an installer of a gigabyte); nothing when it has none or cannot be read.
std::vector<std::byte> read_version_resource(os::file_system& files, std::wstring_view path) {
    std::unique_ptr<os::file> file;
    if (files.open(path, os::file_access::read, os::file_disposition::open_existing,
                   os::file_share::read | os::file_share::write, file) ||
        !file) {
        return {};
    }
    std::uint64_t size = 0;
    if (file->size(size)) return {};
    file_bytes bytes(*file, size);
    const auto extent = locate_pe_resource(bytes, os::resource_type::version, version_resource_id);
    if (!extent || extent->size > largest_version_block) return {};
    std::vector<std::byte> block(extent->size);
    if (!bytes.read(extent->offset, block)) return {};
    (void)file->close();
    return block;
}

}  // namespace

std::span<const std::byte> running_module_version_block(os::resources& resources) {
    if (auto found = resources.find(resources.program_module(), os::resource_type::version, version_resource_id)) {
        return *found;
    }
    return {};
}

version_info::version_info(os::resources& resources) : block_(running_module_version_block(resources)) { initialise(); }

version_info::version_info(os::file_system& files, std::wstring_view path)
    : owned_(read_version_resource(files, path)), block_(owned_) {
    initialise();
}

version_info::version_info(std::span<const std::byte> block) : block_(block) { initialise(); }

void version_info::initialise() {
    if (block_.empty()) return;
    const auto fixed = read_fixed_file_info(block_);
    if (!fixed) return;  // without a root value there are no translations either
    has_fixed_ = true;
    fixed_ = *fixed;
    const auto translation = query_version_value(block_, L"\\VarFileInfo\\Translation");
    if (!translation) return;
    const auto pairs = translation->bytes;
    for (std::size_t at = 0; at + 4 <= pairs.size(); at += 4) {
        const auto language = read_le16(pairs, at);
        const auto code_page = read_le16(pairs, at + 2);
        if (code_page == unicode_code_page) translations_.push_back(translation_key(language, code_page));
    }
}

std::uint64_t version_info::file_version() const noexcept {
    if (!has_fixed_) return 0;
    return (std::uint64_t{fixed_.file_version_ms} << 32) | fixed_.file_version_ls;
}

std::wstring version_info::string_value(std::wstring_view name) const {
    if (block_.empty() || translations_.empty()) return {};
    std::wstring sub_block = L"\\StringFileInfo\\" + translations_.front() + L"\\";
    sub_block += name;
    const auto value = query_version_value(block_, sub_block);
    if (!value || value->length == 0) return {};
    return version_value_text(*value);
}

std::wstring version_info::display_name() const {
    // Products of the codes 256..767 replace a word of their name by a regional one; this program's
    // code lies outside those ranges and it carries none of their regional names, so every code
    // leaves the name as the resource gives it.
    return product_name();
}

std::wstring version_info::product_title(std::uint32_t lcid) const {
    std::wstring title = display_name();
    const std::wstring version = product_version();
    if (!version.empty()) {
        title += L' ';
        title += version;
    }
    const std::uint32_t flags = has_fixed_ ? (fixed_.file_flags & fixed_.file_flags_mask) : 0;
    constexpr std::uint32_t french = 0x0C;
    if ((flags & file_flag::prerelease) != 0 && (lcid & 0x3FF) != french) {
        const std::wstring_view accented = L"b\u00EAta";
        if (const auto at = title.rfind(accented); at != std::wstring::npos)
            title.replace(at, accented.size(), L"beta");
    }
    if ((flags & file_flag::private_build) != 0) title += L" \u2013 Private";
    if ((flags & file_flag::debug) != 0) title += L" \u2013 Debug";
    return title;
}

}  // namespace vd
