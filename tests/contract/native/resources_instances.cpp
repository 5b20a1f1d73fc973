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
                         testing::Values(resources_factory{
                             "Memory",
                             [] { return std::unique_ptr<resources_subject>(std::make_unique<memory_subject>()); }}),
                         resources_factory_name);

}  // namespace
}  // namespace contract
