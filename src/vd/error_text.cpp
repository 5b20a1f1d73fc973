// Error texts: the program's own strings for its customer codes, system texts for the rest.
#include "vd/error_text.h"

#include "os/win_error.h"
#include "vd/string_table.h"
#include "vd/system_message.h"

namespace vd {

std::wstring error_text(os::system_text& texts, os::resources& resources, os::module_handle resource_module,
                        std::int32_t code) {
    const auto bits = static_cast<std::uint32_t>(code);
    if (bits & customer_code_bit) {
        const auto id = bits & 0xFFFFu;
        if ((bits & string_id_code_bit) && id != 0) {
            if (auto text = load_string_text(resources, resource_module, id); text && !text->empty()) {
                return *std::move(text);
            }
        }
        return system_message(texts, os::hr::e_fail, 0);
    }
    return system_message(texts, code, 0);
}

}  // namespace vd
