// Building a payload archive: the table of contents followed by the files' bytes, compressed as
// one bzip2 stream (block size 9).  Used by the release tool and by tests.
#pragma once

#include "payload/payload_entry.h"

#include <cstddef>
#include <functional>
#include <ostream>
#include <span>
#include <vector>

namespace payload {

// One entry to pack: its record (source, folder in `destination`, kind, size, crc) and a function
// that streams exactly `size` bytes of content into the given sink.
struct archive_input {
    payload_entry record;
    std::function<void(const std::function<void(std::span<const std::byte>)>& sink)> content;
};

// Writes the archive to `out`.  Throws bzip2_error or std::ios_base::failure; throws
// std::runtime_error when an entry's content does not have its recorded size.
void write_archive(const std::vector<archive_input>& inputs, std::ostream& out, int block_size = 9);

}  // namespace payload
