// Extracting the payload: the copy loop from the bzip2-compressed stream into the extractor, and
// the translation of every failure into one failed notification.
#pragma once

#include "payload/bzip2_stream.h"
#include "payload/destination.h"
#include "payload/notification.h"
#include "payload/payload_ports.h"

#include <exception>
#include <istream>
#include <string>
#include <system_error>
#include <vector>

#include "payload/payload_entry.h"

namespace payload {

// Reads `compressed` from its current position to the end of its bzip2 data and places every
// entry.  Sends started, then file_begin/file_end/progress, then finished (returns true) or failed
// (returns false).  Never throws.  Files written before a failure stay where they are.
// `decoder_threads` is for bzip2_decompressor (automatic unless the serial decoder is wanted).
[[nodiscard]] bool extract_payload(std::istream& compressed, payload_ports& ports, const destination_inputs& inputs,
                                   const notification_callback& callback,
                                   unsigned decoder_threads = automatic_bzip2_threads) noexcept;

// Decodes the whole stream and checks that it holds a complete, consistent archive without
// writing anything: the table is parsed and the total size must match.  Returns the code of what
// is wrong (bzip2_failure, unexpected_error) or an empty code.
[[nodiscard]] std::error_code check_payload(std::istream& compressed) noexcept;

// Decodes only as far as the table of contents and returns its entries as stored (`destination`
// holds the folder field).  Throws bzip2_error or compress_error(unexpected_error).
[[nodiscard]] std::vector<payload_entry> read_table_of_contents(std::istream& compressed);

// The error code an exception stands for in a failed notification.
[[nodiscard]] std::error_code error_code_of(const std::exception& e) noexcept;

}  // namespace payload
