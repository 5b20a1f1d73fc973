// The security contract on the scripted double.
#include "contract/security_contract.h"

#include "os/native/security_double.h"
#include "vd/acl.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

namespace contract {
namespace {

// What a new file or folder under a shared folder carries: an auto-inherited DACL of inherited entries,
// and the Administrators group as owner, as for everything an elevated administrator creates.
std::vector<std::byte> inherited_descriptor(std::uint8_t inheritance) {
    using namespace vd::security;
    acl_writer acl(8 + 3 * (8 + 16), acl_revision);
    acl.add_access_allowed_ace(access_mask::file_all_access, *builtin_sid(sid_kind::administrators),
                               static_cast<std::uint8_t>(ace_flag::inherited | inheritance));
    acl.add_access_allowed_ace(0x1200A9, *builtin_sid(sid_kind::users),
                               static_cast<std::uint8_t>(ace_flag::inherited | inheritance));
    acl.add_access_allowed_ace(0x1200A9, *builtin_sid(sid_kind::everyone), ace_flag::inherited);
    security_descriptor descriptor;
    descriptor.set_owner(*builtin_sid(sid_kind::administrators));
    descriptor.set_dacl(acl.bytes());
    descriptor.set_control(se_control::dacl_auto_inherited, se_control::dacl_auto_inherited);
    return descriptor.self_relative();
}

class double_subject final : public security_subject {
public:
    os::security& security() override { return double_; }
    std::wstring make_file() override {
        std::wstring path = L"C:\\scratch\\file" + std::to_wstring(++made_) + L".dat";
        double_.set_file_descriptor(path, inherited_descriptor(0));
        return path;
    }
    std::wstring make_folder() override {
        std::wstring path = L"C:\\scratch\\folder" + std::to_wstring(++made_);
        double_.set_file_descriptor(path, inherited_descriptor(3));
        return path;
    }
    std::wstring missing_path() override { return L"C:\\scratch\\missing.dat"; }

private:
    os::native::scripted_security double_;
    int made_ = 0;
};

INSTANTIATE_TEST_SUITE_P(Scripted, SecurityContract,
                         testing::Values(factory_of<security_subject, double_subject>("Scripted")), subject_name{});

}  // namespace
}  // namespace contract
