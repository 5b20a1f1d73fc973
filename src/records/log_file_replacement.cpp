// Replacing the uninstall log through a sibling file.
#include "records/log_file_replacement.h"

#include "vd/utf16.h"

#include <memory>

namespace records {
namespace {

// Writes the whole text and makes sure it reached the disk before the file is closed.
bool write_flushed(os::file& file, const std::vector<std::wstring>& lines) {
    const std::byte bom[] = {std::byte{0xFF}, std::byte{0xFE}};
    if (file.write(bom)) return false;
    std::vector<std::byte> bytes;
    for (const auto& line : lines) {
        bytes.clear();
        vd::append_utf16le(bytes, line);
        if (file.write(bytes)) return false;
    }
    return !file.flush();
}

bool is_link(std::uint32_t attributes) { return (attributes & os::file_attribute::reparse_point) != 0; }

// Deletes the name itself.  A link's attributes are never changed: setting them would change the item
// it points to.
void remove_file(os::file_system& files, std::wstring_view path) {
    std::uint32_t attributes = 0;
    if (files.get_attributes(path, attributes)) return;
    if (!is_link(attributes) && (attributes & os::file_attribute::readonly) != 0)
        (void)files.set_attributes(path, os::file_attribute::normal);
    (void)files.delete_file(path);
}

}  // namespace

std::wstring replacement_path(std::wstring_view log_path) { return std::wstring(log_path) + L".new"; }

bool replace_log_file(os::file_system& files, std::wstring_view log_path, const std::vector<std::wstring>& lines,
                      std::uint32_t attributes) {
    const std::wstring sibling = replacement_path(log_path);
    // Whatever is left under the sibling's name (an earlier run's remains, or a planted link) goes
    // first; the new file must be one this call created.
    remove_file(files, sibling);
    std::unique_ptr<os::file> file;
    if (files.open(sibling, os::file_access::write, os::file_disposition::create_new, os::file_share::none, file))
        return false;
    const bool written = write_flushed(*file, lines);
    const bool closed = !file->close();
    file.reset();
    if (!written || !closed) {
        remove_file(files, sibling);
        return false;
    }

    // The old log is read-only; the rename may replace it only without that attribute.  A link in
    // its place is replaced as a name, and what it points to is left alone.
    std::uint32_t old_attributes = 0;
    const bool clear_old = !files.get_attributes(log_path, old_attributes) && !is_link(old_attributes) &&
                           (old_attributes & os::file_attribute::readonly) != 0;
    if (clear_old) (void)files.set_attributes(log_path, os::file_attribute::normal);
    if (files.move_file(sibling, log_path, os::move_flag::replace_existing)) {
        if (clear_old) (void)files.set_attributes(log_path, old_attributes);
        remove_file(files, sibling);
        return false;
    }
    (void)files.set_attributes(log_path, attributes);
    return true;
}

}  // namespace records
