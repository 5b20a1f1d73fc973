// Win32-only: the system-text contract on FormatMessageW, and on the English table for comparison.
#include "contract/system_text_contract.h"

#include <windows.h>

#include "os/native/system_text_double.h"
#include "os/win32/system_text_win32.h"

namespace contract {
namespace {

bool running_under_wine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

class format_message_subject final : public system_text_subject {
public:
    os::system_text& texts() override { return adapter_; }
    bool under_wine() const override { return running_under_wine(); }

private:
    os::win32::system_text_adapter adapter_;
};

class table_subject final : public system_text_subject {
public:
    os::system_text& texts() override { return table_; }

private:
    os::native::system_text_table table_;
};

INSTANTIATE_TEST_SUITE_P(Win32, SystemTextContract,
                         testing::Values(system_text_factory{"FormatMessage",
                                                             [] {
                                                                 return std::unique_ptr<system_text_subject>(
                                                                     std::make_unique<format_message_subject>());
                                                             }},
                                         system_text_factory{"EnglishTable",
                                                             [] {
                                                                 return std::unique_ptr<system_text_subject>(
                                                                     std::make_unique<table_subject>());
                                                             }}),
                         system_text_factory_name);

}  // namespace
}  // namespace contract
