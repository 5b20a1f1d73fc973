// The locale contract on the scripted locale.
#include "contract/locale_contract.h"

#include "os/native/locale_double.h"

namespace contract {
namespace {

class scripted_subject final : public locale_subject {
public:
    os::locale& locale() override { return locale_; }

private:
    os::native::scripted_locale locale_;
};

INSTANTIATE_TEST_SUITE_P(Scripted, LocaleContract,
                         testing::Values(factory_of<locale_subject, scripted_subject>("Scripted")), subject_name{});

}  // namespace
}  // namespace contract
