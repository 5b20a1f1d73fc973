// The processes contract: a started program's exit code is read after waiting for it, whatever its
// value; a program that is not there fails to start and gives no handle.
#include "contract/processes_contract.h"

#include "os/win_error.h"

namespace contract {
namespace {

TEST_P(ProcessesContract, TheExitCodeIsReadAfterTheWait) {
    for (std::uint32_t code : {0u, 3u, 0xFFFFFFF6u}) {
        os::process_start start{subject().command_exiting_with(code), subject().working_folder(),
                                os::high_priority_class, os::sw_shownoactivate};
        os::process_handle handle = 0;
        ASSERT_FALSE(subject().processes().start(start, handle)) << code;
        os::unique_process process(subject().processes(), handle);
        ASSERT_NE(process.get(), 0u);
        EXPECT_EQ(subject().processes().wait(process.get(), os::infinite_wait), os::wait_result::signaled);
        std::uint32_t exit_code = 12345;
        ASSERT_FALSE(subject().processes().exit_code(process.get(), exit_code));
        EXPECT_EQ(exit_code, code);
    }
}

TEST_P(ProcessesContract, AMissingProgramDoesNotStart) {
    os::process_start start{subject().missing_program(), subject().working_folder(), 0, os::sw_shownoactivate};
    os::process_handle handle = 0;
    const auto error = subject().processes().start(start, handle);
    EXPECT_EQ(error, os::win_error(os::errc::file_not_found));
    EXPECT_EQ(handle, 0u);
}

}  // namespace
}  // namespace contract
