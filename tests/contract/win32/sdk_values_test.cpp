// Win32-only: the SDK values the portable headers copy that are no constant expressions in the SDK
// (the predefined registry keys and the known-folder GUIDs), compared at run time.  The other copied
// constants are proved at compile time by src/os/win32/sdk_constants_check.cpp.
#include <initguid.h>

#include <windows.h>
#include <knownfolders.h>

#include <gtest/gtest.h>

#include <cstring>

#include "os/registry.h"
#include "os/shell_folders.h"

namespace {

bool same(const os::known_folder_id& ours, const GUID& system) {
    return ours.data1 == system.Data1 && ours.data2 == system.Data2 && ours.data3 == system.Data3 &&
           std::memcmp(ours.data4.data(), system.Data4, sizeof(system.Data4)) == 0;
}

TEST(SdkValues, PredefinedKeysAreTheSystemHandles) {
    EXPECT_EQ(os::hkey::classes_root, reinterpret_cast<os::registry_handle>(HKEY_CLASSES_ROOT));
    EXPECT_EQ(os::hkey::current_user, reinterpret_cast<os::registry_handle>(HKEY_CURRENT_USER));
    EXPECT_EQ(os::hkey::local_machine, reinterpret_cast<os::registry_handle>(HKEY_LOCAL_MACHINE));
    EXPECT_EQ(os::hkey::users, reinterpret_cast<os::registry_handle>(HKEY_USERS));
}

TEST(SdkValues, KnownFolderIdsAreTheSystemGuids) {
    EXPECT_TRUE(same(os::known_folder::documents, FOLDERID_Documents));
    EXPECT_TRUE(same(os::known_folder::program_data, FOLDERID_ProgramData));
    EXPECT_TRUE(same(os::known_folder::roaming_app_data, FOLDERID_RoamingAppData));
    EXPECT_TRUE(same(os::known_folder::local_app_data, FOLDERID_LocalAppData));
    EXPECT_TRUE(same(os::known_folder::program_files, FOLDERID_ProgramFiles));
    EXPECT_TRUE(same(os::known_folder::desktop, FOLDERID_Desktop));
}

}  // namespace
