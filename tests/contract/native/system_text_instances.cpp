// The system-text contract on the English table of the native build.
#include "contract/system_text_contract.h"

#include "os/native/system_text_double.h"

namespace contract {
namespace {

class table_subject final : public system_text_subject {
public:
    os::system_text& texts() override { return table_; }

private:
    os::native::system_text_table table_;
};

INSTANTIATE_TEST_SUITE_P(EnglishTable, SystemTextContract,
                         testing::Values(factory_of<system_text_subject, table_subject>("EnglishTable")),
                         subject_name{});

}  // namespace
}  // namespace contract
