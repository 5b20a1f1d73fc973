// What the payload reader reports to its caller while it extracts, and the caller's answer.
#pragma once

#include "payload/payload_entry.h"

#include <cstdint>
#include <functional>
#include <string>
#include <system_error>
#include <variant>

namespace payload {

namespace notifications {
struct started {};
struct finished {
    std::uint64_t copied = 0;  // decompressed bytes copied, table of contents included
    std::uint64_t total = 0;
};
struct file_begin {
    const payload_entry* entry = nullptr;  // valid until the reader returns
};
struct file_end {
    const payload_entry* entry = nullptr;
};
struct progress {
    std::uint64_t done = 0;  // decompressed bytes accounted for, starting at the table's size
    std::uint64_t total = 0;
};
struct failed {
    std::error_code code;
    std::wstring message;  // the file being written, or the path of a file-system error, or empty
};
}  // namespace notifications

// The alternatives in this order; the order is the alternative's index.
struct notification : std::variant<notifications::started, notifications::finished, notifications::file_begin,
                                   notifications::file_end, notifications::progress, notifications::failed> {
    using variant::variant;

    // skip is honoured for file_begin only; abort for file_begin, file_end and progress.
    enum class result : std::uint32_t { proceed = 0, abort = 1, skip = 2 };
};

using notification_callback = std::function<notification::result(notification)>;

}  // namespace payload
