// The resources port's contract cases, run on the in-memory set and on the program's own module.
#include "contract/resources_contract.h"

#include <algorithm>

#include "res/program_strings.h"
#include "vd/string_table.h"

namespace contract {
namespace {

TEST_P(ResourcesContract, TheProgramModuleIsAStableHandle) {
    const auto module = resources().program_module();
    EXPECT_NE(module, 0u);
    EXPECT_EQ(resources().program_module(), module);
}

TEST_P(ResourcesContract, StringBlocksAreLaidOutAsTheResourceCompilerDoes) {
    const auto program = resources().program_module();
    for (const auto& block : res::program_string_blocks()) {
        const auto found = resources().find(program, os::resource_type::string, block.number);
        ASSERT_TRUE(found.has_value()) << "block " << block.number;
        EXPECT_TRUE(std::equal(found->begin(), found->end(), block.bytes.begin(), block.bytes.end()))
            << "block " << block.number;
    }
}

TEST_P(ResourcesContract, EveryProgramStringLoadsInPlace) {
    for (const auto& language : res::program_strings()) {
        for (const auto& entry : language.entries) {
            EXPECT_EQ(vd::load_string(resources(), 0, entry.id), entry.text) << language.tag << " " << entry.id;
        }
    }
}

TEST_P(ResourcesContract, AbsentResourcesAreNotFound) {
    const auto program = resources().program_module();
    EXPECT_FALSE(resources().find(program, os::resource_type::string, 1).has_value());  // ids 0-15
    EXPECT_FALSE(resources().find(program, os::resource_type::payload, 999).has_value());
    EXPECT_FALSE(resources().find(0, os::resource_type::string, 1000 / 16 + 1).has_value());
    EXPECT_EQ(vd::load_string(resources(), 0, 1050).data(), nullptr);
}

}  // namespace
}  // namespace contract
