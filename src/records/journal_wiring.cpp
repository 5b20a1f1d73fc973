// Wiring the journal to the program's ports.
#include "records/journal_wiring.h"

#include "vd/security.h"
#include "vd/ansi_to_wide_codecvt.h"

#include <memory>

namespace records {
namespace {

// The facet's destructor is protected, as for every locale facet; this one is owned directly.
class owned_facet final : public vd::details::ansi_to_wide_codecvt {
public:
    explicit owned_facet(os::code_page& code_pages) : ansi_to_wide_codecvt(code_pages, 1) {}
    ~owned_facet() override = default;
};

}  // namespace

journal_ports make_journal_ports(os::file_system& files, os::shell_folders& shell, os::registry& registry,
                                 os::security& security, os::code_page& code_pages) {
    auto facet = std::make_shared<owned_facet>(code_pages);
    return journal_ports{
        .files = files,
        .shell = shell,
        .registry = registry,
        .set_privilege = [&security](std::wstring_view name,
                                     bool enable) { return vd::security::set_privilege(security, name, enable); },
        .ansi_to_wide = [facet](std::string_view bytes) { return vd::details::to_wide(*facet, bytes); },
    };
}

}  // namespace records
