// Win32-only: the system-text contract on FormatMessageW, and on the English table for comparison.
#include "contract/system_text_contract.h"

#include "os/native/system_text_double.h"
#include "os/win32/system_text_win32.h"
#include "support/win32/running_under_wine.h"

namespace contract {
namespace {

class format_message_subject final : public system_text_subject {
public:
    os::system_text& texts() override { return adapter_; }
    bool under_wine() const override { return test_support::running_under_wine(); }

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
                         testing::Values(factory_of<system_text_subject, format_message_subject>("FormatMessage"),
                                         factory_of<system_text_subject, table_subject>("EnglishTable")),
                         subject_name{});

}  // namespace
}  // namespace contract
