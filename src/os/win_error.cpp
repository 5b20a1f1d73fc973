// The Windows error category of both builds.
#include "os/win_error.h"

#include <string>

namespace os {

#ifdef _WIN32
const std::error_category& win_category() noexcept { return std::system_category(); }
#else
namespace {
// Natively the text of a code is its number: the program's own error texts come from
// vd::system_message, which has the table of the system texts the program can meet.
class native_win_category final : public std::error_category {
public:
    const char* name() const noexcept override { return "windows"; }
    std::string message(int code) const override { return "Windows error " + std::to_string(code); }
};
}  // namespace

const std::error_category& win_category() noexcept {
    static const native_win_category category;
    return category;
}
#endif

}  // namespace os
