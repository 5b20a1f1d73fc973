// A Windows machine kept in a folder of the host (see directory_machine.h).
#include "os/native/directory_machine.h"

#include "os/native/default_folders.h"
#include "os/win_error.h"
#include "vd/create_folders.h"
#include "vd/utf16.h"
#include "vd/win_path.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace os::native {

namespace fs = std::filesystem;

namespace {

constexpr std::int32_t s_false = 1;
constexpr std::int32_t hr_not_found = hr::from_win32(errc::file_not_found);

[[nodiscard]] std::error_code ok() { return {}; }
[[nodiscard]] std::error_code win(std::uint32_t code) { return win_error(code); }

// A host error as Windows would have reported it.
[[nodiscard]] std::uint32_t from_errno(int e) {
    switch (e) {
        case ENOENT:
            return errc::file_not_found;
        case ENOTDIR:
            return errc::path_not_found;
        case EACCES:
        case EPERM:
        case EISDIR:
            return errc::access_denied;
        case EEXIST:
            return errc::file_exists;
        case ENOTEMPTY:
            return errc::dir_not_empty;
        case ENOSPC:
            return errc::disk_full;
        case ENOMEM:
            return errc::not_enough_memory;
        case ENAMETOOLONG:
            return errc::filename_exced_range;
        case EXDEV:
            return errc::not_same_device;
        default:
            return errc::gen_failure;
    }
}

[[nodiscard]] std::uint32_t from_std(const std::error_code& ec) {
    return ec.category() == std::generic_category() || ec.category() == std::system_category() ? from_errno(ec.value())
                                                                                               : errc::gen_failure;
}

[[nodiscard]] bool valid_element(std::wstring_view e) {
    return std::none_of(e.begin(), e.end(), [](wchar_t c) {
        return c < 0x20 || c == L'<' || c == L'>' || c == L':' || c == L'"' || c == L'|' || c == L'?' || c == L'*';
    });
}

// Host names are UTF-8 on Linux whatever the process locale says.
[[nodiscard]] fs::path host_name(std::wstring_view name) {
#ifdef _WIN32
    return fs::path(std::wstring(name));
#else
    const std::string utf8 = vd::to_utf8(name);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
#endif
}

[[nodiscard]] std::wstring windows_name(const fs::path& p) {
#ifdef _WIN32
    return p.wstring();
#else
    const std::u8string in = p.u8string();
    return vd::from_utf8_lenient(std::string(in.begin(), in.end()));
#endif
}

// Each drive letter is a volume; its serial number is made from the letter.
[[nodiscard]] std::uint32_t volume_of(std::wstring_view path) {
    return path.empty() ? 0 : 0x4C470000u + static_cast<std::uint32_t>(vd::path::fold_case(path[0]));
}

[[nodiscard]] std::string key_of(const fs::path& p) { return p.lexically_normal().generic_string(); }

[[nodiscard]] bool is_readonly(const fs::path& p) {
    std::error_code ec;
    auto st = fs::status(p, ec);
    return !ec && (st.permissions() & fs::perms::owner_write) == fs::perms::none;
}

void set_readonly(const fs::path& p, bool readonly, std::error_code& ec) {
    fs::permissions(p, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    readonly ? fs::perm_options::remove : fs::perm_options::add, ec);
}

[[nodiscard]] std::FILE* open_host(const fs::path& p, const char* mode) {
#ifdef _WIN32
    std::wstring wmode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(p.c_str(), wmode.c_str());
#else
    return std::fopen(p.c_str(), mode);
#endif
}

}  // namespace

struct directory_machine::open_record {
    file_access access;
    std::uint32_t share;
};

// The result of mapping a Windows path onto the host.
struct directory_machine::lookup {
    std::uint32_t error = 0;     // invalid name (123) or a missing drive (3)
    fs::path host;               // the host path, existing names spelled as stored
    bool parent_exists = false;  // every element but the last is an existing folder
    bool exists = false;         // the last element exists
    bool is_directory = false;
    std::string key;  // host path for the tables
};

class directory_machine::open_file final : public file {
public:
    open_file(directory_machine& machine, std::FILE* f, file_access access, std::uint32_t share, std::string key)
        : machine_(&machine), alive_(machine.alive_), file_(f), key_(std::move(key)), record_{access, share} {
        machine.open_[key_].push_back(&record_);
    }
    ~open_file() override { (void)close(); }

    std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
        if (!file_) return win(errc::invalid_handle);
        if (record_.access == file_access::write) return win(errc::access_denied);
        settle(false);
        std::size_t n = std::fread(buffer.data(), 1, buffer.size(), file_);
        if (n < buffer.size() && std::ferror(file_)) return win(from_errno(errno));
        count = n;
        return ok();
    }
    std::error_code write(std::span<const std::byte> data) override {
        if (!file_) return win(errc::invalid_handle);
        if (record_.access == file_access::read) return win(errc::access_denied);
        settle(true);
        if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) {
            int e = errno;
            std::clearerr(file_);
            return win(from_errno(e));
        }
        return ok();
    }
    std::error_code seek(std::uint64_t offset) override {
        if (!file_) return win(errc::invalid_handle);
        if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return win(errc::invalid_parameter);
        last_ = none;
        return ok();
    }
    std::error_code size(std::uint64_t& bytes) override {
        if (!file_) return win(errc::invalid_handle);
        long here = std::ftell(file_);
        std::fseek(file_, 0, SEEK_END);
        long end = std::ftell(file_);
        std::fseek(file_, here, SEEK_SET);
        last_ = none;
        bytes = static_cast<std::uint64_t>(end);
        return ok();
    }
    // The host stream's buffer goes to the host file, where every other handle sees it.
    std::error_code flush() override {
        if (!file_) return win(errc::invalid_handle);
        if (record_.access == file_access::read) return win(errc::access_denied);
        if (std::fflush(file_) != 0) return win(from_errno(errno));
        return ok();
    }
    std::error_code close() override {
        if (!file_) return ok();
        int rc = std::fclose(file_);
        int e = errno;
        file_ = nullptr;
        if (*alive_) machine_->forget(&record_);
        return rc == 0 ? ok() : win(from_errno(e));
    }

private:
    // C streams need a positioning call between reading and writing.
    enum direction { none, reading, writing };
    void settle(bool writing_now) {
        direction want = writing_now ? writing : reading;
        if (last_ != none && last_ != want) std::fseek(file_, 0, SEEK_CUR);
        last_ = want;
    }

    directory_machine* machine_;
    std::shared_ptr<bool> alive_;
    std::FILE* file_;
    std::string key_;
    open_record record_;
    direction last_ = none;
};

directory_machine::directory_machine(fs::path root, std::wstring user)
    : root_(fs::absolute(std::move(root))), alive_(std::make_shared<bool>(true)) {
    special_ = default_special_folders(user);
    temp_path_ = special_.at(csidl::local_appdata) + L"\\Temp\\";
    current_directory_ = L"C:\\Users\\" + user;
    std::error_code ec;
    fs::create_directories(root_ / "C", ec);
    for (const auto& [id, folder] : special_) (void)create_folders(folder);
    (void)create_folders(temp_path_);
}

directory_machine::~directory_machine() { *alive_ = false; }

void directory_machine::forget(open_record* record) {
    for (auto it = open_.begin(); it != open_.end(); ++it) {
        auto& list = it->second;
        auto pos = std::find(list.begin(), list.end(), record);
        if (pos != list.end()) {
            list.erase(pos);
            if (list.empty()) open_.erase(it);
            return;
        }
    }
}

std::optional<fs::path> directory_machine::host_path(std::wstring_view path) const {
    auto l = find(path);
    if (l.error != 0) return std::nullopt;
    return l.host;
}

directory_machine::lookup directory_machine::find(std::wstring_view path) const {
    lookup l;
    if (!vd::path::is_drive_absolute(path)) {
        l.error = vd::path::is_unc(path) ? 53 /* ERROR_BAD_NETPATH */ : errc::invalid_name;
        return l;
    }
    const wchar_t drive = vd::path::fold_case(path[0]);
    l.host = root_ / std::string(1, static_cast<char>(drive));
    std::error_code ec;
    if (!fs::is_directory(l.host, ec)) {
        l.error = errc::path_not_found;
        return l;
    }
    const std::wstring canonical = vd::path::canonicalize(path);
    const auto parts = vd::path::elements(canonical);
    bool present = true;  // every element so far exists
    l.parent_exists = true;
    l.exists = true;
    l.is_directory = true;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (!valid_element(parts[i])) {
            l.error = errc::invalid_name;
            return l;
        }
        if (i + 1 == parts.size()) l.parent_exists = present && l.is_directory;
        fs::path name = host_name(parts[i]);
        if (present && l.is_directory) {
            fs::path exact = l.host / name;
            if (fs::exists(fs::symlink_status(exact, ec))) {
                l.host = exact;
            } else {
                bool found = false;
                for (const auto& entry : fs::directory_iterator(l.host, ec)) {
                    if (vd::path::equal_ignore_case(windows_name(entry.path().filename()), parts[i])) {
                        l.host = entry.path();
                        found = true;
                        break;
                    }
                }
                if (!found) {
                    l.host /= name;
                    present = false;
                }
            }
        } else {
            l.host /= name;
            present = false;
        }
        l.is_directory = present && fs::is_directory(l.host, ec);
    }
    l.exists = present;
    l.key = key_of(l.host);
    return l;
}

std::error_code directory_machine::share_conflict(const std::string& key, file_access access,
                                                  std::uint32_t share) const {
    auto it = open_.find(key);
    if (it == open_.end()) return ok();
    const bool reads = access != file_access::write;
    const bool writes = access != file_access::read;
    for (const open_record* r : it->second) {
        const bool other_reads = r->access != file_access::write;
        const bool other_writes = r->access != file_access::read;
        if ((reads && !(r->share & file_share::read)) || (writes && !(r->share & file_share::write)) ||
            (other_reads && !(share & file_share::read)) || (other_writes && !(share & file_share::write)))
            return win(errc::sharing_violation);
    }
    return ok();
}

bool directory_machine::open_without_share(const std::string& key, std::uint32_t needed) const {
    auto it = open_.find(key);
    if (it == open_.end()) return false;
    return std::any_of(it->second.begin(), it->second.end(),
                       [needed](const open_record* r) { return (r->share & needed) != needed; });
}

std::uint32_t directory_machine::attributes_of(const fs::path& host) const {
    std::error_code ec;
    std::uint32_t bits = 0;
    auto it = extra_attributes_.find(key_of(host));
    const bool folder = fs::is_directory(host, ec);
    if (it != extra_attributes_.end())
        bits = it->second;
    else if (!folder)
        bits = file_attribute::archive;  // what a newly written file carries
    if (folder) bits |= file_attribute::directory;
    if (is_readonly(host)) bits |= file_attribute::readonly;
    if (fs::is_symlink(host, ec)) bits |= file_attribute::reparse_point;
    return bits == 0 ? file_attribute::normal : bits;
}

std::error_code directory_machine::open(std::wstring_view path, file_access access, file_disposition disposition,
                                        std::uint32_t share, std::unique_ptr<file>& opened) {
    if (hook_ && !in_hook_) {
        in_hook_ = true;
        hook_(path, access);
        in_hook_ = false;
    }
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.parent_exists) return win(errc::path_not_found);
    if (l.exists && l.is_directory) return win(errc::access_denied);
    const bool writes = access != file_access::read;
    const char* mode = nullptr;
    switch (disposition) {
        case file_disposition::create_new:
            if (l.exists) return win(errc::file_exists);
            mode = access == file_access::read ? "w+b" : (access == file_access::write ? "wb" : "w+b");
            break;
        case file_disposition::create_always:
            mode = access == file_access::write ? "wb" : "w+b";
            break;
        case file_disposition::open_existing:
            if (!l.exists) return win(errc::file_not_found);
            mode = access == file_access::read ? "rb" : "r+b";
            break;
        case file_disposition::open_always:
            mode = l.exists ? (access == file_access::read ? "rb" : "r+b") : "w+b";
            break;
        case file_disposition::truncate_existing:
            if (!l.exists) return win(errc::file_not_found);
            mode = access == file_access::read ? "r+b" : (access == file_access::write ? "wb" : "w+b");
            break;
    }
    const bool truncates =
        disposition == file_disposition::create_always || disposition == file_disposition::truncate_existing;
    if (l.exists && (writes || truncates) && is_readonly(l.host)) return win(errc::access_denied);
    if (auto ec = share_conflict(l.key, access, share)) return ec;
    std::FILE* f = open_host(l.host, mode);
    if (!f) return win(from_errno(errno));
    if (!l.exists) extra_attributes_.erase(l.key);
    opened = std::make_unique<open_file>(*this, f, access, share, l.key);
    return ok();
}

std::error_code directory_machine::get_attributes(std::wstring_view path, std::uint32_t& attributes) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
    attributes = attributes_of(l.host);
    return ok();
}

std::error_code directory_machine::set_attributes(std::wstring_view path, std::uint32_t attributes) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
    std::error_code ec;
    set_readonly(l.host, (attributes & file_attribute::readonly) != 0, ec);
    if (ec) return win(from_std(ec));
    const std::uint32_t kept = file_attribute::hidden | file_attribute::system | file_attribute::archive |
                               file_attribute::temporary | 0x2000 /* not content indexed */;
    extra_attributes_[l.key] = attributes & kept;
    return ok();
}

std::error_code directory_machine::create_directory(std::wstring_view path) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (l.exists) return win(errc::already_exists);
    if (!l.parent_exists) return win(errc::path_not_found);
    std::error_code ec;
    fs::create_directory(l.host, ec);
    if (ec) return win(from_std(ec));
    extra_attributes_.erase(l.key);
    return ok();
}

std::error_code directory_machine::create_directory_secured(std::wstring_view path,
                                                            std::span<const std::byte> descriptor) {
    // Anything at the name, a dangling link too, gives 183: the folder made is always a new one.
    if (auto created = create_directory(path)) return created;
    descriptors_[find(path).key].assign(descriptor.begin(), descriptor.end());
    return ok();
}

std::error_code directory_machine::query_item(std::wstring_view path, item_information& info) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
    std::error_code ec;
    item_information out;
    out.attributes = attributes_of(l.host);
    const bool link = fs::is_symlink(l.host, ec);
    out.reparse_tag = link ? reparse_tag::symlink : 0;
    out.link_count = link || l.is_directory ? 1 : static_cast<std::uint32_t>(fs::hard_link_count(l.host, ec));
    if (ec) return win(from_std(ec));
    out.volume_serial = volume_of(path);
    info = out;
    return ok();
}

std::error_code directory_machine::identity(std::wstring_view path, item_identity& id) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
#ifdef _WIN32
    (void)id;
    return win(errc::not_supported);
#else
    struct stat facts {};
    if (::stat(l.host.c_str(), &facts) != 0) return win(errc::file_not_found);
    id.volume_serial = static_cast<std::uint32_t>(facts.st_dev);
    id.file_index = static_cast<std::uint64_t>(facts.st_ino);
    return ok();
#endif
}

std::error_code directory_machine::current_directory(std::wstring& path) {
    path = current_directory_;
    return ok();
}

std::optional<std::vector<std::byte>> directory_machine::descriptor_of(std::wstring_view folder) const {
    auto l = find(folder);
    auto it = descriptors_.find(l.key);
    if (l.error || !l.exists || it == descriptors_.end()) return std::nullopt;
    return it->second;
}

std::error_code directory_machine::create_folders(std::wstring_view path) { return vd::create_folders(*this, path); }

std::error_code directory_machine::remove_directory(std::wstring_view path) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
    if (!l.is_directory) return win(errc::directory);
    if (is_readonly(l.host)) return win(errc::access_denied);
    std::error_code ec;
    if (!fs::is_empty(l.host, ec)) return win(errc::dir_not_empty);
    fs::remove(l.host, ec);
    if (ec) return win(from_std(ec));
    extra_attributes_.erase(l.key);
    descriptors_.erase(l.key);
    return ok();
}

std::error_code directory_machine::delete_file(std::wstring_view path) {
    auto l = find(path);
    if (l.error) return win(l.error);
    if (!l.exists) return win(l.parent_exists ? errc::file_not_found : errc::path_not_found);
    if (l.is_directory || is_readonly(l.host)) return win(errc::access_denied);
    if (open_without_share(l.key, file_share::remove)) return win(errc::sharing_violation);
    std::error_code ec;
    fs::remove(l.host, ec);
    if (ec) return win(from_std(ec));
    extra_attributes_.erase(l.key);
    return ok();
}

std::error_code directory_machine::copy_file(std::wstring_view from, std::wstring_view to, bool fail_if_exists) {
    auto a = find(from);
    if (a.error) return win(a.error);
    if (!a.exists) return win(a.parent_exists ? errc::file_not_found : errc::path_not_found);
    if (a.is_directory) return win(errc::access_denied);
    if (open_without_share(a.key, file_share::read)) return win(errc::sharing_violation);
    auto b = find(to);
    if (b.error) return win(b.error);
    if (!b.parent_exists) return win(errc::path_not_found);
    if (b.exists) {
        if (fail_if_exists) return win(errc::file_exists);
        if (b.is_directory || is_readonly(b.host)) return win(errc::access_denied);
        if (open_without_share(b.key, file_share::write)) return win(errc::sharing_violation);
    }
    std::error_code ec;
    if (b.exists) fs::remove(b.host, ec);
    fs::copy_file(a.host, b.host, ec);
    if (ec) return win(from_std(ec));
    const std::uint32_t attributes = attributes_of(a.host);
    auto it = extra_attributes_.find(a.key);
    if (it != extra_attributes_.end())
        extra_attributes_[b.key] = it->second;
    else
        extra_attributes_.erase(b.key);
    set_readonly(b.host, (attributes & file_attribute::readonly) != 0, ec);
    return ok();
}

std::error_code directory_machine::move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) {
    auto a = find(from);
    if (a.error) return win(a.error);
    if (!a.exists) return win(a.parent_exists ? errc::file_not_found : errc::path_not_found);
    if (open_without_share(a.key, file_share::remove)) return win(errc::sharing_violation);
    auto b = find(to);
    if (b.error) return win(b.error);
    if (!b.parent_exists) return win(errc::path_not_found);
    // Renaming to another spelling of the same name is allowed.
    if (b.exists && b.key != a.key) {
        if (!(flags & move_flag::replace_existing)) return win(errc::already_exists);
        if (b.is_directory || a.is_directory || is_readonly(b.host)) return win(errc::access_denied);
        if (open_without_share(b.key, file_share::remove)) return win(errc::sharing_violation);
    }
    const bool other_volume = volume_of(from) != volume_of(to);
    if (other_volume && (!(flags & move_flag::copy_allowed) || a.is_directory)) return win(errc::not_same_device);
    fs::path target = b.host;
    if (b.key == a.key) target = a.host.parent_path() / host_name(vd::path::file_name(to));
    std::error_code ec;
    if (other_volume) {
        // A copy and a delete, as MoveFileExW does between volumes; a failed delete takes the copy back.
        if (b.exists) fs::remove(b.host, ec);
        fs::copy_file(a.host, target, ec);
        if (ec) return win(from_std(ec));
        fs::remove(a.host, ec);
        if (ec) {
            std::error_code ignored;
            fs::remove(target, ignored);
            return win(from_std(ec));
        }
    } else {
        fs::rename(a.host, target, ec);
        if (ec) return win(from_std(ec));
    }
    auto it = extra_attributes_.find(a.key);
    if (it != extra_attributes_.end()) {
        auto bits = it->second;
        extra_attributes_.erase(it);
        extra_attributes_[key_of(target)] = bits;
    } else {
        extra_attributes_.erase(key_of(target));
    }
    return ok();
}

std::error_code directory_machine::temp_path(std::wstring& path) {
    if (temp_path_.empty()) return win(temp_error_);
    path = temp_path_;
    return ok();
}

std::error_code directory_machine::temp_file_name(std::wstring_view folder, std::wstring_view prefix,
                                                  std::wstring& path) {
    auto l = find(folder);
    if (l.error) return win(l.error);
    if (!l.exists || !l.is_directory) return win(errc::directory);
    static constexpr wchar_t digits[] = L"0123456789ABCDEF";
    for (unsigned attempt = 0; attempt < 0xFFFF; ++attempt) {
        unsigned unique = (++temp_counter_ & 0xFFFF) ? (temp_counter_ & 0xFFFF) : (++temp_counter_ & 0xFFFF);
        std::wstring name(prefix.substr(0, 3));
        std::wstring hex;
        for (unsigned v = unique; v; v >>= 4) hex.insert(hex.begin(), digits[v & 0xF]);
        name += hex + L".tmp";
        std::wstring candidate = vd::path::join(folder, name);
        std::unique_ptr<file> f;
        auto ec = open(candidate, file_access::write, file_disposition::create_new, file_share::none, f);
        if (ec == win(errc::file_exists)) continue;
        if (ec) return ec;
        (void)f->close();
        path = candidate;
        return ok();
    }
    return win(errc::file_exists);
}

std::error_code directory_machine::list_directory(std::wstring_view folder, std::vector<directory_entry>& entries) {
    auto l = find(folder);
    if (l.error) return win(l.error);
    if (!l.exists || !l.is_directory) return win(errc::path_not_found);
    std::vector<directory_entry> out;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(l.host, ec)) {
        directory_entry e;
        e.name = windows_name(entry.path().filename());
        e.attributes = attributes_of(entry.path());
        std::error_code size_ec;
        if (!entry.is_directory(size_ec)) e.size = entry.file_size(size_ec);
        out.push_back(std::move(e));
    }
    if (ec) return win(from_std(ec));
    std::sort(out.begin(), out.end(), [](const directory_entry& a, const directory_entry& b) {
        return vd::path::folded(a.name) < vd::path::folded(b.name);
    });
    entries = std::move(out);
    return ok();
}

std::wstring directory_machine::special_folder(int id) const {
    auto it = special_.find(id);
    return it == special_.end() ? std::wstring() : it->second;
}

void directory_machine::set_special_folder(int id, std::wstring path) { special_[id] = std::move(path); }

void directory_machine::set_temp_path(std::wstring path, std::uint32_t temp_error) {
    temp_path_ = std::move(path);
    temp_error_ = temp_error;
}

void directory_machine::set_open_hook(open_hook hook) { hook_ = std::move(hook); }

std::int32_t directory_machine::known_folder_path(const known_folder_id& id, std::uint32_t flags, std::wstring& path) {
    const auto csidl_of = csidl_of_known_folder(id);
    if (!csidl_of) return hr::e_invalidarg;
    std::wstring folder = special_folder(*csidl_of);
    if (folder.empty()) return hr_not_found;
    if (flags & known_folder_flag::create) {
        if (auto ec = create_folders(folder)) return hr::from_win32(static_cast<std::uint32_t>(ec.value()));
    } else if (!(flags & known_folder_flag::dont_verify)) {
        auto l = find(folder);
        if (!l.exists) return hr_not_found;
    }
    path = folder;
    return hr::ok;
}

bool directory_machine::special_folder_path(shell_owner, int id, bool create, std::wstring& path) {
    std::wstring folder = special_folder(id);
    if (folder.empty()) return false;
    auto l = find(folder);
    if (!l.exists) {
        if (!create || create_folders(folder)) return false;
    }
    path = folder;
    return true;
}

std::int32_t directory_machine::folder_path(shell_owner, int id, std::uint32_t, std::wstring& path) {
    const bool create = (id & csidl::flag_create) != 0;
    const int base = id & ~csidl::flag_mask;
    auto it = special_.find(base);
    if (it == special_.end()) return hr::e_invalidarg;
    if (it->second.empty()) return s_false;
    auto l = find(it->second);
    if (!l.exists) {
        if (!create) return s_false;
        if (auto ec = create_folders(it->second)) return hr::from_win32(static_cast<std::uint32_t>(ec.value()));
    }
    path = it->second;
    return hr::ok;
}

}  // namespace os::native
