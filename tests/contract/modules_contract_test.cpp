// The loadable-modules contract: a library loaded by its full path, with either search restriction,
// gives its exports and nothing for a name it lacks; a missing library and a path that is not
// absolute load nothing.
#include "contract/modules_contract.h"

#include "os/win_error.h"

namespace contract {
namespace {

constexpr os::library_search every_search[] = {os::library_search::own_folder_and_system32,
                                               os::library_search::system32};

TEST_P(ModulesContract, ALibraryGivesItsExportsByName) {
    for (const auto search : every_search) {
        SCOPED_TRACE(static_cast<int>(search));
        os::library_handle handle = 0;
        ASSERT_FALSE(subject().modules().load(subject().library_path(), search, handle));
        os::unique_library library(subject().modules(), handle);
        ASSERT_NE(library.get(), 0u);
        EXPECT_NE(subject().modules().symbol(library.get(), subject().export_name()), nullptr);
        EXPECT_EQ(subject().modules().symbol(library.get(), "NoSuchExportOfThisLibrary"), nullptr);
    }
}

TEST_P(ModulesContract, AMissingLibraryLoadsNothing) {
    for (const auto search : every_search) {
        os::library_handle handle = 0;
        EXPECT_EQ(subject().modules().load(subject().missing_library(), search, handle),
                  os::win_error(126));  // ERROR_MOD_NOT_FOUND
        EXPECT_EQ(handle, 0u);
    }
}

TEST_P(ModulesContract, APathThatIsNotAbsoluteIsRefused) {
    // A bare name would be searched for along the search path, where anyone may have put a library.
    for (const auto search : every_search) {
        os::library_handle handle = 0;
        EXPECT_EQ(subject().modules().load(L"kernel32.dll", search, handle),
                  os::win_error(os::errc::invalid_parameter));
        EXPECT_EQ(handle, 0u);
    }
}

}  // namespace
}  // namespace contract
