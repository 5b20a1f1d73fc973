// The exception the library throws for a failing HRESULT (E_FAIL, E_INVALIDARG, a Win32 error in
// HRESULT form, ...), for operations whose callers catch and turn it into an answer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace vd {

class hresult_error : public std::runtime_error {
public:
    explicit hresult_error(std::int32_t code) : std::runtime_error("HRESULT 0x" + to_hex(code)), code_(code) {}

    [[nodiscard]] std::int32_t code() const noexcept { return code_; }

private:
    static std::string to_hex(std::int32_t code) {
        static constexpr char digits[] = "0123456789ABCDEF";
        std::string text(8, '0');
        auto value = static_cast<std::uint32_t>(code);
        for (int i = 7; i >= 0; --i, value >>= 4) text[static_cast<std::size_t>(i)] = digits[value & 0xF];
        return text;
    }
    std::int32_t code_;
};

}  // namespace vd
