// File placement: the output file of an entry, its folders, an existing file in the way, the access
// rights of shared folders, and the deletion of a run's temporary files.
#pragma once

#include "os/file_system.h"
#include "payload/destination.h"
#include "payload/payload_ports.h"

#include <memory>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace payload {

// The Users group's rights on a shared folder (full control, inherited by folders and files below)
// and on a shared data file of kind 3 (read, write, delete, read control, synchronize; no execute).
inline constexpr std::uint32_t shared_folder_mask = 0x1F01FF;
inline constexpr std::uint8_t shared_folder_inheritance = 3;
inline constexpr std::uint32_t shared_file_mask = 0x13019F;

// A failed file-system operation: the operation's name, the path and the Windows error code.
class file_error : public std::system_error {
public:
    file_error(std::error_code code, std::string operation, std::wstring path);
    [[nodiscard]] const std::string& operation() const noexcept { return operation_; }
    [[nodiscard]] const std::wstring& path() const noexcept { return path_; }

private:
    std::string operation_;
    std::wstring path_;
};

class file_placement {
public:
    file_placement(payload_ports& ports, shared_folder_list& shared) : ports_(ports), shared_(shared) {}

    // Opens `destination` for writing, replacing its content, with write sharing denied.  A file
    // already there loses its read-only attribute first (errors ignored); missing folders are
    // created ("create_directories"); pending shared folders that contain the destination get their
    // rights.  No level below `trusted` (the token's folder), the file included, may be a link, nor
    // may the file have a second name: that throws file_error 4395 ("open") before anything is
    // changed.  Throws file_error; after a failure the folders created so far stay.
    [[nodiscard]] std::unique_ptr<os::file> open_output_file(const std::wstring& destination,
                                                             const std::wstring& trusted = {});

    // Grants each pending shared folder that contains `folder` (or is it) once it exists.  Throws
    // file_error("status") when a folder's state cannot be read for a reason other than its absence.
    void grant_shared_folders(const std::wstring& folder);

    // Creates `folder` and its missing ancestors, refusing an existing level below `trusted` that
    // is a link (4395).  Throws file_error("create_directories").
    void create_directories(const std::wstring& folder, const std::wstring& trusted = {});

private:
    payload_ports& ports_;
    shared_folder_list& shared_;
};

// Deletes each listed file (read-only or not), then the temporary folder when it is empty; every
// error is ignored.  The list is emptied.
void clean_up_temporary_files(os::file_system& files, std::vector<std::wstring>& temporary_files,
                              const std::wstring& temp_folder);

}  // namespace payload
