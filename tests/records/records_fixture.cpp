// The journal's test machine.
#include "records_fixture.h"

#include "records/journal_wiring.h"
#include "vd/utf16.h"

#include <random>

namespace records_test {

void PrintTo(const item_state& item, std::ostream* os) {
    *os << "attributes 0x" << std::hex << item.attributes << std::dec << " content \"" << item.content << "\"";
}

std::string utf16_file(std::wstring_view text) {
    std::vector<std::byte> bytes{std::byte{0xFF}, std::byte{0xFE}};
    vd::append_utf16le(bytes, text);
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void records_machine::SetUp() {
    std::random_device rd;
    root_ =
        std::filesystem::temp_directory_path() / ("lignotek-records-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::remove_all(root_);
    machine_ = std::make_unique<os::native::directory_machine>(root_);
    registry_ = std::make_unique<os::native::memory_registry>(*machine_);
    // The administrator's token holds both privileges, disabled until the journal asks for them.
    security_.set_privilege_held(L"SeBackupPrivilege", false);
    security_.set_privilege_held(L"SeRestorePrivilege", false);
    registry_->use_privileges_of(
        [this](std::wstring_view name) { return security_.privilege_enabled(name).value_or(false); });
}

void records_machine::TearDown() {
    registry_.reset();
    machine_.reset();
    std::error_code ec;
    // Read-only files are host files without write permission: give it back before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(root_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ec);
    std::filesystem::remove_all(root_, ec);
}

records::journal_ports records_machine::ports() {
    return records::make_journal_ports(*machine_, *machine_, *registry_, security_, code_pages_);
}

void records_machine::write_file(std::wstring_view path, std::string_view bytes, std::uint32_t attributes) {
    std::unique_ptr<os::file> f;
    ASSERT_FALSE(machine_->open(path, os::file_access::write, os::file_disposition::create_always, 0, f));
    ASSERT_FALSE(f->write(std::as_bytes(std::span(bytes.data(), bytes.size()))));
    ASSERT_FALSE(f->close());
    if (attributes != 0) {
        ASSERT_FALSE(machine_->set_attributes(path, attributes));
    }
}

std::string records_machine::read_file(std::wstring_view path) {
    std::unique_ptr<os::file> f;
    if (machine_->open(path, os::file_access::read, os::file_disposition::open_existing, os::file_share::read, f))
        return "<missing>";
    std::string out;
    std::byte buffer[4096];
    for (;;) {
        std::size_t n = 0;
        if (f->read(buffer, n) || n == 0) break;
        out.append(reinterpret_cast<const char*>(buffer), n);
    }
    return out;
}

bool records_machine::exists(std::wstring_view path) {
    std::uint32_t a = 0;
    return !machine_->get_attributes(path, a);
}

std::uint32_t records_machine::attributes(std::wstring_view path) {
    std::uint32_t a = 0;
    return machine_->get_attributes(path, a) ? 0xFFFFFFFFu : a;
}

void records_machine::make_folder(std::wstring_view path) {
    std::wstring partial;
    for (std::size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == L'\\') {
            partial = std::wstring(path.substr(0, i));
            if (partial.size() > 2) (void)machine_->create_directory(partial);
        }
    }
}

machine_state records_machine::snapshot() {
    machine_state state;
    std::vector<std::wstring> folders{L"C:"};
    while (!folders.empty()) {
        const std::wstring folder = folders.back();
        folders.pop_back();
        std::vector<os::directory_entry> entries;
        if (machine_->list_directory(folder + L"\\", entries)) continue;
        for (const auto& e : entries) {
            const std::wstring path = folder + L"\\" + e.name;
            item_state item{attributes(path), {}};
            if (e.attributes & os::file_attribute::directory)
                folders.push_back(path);
            else
                item.content = read_file(path);
            state[path] = item;
        }
    }
    return state;
}

std::vector<std::wstring> records_machine::temp_files() {
    std::wstring temp;
    EXPECT_FALSE(machine_->temp_path(temp));
    std::vector<os::directory_entry> entries;
    (void)machine_->list_directory(temp, entries);
    std::vector<std::wstring> names;
    for (const auto& e : entries) names.push_back(temp + e.name);
    return names;
}

}  // namespace records_test
