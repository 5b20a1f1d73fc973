// The three public security operations over the scripted security of a machine: the administrator
// test and its fallback, the privilege switch, and the Users grant with what is left on the file when
// it is refused.
#include "os/native/security_double.h"
#include "security_fixture.h"
#include "vd/hresult_error.h"
#include "vd/security.h"
#include "vd/sid.h"

#include <gtest/gtest.h>

namespace {

using namespace security_fixture;
using os::native::scripted_security;
using os::native::security_call;

constexpr os::hresult e_notimpl = static_cast<os::hresult>(0x80004001u);
constexpr os::hresult e_unexpected = static_cast<os::hresult>(0x8000FFFFu);
constexpr os::hresult access_denied = static_cast<os::hresult>(0x80070005u);

TEST(IsUserAdmin, AnswersTheMembershipOfTheToken) {
    scripted_security system;
    EXPECT_TRUE(vd::security::is_user_admin(system));
    system.set_group_member(administrators, false);
    EXPECT_FALSE(vd::security::is_user_admin(system));
}

TEST(IsUserAdmin, FallsBackToAnAccessCheckWhenMembershipCannotBeAsked) {
    const struct {
        const char* name;
        bool admin;
        os::hresult membership_error;
        os::hresult access_check_error;
        bool expected;
    } cases[] = {
        {"no CheckTokenMembership, admin", true, e_notimpl, 0, true},
        {"no CheckTokenMembership, not admin", false, e_notimpl, 0, false},
        {"no advapi32", true, e_unexpected, e_unexpected, false},
        {"membership call failing, access check failing", true, access_denied, access_denied, false},
    };
    for (const auto& c : cases) {
        scripted_security system;
        system.set_group_member(administrators, c.admin);
        system.fail(security_call::check_membership, c.membership_error);
        system.fail(security_call::access_check, c.access_check_error);
        EXPECT_EQ(vd::security::is_user_admin(system), c.expected) << c.name;
    }
}

TEST(SetPrivilege, SwitchesAPrivilegeTheTokenHolds) {
    scripted_security system;
    ASSERT_EQ(system.privilege_enabled(L"SeBackupPrivilege"), false);
    EXPECT_TRUE(vd::security::set_privilege(system, L"SeBackupPrivilege", true));
    EXPECT_EQ(system.privilege_enabled(L"SeBackupPrivilege"), true);
    EXPECT_EQ(system.privilege_enabled(L"SeRestorePrivilege"), false);
    EXPECT_TRUE(vd::security::set_privilege(system, L"SeBackupPrivilege", false));
    EXPECT_EQ(system.privilege_enabled(L"SeBackupPrivilege"), false);
}

TEST(SetPrivilege, FailsForPrivilegesTheTokenCannotSwitch) {
    scripted_security system;
    system.set_privilege_held(L"SeRestorePrivilege", std::nullopt);
    EXPECT_FALSE(vd::security::set_privilege(system, L"SeRestorePrivilege", true));  // not held
    EXPECT_FALSE(vd::security::set_privilege(system, L"SeNoSuchPrivilege", true));   // unknown
    system.fail(security_call::set_privilege, e_unexpected);
    EXPECT_FALSE(vd::security::set_privilege(system, L"SeBackupPrivilege", true));
    EXPECT_EQ(system.privilege_enabled(L"SeBackupPrivilege"), false);
}

constexpr std::uint16_t self_relative_present = 0x8004;

TEST(GrantUsersAccess, WritesTheEditedDescriptor) {
    scripted_security system;
    const bytes before = descriptor(0x8404, acl({ace(deny, 0, 2, users), ace(allow, 0x10, 0x1F01FF, administrators)}));
    system.set_file_descriptor(L"C:\\ProgramData\\Lignotek\\Shared", before);
    ASSERT_TRUE(vd::security::grant_users_access(system, L"c:\\programdata\\lignotek\\shared", 0x1F01FF, 3));
    const auto* after = system.file_descriptor(L"C:\\ProgramData\\Lignotek\\Shared");
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(
        *after,
        descriptor(0x8504, acl({ace(allow, 3, 0x1F01FF, users), ace(allow, 0x10, 0x1F01FF, administrators)}, 24)));
    // A second grant finds its own entry and replaces it: still one entry for Users, and the free
    // bytes do not pile up.
    ASSERT_TRUE(vd::security::grant_users_access(system, L"C:\\ProgramData\\Lignotek\\Shared", 0x13019F, 0));
    EXPECT_EQ(
        *system.file_descriptor(L"C:\\ProgramData\\Lignotek\\Shared"),
        descriptor(0x8504, acl({ace(allow, 0, 0x13019F, users), ace(allow, 0x10, 0x1F01FF, administrators)}, 24)));
}

TEST(GrantUsersAccess, RefusalLeavesTheFileAsItWas) {
    const bytes good = descriptor(self_relative_present, acl({ace(allow, 0, 0x1F01FF, administrators)}));
    bytes truncated = good;
    truncated.resize(good.size() - 6);
    bytes absolute = good;
    absolute[3] = std::byte{0};
    const struct {
        const char* name;
        bytes stored;
        security_call failing;
        os::hresult error;
    } cases[] = {
        {"truncated descriptor", truncated, security_call::token_user_sid, 0},
        {"absolute descriptor", absolute, security_call::token_user_sid, 0},
        {"read fails", good, security_call::read_file_dacl, access_denied},
        {"write fails", good, security_call::write_file_dacl, access_denied},
        {"advapi32 missing", good, security_call::read_file_dacl, e_unexpected},
    };
    for (const auto& c : cases) {
        scripted_security system;
        system.set_file_descriptor(L"C:\\f", c.stored);
        system.fail(c.failing, c.error);
        EXPECT_FALSE(vd::security::grant_users_access(system, L"C:\\f", 0x13019F, 0)) << c.name;
        EXPECT_EQ(*system.file_descriptor(L"C:\\f"), c.stored) << c.name;
    }
}

TEST(GrantUsersAccess, FailsForAPathThatIsNotThere) {
    scripted_security system;
    EXPECT_FALSE(vd::security::grant_users_access(system, L"C:\\missing", 0x13019F, 0));
    EXPECT_EQ(system.file_descriptor(L"C:\\missing"), nullptr);
}

TEST(GrantUsersAccess, NewFilesGetTheDefaultDescriptorEdited) {
    scripted_security system;
    system.set_default_descriptor(descriptor(0x8000, std::nullopt));
    ASSERT_TRUE(vd::security::grant_users_access(system, L"C:\\new.dat", 0x13019F, 0));
    EXPECT_EQ(*system.file_descriptor(L"C:\\new.dat"),
              descriptor(self_relative_present, acl({ace(allow, 0, 0x13019F, users)})));
}

TEST(WellKnownSidOfTheUser, ComesFromThePort) {
    scripted_security system;
    const bytes user = sid(5, {21, 7, 8, 9, 1001});
    system.set_user_sid(user);
    for (auto kind : {vd::security::sid_kind::current_user_name, vd::security::sid_kind::token_user}) {
        const vd::security::well_known_sid built(kind, system);
        EXPECT_EQ(bytes(built.bytes().begin(), built.bytes().end()), user);
    }
    system.fail(security_call::current_user_sid, e_unexpected);
    EXPECT_THROW(vd::security::well_known_sid(vd::security::sid_kind::current_user_name, system), vd::hresult_error);
    system.set_user_sid(bytes{std::byte{1}, std::byte{9}});  // not a whole SID
    EXPECT_THROW(vd::security::well_known_sid(vd::security::sid_kind::token_user, system), vd::hresult_error);
}

}  // namespace
