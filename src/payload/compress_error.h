// The payload reader's own errors: the error category "compress" and its values.
#pragma once

#include <string>
#include <system_error>

namespace payload {

enum class compress_errc : int {
    invalid_checksum = 3,  // a written file's CRC-32 differs from its entry
    invalid_payload = 4,   // the check pass over the payload failed
    interrupted = 5,       // the callback answered abort
    bzip2_failure = 6,     // the bzip2 decoder reported corrupt or truncated data
    unexpected_error = 7,  // inconsistent archive, a folder that cannot be found, anything else
};

// The category object, one per process.
[[nodiscard]] const std::error_category& compress_category() noexcept;

[[nodiscard]] inline std::error_code make_error_code(compress_errc e) noexcept {
    return {static_cast<int>(e), compress_category()};
}

// Thrown by the reader for its own errors; extract_payload turns it into a failed notification.
class compress_error : public std::system_error {
public:
    explicit compress_error(compress_errc e, const std::string& what = {})
        : std::system_error(make_error_code(e), what) {}
};

// The text an installation shows for an extraction error code: "1:%08X" for Windows errors,
// "2:%08X" for C runtime errno values, the decimal value for compress errors, "7" otherwise.
[[nodiscard]] std::wstring error_code_text(const std::error_code& code);

}  // namespace payload

template <>
struct std::is_error_code_enum<payload::compress_errc> : std::true_type {};
