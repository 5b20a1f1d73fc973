// Win32-only: the resources contract on this test program's own module (it carries the program's
// string tables, icons and version block), and on the in-memory set for comparison.
#include "contract/resources_contract.h"

#include "os/native/resources_double.h"
#include "os/win32/resources_win32.h"

namespace contract {
namespace {

class module_subject final : public resources_subject {
public:
    os::resources& resources() override { return adapter_; }

private:
    os::win32::resources_adapter adapter_;
};

class memory_subject final : public resources_subject {
public:
    memory_subject() { resources_.add_program_strings(); }
    os::resources& resources() override { return resources_; }

private:
    os::native::memory_resources resources_;
};

INSTANTIATE_TEST_SUITE_P(Win32, ResourcesContract,
                         testing::Values(factory_of<resources_subject, module_subject>("FindResource"),
                                         factory_of<resources_subject, memory_subject>("Memory")),
                         subject_name{});

}  // namespace
}  // namespace contract
