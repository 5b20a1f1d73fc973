// The code-page contract on the 1252 double.
#include "contract/code_page_contract.h"

#include "os/native/code_page_double.h"

namespace contract {
namespace {

class double_subject final : public code_page_subject {
public:
    os::code_page& code_pages() override { return double_; }

private:
    os::native::code_page_1252 double_;
};

INSTANTIATE_TEST_SUITE_P(Table1252, CodePageContract,
                         testing::Values(factory_of<code_page_subject, double_subject>("Table1252")), subject_name{});

}  // namespace
}  // namespace contract
