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
                         testing::Values(locale_factory{
                             "Scripted",
                             [] { return std::unique_ptr<locale_subject>(std::make_unique<scripted_subject>()); }}),
                         locale_factory_name);

}  // namespace
}  // namespace contract
