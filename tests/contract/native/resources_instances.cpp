// The resources contract on the in-memory set loaded with the program's string tables.
#include "contract/resources_contract.h"

#include "os/native/resources_double.h"

namespace contract {
namespace {

class memory_subject final : public resources_subject {
public:
    memory_subject() { resources_.add_program_strings(); }
    os::resources& resources() override { return resources_; }

private:
    os::native::memory_resources resources_;
};

INSTANTIATE_TEST_SUITE_P(Memory, ResourcesContract,
                         testing::Values(factory_of<resources_subject, memory_subject>("Memory")), subject_name{});

}  // namespace
}  // namespace contract
