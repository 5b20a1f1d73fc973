// The run's own work folder: made new, for Administrators and SYSTEM only, never taken over from
// whatever already stands at its name.
#include "payload/payload_fixture.h"

#include "payload/temporary_folder.h"
#include "vd/private_folder_descriptor.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"
#include "support/host_links.h"

namespace payload_test {
namespace {

namespace fs = std::filesystem;

const std::wstring work = L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{0d2c1a4e-3f1b-4c55-9a77-1e2d3c4b5a69}";

using WorkFolder = machine_fixture;

TEST_F(WorkFolder, OnlyAdministratorsAndSystemGetInAndNothingIsInherited) {
    ASSERT_FALSE(payload::create_work_folder(*machine_, work));
    const auto descriptor = machine_->descriptor_of(work);
    ASSERT_TRUE(descriptor);
    vd::security::descriptor_dacl dacl;
    ASSERT_EQ(vd::security::read_descriptor_dacl(*descriptor, dacl), 0);
    EXPECT_NE(dacl.control & vd::security::se_control::dacl_protected, 0);
    ASSERT_TRUE(dacl.dacl);
    std::vector<std::wstring> trustees;
    for (const auto& entry : dacl.dacl->entries) {
        EXPECT_EQ(entry.type, vd::security::ace_type::access_allowed);
        EXPECT_EQ(entry.mask, vd::security::access_mask::file_all_access);
        EXPECT_EQ(entry.flags, vd::security::ace_flag::object_inherit | vd::security::ace_flag::container_inherit);
        trustees.push_back(vd::security::sid_to_string(entry.sid));
    }
    EXPECT_EQ(trustees, (std::vector<std::wstring>{L"S-1-5-32-544", L"S-1-5-18"}));
}

TEST_F(WorkFolder, WhateverStandsAtItsNameRefusesIt) {
    REQUIRE_HOST_LINKS();
    struct case_t {
        const char* what;
        std::function<void()> plant;
    };
    const case_t cases[] = {
        {"a folder made by someone else", [&] { (void)machine_->create_directory(work); }},
        {"a file", [&] { put(work, "x"); }},
        {"a link to another folder",
         [&] {
             (void)machine_->create_directory(L"C:\\Windows\\Elsewhere");
             fs::create_directory_symlink(machine_->host_path(L"C:\\Windows\\Elsewhere").value(),
                                          machine_->host_path(work).value());
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.plant();
        EXPECT_EQ(payload::create_work_folder(*machine_, work), os::win_error(os::errc::already_exists));
        EXPECT_FALSE(machine_->descriptor_of(work));
        fs::remove(machine_->host_path(work).value());
    }
}

}  // namespace
}  // namespace payload_test
