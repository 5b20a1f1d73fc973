// Win32-only: the locale contract on the NLS functions and the runtimes, and on the scripted
// locale for comparison.
#include "contract/locale_contract.h"

#include <windows.h>

#include "os/native/locale_double.h"
#include "os/win32/locale_win32.h"

namespace contract {
namespace {

bool running_under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class nls_subject final : public locale_subject {
public:
    os::locale& locale() override { return adapter_; }
    bool under_wine() const override { return running_under_wine(); }

private:
    os::win32::locale_adapter adapter_;
};

class scripted_subject final : public locale_subject {
public:
    os::locale& locale() override { return locale_; }

private:
    os::native::scripted_locale locale_;
};

INSTANTIATE_TEST_SUITE_P(
    Win32, LocaleContract,
    testing::Values(
        locale_factory{"Nls", [] { return std::unique_ptr<locale_subject>(std::make_unique<nls_subject>()); }},
        locale_factory{"Scripted",
                       [] { return std::unique_ptr<locale_subject>(std::make_unique<scripted_subject>()); }}),
    locale_factory_name);

}  // namespace
}  // namespace contract
