// The user-interface contract on the scripted double.
#include "contract/user_interface_scripted_subject.h"

namespace contract {
namespace {

INSTANTIATE_TEST_SUITE_P(ScriptedUi, UserInterfaceContract, testing::Values(scripted_factory()), subject_name{});

}  // namespace
}  // namespace contract
