// Refusing to act through a link: a folder that an ordinary user could create before an elevated
// installation may be a junction or symbolic link to a system folder, and writing, granting or
// deleting through it would act on the system folder instead.
#pragma once

#include "os/file_system.h"

#include <cstddef>
#include <string_view>
#include <system_error>

namespace vd {

// How many leading elements of `path` lie within `trusted` (a folder the system gave, such as the
// common application-data folder): its element count when `path` is `trusted` or below it (root and
// elements compared without case), else 0.  An empty `trusted` trusts nothing.
[[nodiscard]] std::size_t trusted_levels(std::wstring_view trusted, std::wstring_view path);

// Opens each existing level of `path` below `trusted`, `path` itself included, without following
// links, and answers 4395 (a reparse point would be traversed) for the first that is a link.  The
// walk ends at the first level that does not exist; another failure of the query is answered as it
// is, since a level that cannot be looked at cannot be vouched for.
[[nodiscard]] std::error_code refuse_links_below(os::file_system& files, std::wstring_view trusted,
                                                 std::wstring_view path);

// 4395 when the item at `path` itself is a link, or a file with more than one name (a hard link
// planted to a system file would pass the Users' rights on to it); 0 when it is neither or absent.
[[nodiscard]] std::error_code refuse_linked_item(os::file_system& files, std::wstring_view path);

}  // namespace vd
