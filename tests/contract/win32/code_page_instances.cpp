// Win32-only: the code-page contract on the system conversions, and on the 1252 double.
#include "contract/code_page_contract.h"

#include <windows.h>

#include "os/native/code_page_double.h"
#include "os/win32/code_page_win32.h"

namespace contract {
namespace {

class system_subject final : public code_page_subject {
public:
    os::code_page& code_pages() override { return adapter_; }
    bool thread_ansi_is_1252() const override {
        CPINFOEXW info{};
        return GetCPInfoExW(CP_THREAD_ACP, 0, &info) && info.CodePage == 1252;
    }

private:
    os::win32::code_page_adapter adapter_;
};

class double_subject final : public code_page_subject {
public:
    os::code_page& code_pages() override { return double_; }

private:
    os::native::code_page_1252 double_;
};

INSTANTIATE_TEST_SUITE_P(Win32, CodePageContract,
                         testing::Values(factory_of<code_page_subject, system_subject>("System"),
                                         factory_of<code_page_subject, double_subject>("Table1252")),
                         subject_name{});

}  // namespace
}  // namespace contract
