// Creating a folder together with its missing ancestors through the file-system port, one level at
// a time from the top, as the file-system library does.
#pragma once

#include "os/file_system.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>

namespace vd {

// Hears of each folder that was created, in order from the top.
using folder_created = std::function<void(const std::wstring& folder)>;

// Creates `base` joined with the first element, then with the first two, and so on, with one
// create_directory each; `base` itself is never created.  A level that already exists is passed
// over; from the element at index `links_refused_from` on, an existing level that is a link ends
// the walk with 4395 instead, so that nothing is created through it.  Stops at the first other
// error and returns it, keeping the levels made so far.
[[nodiscard]] std::error_code create_folders_below(os::file_system& files, std::wstring base,
                                                   std::span<const std::wstring_view> elements,
                                                   const folder_created& created = {},
                                                   std::size_t links_refused_from = SIZE_MAX);

// `folder` and its missing ancestors below its root (see create_folders_below).
[[nodiscard]] std::error_code create_folders(os::file_system& files, std::wstring_view folder,
                                             const folder_created& created = {});

// `folder` and its missing ancestors, where no existing level below `trusted` may be a link
// (vd::trusted_levels); the levels within `trusted` are taken as the system gave them.
[[nodiscard]] std::error_code create_folders_without_links(os::file_system& files, std::wstring_view trusted,
                                                           std::wstring_view folder,
                                                           const folder_created& created = {});

}  // namespace vd
