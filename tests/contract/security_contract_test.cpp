// The security contract: the administrator test, privileges, the user's SID, and the Users grant read
// back from a real descriptor.
#include "contract/security_contract.h"

#include "vd/acl.h"
#include "vd/security.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <vector>

namespace contract {
namespace {

using vd::security::sid_kind;

// The explicit (not inherited) entries for BUILTIN\Users in a file's DACL.
std::vector<vd::security::ace_view> explicit_users_entries(const vd::security::descriptor_dacl& read) {
    std::vector<vd::security::ace_view> found;
    if (!read.dacl) return found;
    const auto users = *vd::security::builtin_sid(sid_kind::users);
    for (const auto& ace : read.dacl->entries) {
        if ((ace.flags & vd::security::ace_flag::inherited) == 0 && vd::security::sid_equal(ace.sid, users)) {
            found.push_back(ace);
        }
    }
    return found;
}

TEST_P(SecurityContract, TheTestUserIsAnElevatedAdministrator) {
    EXPECT_TRUE(vd::security::is_user_admin(security()));
    bool member = false;
    ASSERT_EQ(security().check_membership(*vd::security::builtin_sid(sid_kind::everyone), member), 0);
    EXPECT_TRUE(member);
}

TEST_P(SecurityContract, AccessCheckGrantsAdministratorsTheirDescriptor) {
    const auto administrators = *vd::security::builtin_sid(sid_kind::administrators);
    const vd::security::single_ace_acl acl(administrators, 3);
    vd::security::security_descriptor descriptor;
    descriptor.set_dacl(acl.bytes());
    descriptor.set_owner(administrators);
    descriptor.set_group(administrators);
    bool granted = false;
    ASSERT_EQ(security().access_check(descriptor.self_relative(), 1, {1, 2, 0, 3}, granted), 0);
    EXPECT_TRUE(granted);

    const auto everyone = *vd::security::builtin_sid(sid_kind::everyone);
    vd::security::security_descriptor nobody;
    nobody.set_dacl(vd::security::single_ace_acl(everyone, 0).bytes());
    nobody.set_owner(administrators);
    nobody.set_group(administrators);
    granted = true;
    ASSERT_EQ(security().access_check(nobody.self_relative(), 1, {1, 2, 0, 3}, granted), 0);
    EXPECT_FALSE(granted);
}

TEST_P(SecurityContract, BackupPrivilegeSwitchesOnAndOff) {
    EXPECT_TRUE(vd::security::set_privilege(security(), L"SeBackupPrivilege", true));
    EXPECT_TRUE(vd::security::set_privilege(security(), L"SeBackupPrivilege", false));
    EXPECT_TRUE(vd::security::set_privilege(security(), L"SeRestorePrivilege", true));
    EXPECT_TRUE(vd::security::set_privilege(security(), L"SeRestorePrivilege", false));
}

TEST_P(SecurityContract, APrivilegeAnAdministratorDoesNotHoldCannotBeEnabled) {
    // Only the system's own account may create tokens.
    EXPECT_EQ(static_cast<std::uint32_t>(security().set_privilege(L"SeCreateTokenPrivilege", true)), 0x80070514u);
    EXPECT_FALSE(vd::security::set_privilege(security(), L"SeCreateTokenPrivilege", true));
}

TEST_P(SecurityContract, UnknownPrivilegeIsNoSuchPrivilege) {
    EXPECT_EQ(static_cast<std::uint32_t>(security().set_privilege(L"SeNoSuchThingPrivilege", true)), 0x80070521u);
    EXPECT_FALSE(vd::security::set_privilege(security(), L"SeNoSuchThingPrivilege", true));
}

TEST_P(SecurityContract, TheUserHasOneSidByNameAndByToken) {
    const vd::security::well_known_sid by_token(sid_kind::token_user, security());
    EXPECT_EQ(vd::security::sid_to_string(by_token.bytes()).rfind(L"S-1-5-", 0), 0u);
    std::vector<std::byte> by_name;
    const os::hresult named = security().current_user_sid(by_name);
    if (named != 0 && subject().is_wine()) {
        GTEST_SKIP() << "Wine cannot look the user's SAM name up (0x" << std::hex << named << ")";
    }
    ASSERT_EQ(named, 0);
    EXPECT_TRUE(vd::security::sid_equal(by_name, by_token.bytes()));
}

TEST_P(SecurityContract, ADescriptorReadIsSelfRelativeAndParses) {
    const std::wstring file = subject().make_file();
    std::vector<std::byte> descriptor;
    ASSERT_EQ(security().read_file_dacl(file, descriptor), 0);
    vd::security::descriptor_dacl read;
    EXPECT_EQ(vd::security::read_descriptor_dacl(descriptor, read), 0);
}

TEST_P(SecurityContract, GrantLeavesOneUsersEntryOnFilesAndFolders) {
    const struct {
        const char* what;
        bool folder;
        std::uint32_t mask;
        std::uint8_t flags;
    } cases[] = {
        {"shared file", false, vd::security::access_mask::file_read_write_delete, 0},
        {"shared folder", true, vd::security::access_mask::file_all_access, 3},
    };
    std::vector<std::wstring> paths;
    for (const auto& c : cases) {
        paths.push_back(c.folder ? subject().make_folder() : subject().make_file());
        // Twice: the second grant finds the first one's entry and replaces it.
        ASSERT_TRUE(vd::security::grant_users_access(security(), paths.back(), c.mask, c.flags)) << c.what;
        ASSERT_TRUE(vd::security::grant_users_access(security(), paths.back(), c.mask, c.flags)) << c.what;
    }
    if (subject().is_wine()) {
        GTEST_SKIP() << "Wine keeps only the Unix mode bits of a file's DACL: SetFileSecurityW succeeds and "
                        "GetFileSecurityW answers a DACL made from the mode";
    }
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const auto& c = cases[i];
        std::vector<std::byte> descriptor;
        ASSERT_EQ(security().read_file_dacl(paths[i], descriptor), 0) << c.what;
        vd::security::descriptor_dacl read;
        ASSERT_EQ(vd::security::read_descriptor_dacl(descriptor, read), 0) << c.what;
        const auto entries = explicit_users_entries(read);
        ASSERT_EQ(entries.size(), 1u) << c.what;
        EXPECT_EQ(entries[0].type, vd::security::ace_type::access_allowed) << c.what;
        EXPECT_EQ(entries[0].mask, c.mask) << c.what;
        EXPECT_EQ(entries[0].flags, c.flags) << c.what;
    }
}

TEST_P(SecurityContract, AMissingPathIsNotFoundAndGetsNoGrant) {
    std::vector<std::byte> descriptor;
    EXPECT_EQ(static_cast<std::uint32_t>(security().read_file_dacl(subject().missing_path(), descriptor)), 0x80070002u);
    EXPECT_TRUE(descriptor.empty());
    EXPECT_FALSE(vd::security::grant_users_access(security(), subject().missing_path(), 0x13019F, 0));
}

TEST_P(SecurityContract, OwnerAndDaclAreReadTogetherForFilesAndFolders) {
    for (const std::wstring& path : {subject().make_file(), subject().make_folder()}) {
        std::vector<std::byte> descriptor;
        ASSERT_EQ(security().read_file_owner_and_dacl(path, descriptor), 0);
        vd::security::descriptor_dacl read;
        ASSERT_EQ(vd::security::read_descriptor_dacl(descriptor, read), 0);
        EXPECT_TRUE(read.dacl.has_value());
        // The owner field of the self-relative header points at a whole SID inside the bytes.
        const std::size_t owner =
            std::to_integer<std::size_t>(descriptor[4]) | std::to_integer<std::size_t>(descriptor[5]) << 8;
        ASSERT_GE(owner, vd::security::security_descriptor_header_size);
        ASSERT_LT(owner, descriptor.size());
        EXPECT_TRUE(vd::security::sid_length(std::span(descriptor).subspan(owner)).has_value());
    }
    std::vector<std::byte> descriptor;
    EXPECT_EQ(static_cast<std::uint32_t>(security().read_file_owner_and_dacl(subject().missing_path(), descriptor)),
              0x80070002u);
    EXPECT_TRUE(descriptor.empty());
}

TEST_P(SecurityContract, AWriteOfMalformedBytesIsRefusedAndChangesNothing) {
    const std::wstring file = subject().make_file();
    std::vector<std::byte> before;
    ASSERT_EQ(security().read_file_dacl(file, before), 0);
    // A self-relative header whose DACL offset points far past the bytes.
    std::vector<std::byte> malformed(20);
    malformed[0] = std::byte{1};
    malformed[2] = std::byte{0x04};
    malformed[3] = std::byte{0x80};
    malformed[16] = std::byte{0xF0};
    malformed[17] = std::byte{0xFF};
    EXPECT_NE(security().write_file_dacl(file, malformed), 0);
    std::vector<std::byte> after;
    ASSERT_EQ(security().read_file_dacl(file, after), 0);
    EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace contract
