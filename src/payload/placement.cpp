// File placement (see placement.h).
#include "payload/placement.h"

#include "os/win_error.h"
#include "vd/create_folders.h"
#include "vd/link_check.h"
#include "vd/win_path.h"

namespace payload {

namespace {

[[nodiscard]] bool absent(const std::error_code& ec) {
    return ec == os::win_error(os::errc::file_not_found) || ec == os::win_error(os::errc::path_not_found);
}

[[nodiscard]] std::string narrow_for_message(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += (c > 0 && c < 0x80) ? static_cast<char>(c) : '?';
    return out;
}

}  // namespace

file_error::file_error(std::error_code code, std::string operation, std::wstring path)
    : std::system_error(code, operation + ": " + narrow_for_message(path)),
      operation_(std::move(operation)),
      path_(std::move(path)) {}

void file_placement::create_directories(const std::wstring& folder, const std::wstring& trusted) {
    std::uint32_t attributes = 0;
    if (!ports_.files.get_attributes(folder, attributes) && (attributes & os::file_attribute::directory) &&
        !vd::refuse_links_below(ports_.files, trusted, folder))
        return;
    if (auto ec = vd::create_folders_without_links(ports_.files, trusted, folder))
        throw file_error(ec, "create_directories", folder);
}

void file_placement::grant_shared_folders(const std::wstring& folder) {
    for (auto& record : shared_.folders()) {
        if (record.granted) continue;
        std::wstring current = folder;
        for (;;) {
            std::uint32_t attributes = 0;
            auto ec = ports_.files.get_attributes(current, attributes);
            if (ec && !absent(ec) && ec != os::win_error(os::errc::invalid_name))
                throw file_error(ec, "status", current);
            if (ec || !(attributes & os::file_attribute::directory)) break;
            if (same_folder(current, record.path)) {
                // A failed grant still counts: the folder is not tried again and placement goes on.
                if (ports_.grant_users_access)
                    (void)ports_.grant_users_access(record.path, shared_folder_mask, shared_folder_inheritance);
                record.granted = true;
                break;
            }
            std::wstring up = vd::path::parent(current);
            if (up.size() >= current.size()) break;  // the root
            current = std::move(up);
        }
    }
}

std::unique_ptr<os::file> file_placement::open_output_file(const std::wstring& destination,
                                                           const std::wstring& trusted) {
    if (auto ec = vd::refuse_links_below(ports_.files, trusted, vd::path::parent(destination)))
        throw file_error(ec, "open", destination);
    if (auto ec = vd::refuse_linked_item(ports_.files, destination)) throw file_error(ec, "open", destination);
    std::uint32_t attributes = 0;
    if (!ports_.files.get_attributes(destination, attributes)) {
        if ((attributes & os::file_attribute::readonly) && !(attributes & os::file_attribute::directory))
            (void)ports_.files.set_attributes(destination, attributes & ~os::file_attribute::readonly);
    } else {
        std::wstring parent = vd::path::parent(destination);
        if (!parent.empty()) create_directories(parent, trusted);
    }
    grant_shared_folders(vd::path::parent(destination));
    std::unique_ptr<os::file> out;
    if (auto ec = ports_.files.open(destination, os::file_access::write, os::file_disposition::create_always,
                                    os::file_share::read, out))
        throw file_error(ec, "open", destination);
    return out;
}

void clean_up_temporary_files(os::file_system& files, std::vector<std::wstring>& temporary_files,
                              const std::wstring& temp_folder) {
    for (const auto& path : temporary_files) {
        std::uint32_t attributes = 0;
        if (!files.get_attributes(path, attributes) && (attributes & os::file_attribute::readonly))
            (void)files.set_attributes(path, os::file_attribute::normal);
        (void)files.delete_file(path);
    }
    if (!temp_folder.empty()) (void)files.remove_directory(temp_folder);
    temporary_files.clear();
}

}  // namespace payload
