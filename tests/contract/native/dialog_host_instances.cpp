// The dialog-host contract on the headless host.
#include "contract/dialog_host_headless_subject.h"

namespace contract {
namespace {

INSTANTIATE_TEST_SUITE_P(Headless, DialogHostContract, testing::Values(headless_factory()), subject_name{});

}  // namespace
}  // namespace contract
