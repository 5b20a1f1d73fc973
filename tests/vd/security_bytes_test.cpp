// SIDs, one-entry ACLs and built descriptors as bytes: the well-known SIDs, validation of SID bytes,
// and the exact layout the named kernel objects and the administrator check hand to the system.
#include "security_fixture.h"
#include "vd/acl.h"
#include "vd/hresult_error.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <gtest/gtest.h>

namespace {

using namespace security_fixture;
using vd::security::sid_kind;

TEST(WellKnownSid, BuiltinKindsHaveTheirSystemSids) {
    const struct {
        sid_kind kind;
        const wchar_t* text;
    } cases[] = {
        {sid_kind::everyone, L"S-1-1-0"},
        {sid_kind::administrators, L"S-1-5-32-544"},
        {sid_kind::users, L"S-1-5-32-545"},
        {sid_kind::authenticated_users, L"S-1-5-11"},
    };
    for (const auto& c : cases) {
        const vd::security::well_known_sid sid(c.kind);
        EXPECT_EQ(vd::security::sid_to_string(sid.bytes()), c.text);
    }
    const vd::security::well_known_sid built(sid_kind::users);
    EXPECT_EQ(bytes(built.bytes().begin(), built.bytes().end()), users);
}

TEST(WellKnownSid, UserKindsNeedTheSecurityPort) {
    try {
        const vd::security::well_known_sid sid(sid_kind::token_user);
        FAIL() << "built without a port";
    } catch (const vd::hresult_error& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.code()), 0x80070057u);
    }
}

TEST(SidBytes, LengthIsKnownOnlyForWholeValidSids) {
    const struct {
        const char* name;
        bytes input;
        std::optional<std::size_t> length;
    } cases[] = {
        {"users", users, 16},
        {"with trailing bytes",
         [] {
             auto b = users;
             b.push_back(std::byte{9});
             return b;
         }(),
         16},
        {"no sub-authority", sid(5, {}), 8},
        {"fifteen sub-authorities", sid(5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}), 68},
        {"sixteen sub-authorities", sid(5, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), std::nullopt},
        {"cut short", bytes(users.begin(), users.end() - 1), std::nullopt},
        {"revision 2",
         [] {
             auto b = users;
             b[0] = std::byte{2};
             return b;
         }(),
         std::nullopt},
        {"empty", {}, std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(vd::security::sid_length(c.input), c.length) << c.name;
}

TEST(SidBytes, TextFormHandlesLargeAuthoritiesAndInvalidBytes) {
    bytes large = sid(0, {7});
    large[2] = std::byte{0x01};  // authority 0x010000000000
    EXPECT_EQ(vd::security::sid_to_string(large), L"S-1-0x010000000000-7");
    EXPECT_EQ(vd::security::sid_to_string(sid(5, {21, 4294967295u})), L"S-1-5-21-4294967295");
    EXPECT_EQ(vd::security::sid_to_string(bytes{std::byte{1}}), L"");
}

TEST(SidBytes, EqualityNeedsTwoValidEqualSids) {
    EXPECT_TRUE(vd::security::sid_equal(users, sid(5, {32, 545})));
    EXPECT_FALSE(vd::security::sid_equal(users, administrators));
    EXPECT_FALSE(vd::security::sid_equal(sid(5, {32}), sid(5, {32, 545})));
    EXPECT_FALSE(vd::security::sid_equal(bytes{}, bytes{}));
}

TEST(SingleAceAcl, HoldsExactlyOneAllowEntry) {
    const vd::security::single_ace_acl made(everyone, 0x1F0001);
    const bytes expected = acl({ace(allow, 0, 0x1F0001, everyone)});
    EXPECT_EQ(bytes(made.bytes().begin(), made.bytes().end()), expected);
    EXPECT_EQ(made.bytes().size(), everyone.size() + 16);
}

TEST(SingleAceAcl, RefusesAnInvalidSid) {
    EXPECT_THROW(vd::security::single_ace_acl(bytes{std::byte{1}, std::byte{20}}, 1), vd::hresult_error);
}

TEST(SingleAceDescriptor, IsTheSelfRelativeDescriptorOfTheNamedObjects) {
    for (std::uint32_t mask : {0x1F0001u, 0x1F0003u}) {
        const bytes made = vd::security::single_ace_descriptor(everyone, mask);
        EXPECT_EQ(made, descriptor(0x8004, acl({ace(allow, 0, mask, everyone)})));
    }
}

TEST(SecurityDescriptor, OwnerGroupAndDaclFollowTheHeader) {
    vd::security::security_descriptor built;
    const vd::security::single_ace_acl admins_acl(administrators, 3);
    built.set_dacl(admins_acl.bytes());
    built.set_group(administrators);
    built.set_owner(administrators);
    ASSERT_TRUE(built.is_valid());
    bytes expected{std::byte{1}, std::byte{0}};
    put16(expected, 0x8004);
    put32(expected, 20);  // owner
    put32(expected, 36);  // group
    put32(expected, 0);   // SACL
    put32(expected, 52);  // DACL
    append(expected, administrators);
    append(expected, administrators);
    append(expected, acl({ace(allow, 0, 3, administrators)}));
    EXPECT_EQ(built.self_relative(), expected);

    vd::security::descriptor_dacl read;
    ASSERT_EQ(vd::security::read_descriptor_dacl(expected, read), 0);
    ASSERT_TRUE(read.dacl);
    ASSERT_EQ(read.dacl->entries.size(), 1u);
    EXPECT_TRUE(vd::security::sid_equal(read.dacl->entries[0].sid, administrators));
    EXPECT_EQ(read.dacl->entries[0].mask, 3u);
}

TEST(SecurityDescriptor, SettersRefuseBadPartsAndKeepWhatWasSet) {
    vd::security::security_descriptor built;
    built.set_control(0x0500, 0x0500);
    EXPECT_THROW(built.set_control(0x8000, 0x8000), vd::hresult_error);
    EXPECT_THROW(built.set_control(0x0004, 0x0004), vd::hresult_error);
    EXPECT_THROW(built.set_owner(bytes{std::byte{1}}), vd::hresult_error);
    EXPECT_THROW(built.set_dacl(bytes{std::byte{2}, std::byte{0}, std::byte{4}, std::byte{0}}), vd::hresult_error);
    EXPECT_EQ(built.control(), 0x0500);
    EXPECT_TRUE(built.is_valid());
    EXPECT_EQ(built.self_relative(), descriptor(0x8500, std::nullopt));
}

TEST(AclWriter, RefusesEntriesThatDoNotFitAndKeepsTheAclAsItWas) {
    vd::security::acl_writer writer(32, 2);
    writer.add_access_allowed_ace(1, users);
    const bytes before(writer.bytes().begin(), writer.bytes().end());
    EXPECT_THROW(writer.add_access_allowed_ace(1, users), vd::hresult_error);
    EXPECT_THROW(writer.add_ace(bytes{std::byte{0}, std::byte{0}, std::byte{9}, std::byte{0}}), vd::hresult_error);
    EXPECT_EQ(bytes(writer.bytes().begin(), writer.bytes().end()), before);
    EXPECT_THROW(vd::security::acl_writer(6, 2), vd::hresult_error);
    EXPECT_THROW(vd::security::acl_writer(0x10000, 2), vd::hresult_error);
}

}  // namespace
