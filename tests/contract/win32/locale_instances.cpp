// Win32-only: the locale contract on the NLS functions and the runtimes, and on the scripted
// locale for comparison.
#include "contract/locale_contract.h"

#include <windows.h>

#include "os/native/locale_double.h"
#include "os/win32/locale_win32.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

class nls_subject final : public locale_subject {
public:
    os::locale& locale() override { return adapter_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

private:
    os::win32::locale_adapter adapter_;
};

class scripted_subject final : public locale_subject {
public:
    os::locale& locale() override { return locale_; }

private:
    os::native::scripted_locale locale_;
};

INSTANTIATE_TEST_SUITE_P(Win32, LocaleContract,
                         testing::Values(factory_of<locale_subject, nls_subject>("Nls"),
                                         factory_of<locale_subject, scripted_subject>("Scripted")),
                         subject_name{});

}  // namespace
}  // namespace contract
