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
                         testing::Values(code_page_factory{
                             "Table1252",
                             [] { return std::unique_ptr<code_page_subject>(std::make_unique<double_subject>()); }}),
                         code_page_factory_name);

}  // namespace
}  // namespace contract
