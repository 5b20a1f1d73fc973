// The error category "compress" and the error code texts of an extraction.
#include "payload/compress_error.h"

#include "os/win_error.h"

#include <cwchar>

namespace payload {

namespace {

class compress_category_impl final : public std::error_category {
public:
    const char* name() const noexcept override { return "compress"; }
    std::string message(int value) const override {
        switch (value) {
            case 3:
                return "invalid checksum";
            case 5:
                return "interrupted";
            case 6:
                return "bzip2 error";
            case 7:
                return "unexpected error";
            default:
                return "unknown error";  // 4, the failed check pass, has this text too
        }
    }
};

}  // namespace

const std::error_category& compress_category() noexcept {
    static const compress_category_impl category;
    return category;
}

std::wstring error_code_text(const std::error_code& code) {
    wchar_t buffer[16];
    const auto value = static_cast<unsigned>(code.value());
    if (code.category() == os::win_category() || code.category() == std::system_category()) {
        std::swprintf(buffer, 16, L"1:%08X", value);
    } else if (code.category() == std::generic_category()) {
        std::swprintf(buffer, 16, L"2:%08X", value);
    } else if (code.category() == compress_category()) {
        std::swprintf(buffer, 16, L"%d", code.value());
    } else {
        return L"7";
    }
    return buffer;
}

}  // namespace payload
