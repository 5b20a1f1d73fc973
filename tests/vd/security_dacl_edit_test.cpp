// The DACL edit that gives BUILTIN\Users its one entry, on descriptor bytes: where the new entry goes,
// which entries go away, the control bits, and refusal of malformed bytes.
#include "security_fixture.h"
#include "vd/security_dacl_edit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace security_fixture;

constexpr std::uint16_t self_relative = 0x8000;
constexpr std::uint16_t present = 0x0004;
constexpr std::uint32_t all = 0x1F01FF;
constexpr std::uint32_t rw = 0x13019F;

struct edit_case {
    std::string name;
    bytes input;
    std::uint32_t mask;
    std::uint8_t flags;
    bytes expected;
};

// Every Users entry removed leaves its 24 bytes free at the end of the new ACL, which is sized for
// all old entries plus the new one.
constexpr std::size_t users_entry = 24;

std::vector<edit_case> edit_cases() {
    const bytes admins_all = ace(allow, 0, all, administrators);
    const bytes system_inherited = ace(allow, inherited | 3, all, local_system);
    const bytes everyone_inherited = ace(allow, inherited, 0x1200A9, everyone);
    return {
        {"NoDaclGetsOnlyTheUsersEntry", descriptor(self_relative, std::nullopt), all, 3,
         descriptor(self_relative | present, acl({ace(allow, 3, all, users)}))},
        {"NullDaclGetsOnlyTheUsersEntry", descriptor(self_relative | present, std::nullopt), rw, 0,
         descriptor(self_relative | present, acl({ace(allow, 0, rw, users)}))},
        {"EmptyDaclGetsOnlyTheUsersEntry", descriptor(self_relative | present, acl({})), rw, 0,
         descriptor(self_relative | present, acl({ace(allow, 0, rw, users)}))},
        {"ExplicitDenyAndInheritedAllowForUsersBothGo",
         descriptor(self_relative | present, acl({ace(deny, 0, 0x2, users), admins_all, system_inherited,
                                                  ace(allow, inherited, 0x1200A9, users), everyone_inherited})),
         rw, 0,
         descriptor(
             self_relative | present,
             acl({admins_all, ace(allow, 0, rw, users), system_inherited, everyone_inherited}, 2 * users_entry))},
        {"ExplicitEntriesAfterTheFirstInheritedOneFollowTheNewEntryInOrder",
         descriptor(self_relative | present,
                    acl({system_inherited, admins_all, ace(deny, 0, 0x10000, everyone), everyone_inherited})),
         all, 3,
         descriptor(self_relative | present, acl({ace(allow, 3, all, users), system_inherited, admins_all,
                                                  ace(deny, 0, 0x10000, everyone), everyone_inherited}))},
        {"AnEarlierUsersEntryIsReplacedNotDoubled",
         descriptor(self_relative | present, acl({ace(allow, 3, all, users), admins_all})), all, 3,
         descriptor(self_relative | present, acl({admins_all, ace(allow, 3, all, users)}, users_entry))},
        {"FlagsZeroGiveAnEntryWithoutInheritance", descriptor(self_relative | present, acl({admins_all})), rw, 0,
         descriptor(self_relative | present, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"AutoInheritedDaclAsksForInheritanceAgain", descriptor(self_relative | present | 0x0400, acl({admins_all})),
         rw, 0, descriptor(self_relative | present | 0x0500, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"ProtectedDaclStaysProtected", descriptor(self_relative | present | 0x1000, acl({admins_all})), rw, 0,
         descriptor(self_relative | present | 0x1000, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"ProtectedAndAutoInheritedDaclKeepsBoth", descriptor(self_relative | present | 0x1400, acl({admins_all})), rw,
         0, descriptor(self_relative | present | 0x1500, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"OtherControlBitsAreNotCarriedOver", descriptor(self_relative | present | 0x0100 | 0x0008, acl({admins_all})),
         rw, 0, descriptor(self_relative | present, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"FreeBytesOfTheOldAclAreNotCopied", descriptor(self_relative | present, acl({admins_all}, 40)), rw, 0,
         descriptor(self_relative | present, acl({admins_all, ace(allow, 0, rw, users)}))},
        {"RevisionFourListKeepsItsRevision", descriptor(self_relative | present, acl({admins_all}, 0, 4)), rw, 0,
         descriptor(self_relative | present, acl({admins_all, ace(allow, 0, rw, users)}, 0, 4))},
    };
}

class UsersDaclEdit : public testing::TestWithParam<edit_case> {};

TEST_P(UsersDaclEdit, BuildsTheDescriptorToWrite) {
    const edit_case& c = GetParam();
    bytes result;
    ASSERT_EQ(vd::security::users_access_descriptor(c.input, c.mask, c.flags, result), 0);
    EXPECT_EQ(result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UsersDaclEdit, testing::ValuesIn(edit_cases()),
                         [](const auto& info) { return info.param.name; });

TEST(UsersDaclEditObjectEntries, AUsersObjectEntryIsFoundBehindItsGuidsAndRemoved) {
    // ACCESS_ALLOWED_OBJECT_ACE: header, mask, object flags (1: one GUID follows), GUID, SID.
    bytes object_entry{std::byte{5}, std::byte{0}};
    put16(object_entry, 4 + 4 + 4 + 16 + static_cast<std::uint32_t>(users.size()));
    put32(object_entry, 0x10);
    put32(object_entry, 1);
    object_entry.resize(object_entry.size() + 16, std::byte{0xAB});
    append(object_entry, users);
    const bytes admins = ace(allow, 0, all, administrators);
    bytes result;
    ASSERT_EQ(vd::security::users_access_descriptor(
                  descriptor(self_relative | present, acl({object_entry, admins}, 0, 4)), rw, 0, result),
              0);
    EXPECT_EQ(result,
              descriptor(self_relative | present, acl({admins, ace(allow, 0, rw, users)}, object_entry.size(), 4)));
}

TEST(UsersDaclEditObjectEntries, EntriesOfUnknownKindsAreCarriedUnchanged) {
    const bytes unknown{std::byte{0x7F}, std::byte{0}, std::byte{8}, std::byte{0},
                        std::byte{1},    std::byte{2}, std::byte{3}, std::byte{4}};
    bytes result;
    ASSERT_EQ(vd::security::users_access_descriptor(descriptor(self_relative | present, acl({unknown})), rw, 0, result),
              0);
    EXPECT_EQ(result, descriptor(self_relative | present, acl({unknown, ace(allow, 0, rw, users)})));
}

// --- Malformed descriptors: the grant is refused, with the system's error, and nothing is produced.

constexpr std::int32_t invalid_descriptor = static_cast<std::int32_t>(0x8007053Au);  // 1338
constexpr std::int32_t invalid_acl = static_cast<std::int32_t>(0x80070538u);         // 1336
constexpr std::int32_t invalid_parameter = static_cast<std::int32_t>(0x80070057u);   // 87

struct refusal_case {
    std::string name;
    bytes input;
    std::int32_t error;
    std::uint8_t flags = 0;
};

bytes with(bytes b, std::size_t at, std::initializer_list<std::uint8_t> values) {
    for (auto v : values) b.at(at++) = std::byte{v};
    return b;
}

// An entry grown to `size` bytes: its SID is followed by free bytes, as callback entries have.
bytes padded(bytes entry, std::size_t size) {
    entry.resize(size);
    entry[2] = static_cast<std::byte>(size);
    entry[3] = static_cast<std::byte>(size >> 8);
    return entry;
}

bytes truncated(bytes b, std::size_t size) {
    b.resize(size);
    return b;
}

std::vector<refusal_case> refusal_cases() {
    const bytes good = descriptor(self_relative | present, acl({ace(allow, 0, all, administrators)}));
    // Offsets into `good`: the ACL starts at 20, its entry at 28, the entry's SID at 36.
    return {
        {"Empty", {}, invalid_descriptor},
        {"ShorterThanTheHeader", truncated(good, 19), invalid_descriptor},
        {"WrongRevision", with(good, 0, {2}), invalid_descriptor},
        {"AbsoluteForm", with(good, 3, {0x00}), invalid_descriptor},
        {"DaclOffsetPastTheEnd", with(good, 16, {0xFF, 0xFF, 0xFF, 0x7F}), invalid_descriptor},
        {"DaclOffsetAtTheEnd", with(good, 16, {static_cast<std::uint8_t>(good.size())}), invalid_descriptor},
        {"DaclOffsetInsideTheHeader", with(good, 16, {4}), invalid_descriptor},
        {"DaclCutShort", truncated(good, good.size() - 4), invalid_acl},
        {"DaclHeaderCutShort", truncated(good, 24), invalid_acl},
        {"AclSizeBelowItsHeader", with(good, 22, {4, 0}), invalid_acl},
        {"AclSizeNotAMultipleOfFour", with(good, 22, {0x1E, 0}), invalid_acl},
        {"AclRevisionOne", with(good, 20, {1}), invalid_acl},
        {"AclRevisionFive", with(good, 20, {5}), invalid_acl},
        {"MoreEntriesThanFit", with(good, 24, {2, 0}), invalid_acl},
        {"EveryEntryCounted", with(good, 24, {0xFF, 0xFF}), invalid_acl},
        {"EntrySizeZero", with(good, 30, {0, 0}), invalid_acl},
        {"EntrySizePastTheAcl", with(good, 30, {28, 0}), invalid_acl},
        {"EntrySizeNotAMultipleOfFour", with(good, 30, {22, 0}), invalid_acl},
        {"EntryTooShortForItsSid", with(with(good, 30, {16, 0}), 22, {24, 0}), invalid_acl},
        {"SidWithTooManySubAuthorities", with(good, 37, {16}), invalid_acl},
        {"SidRunningPastItsEntry", with(good, 37, {3}), invalid_acl},
        {"SidWithWrongRevision", with(good, 36, {2}), invalid_acl},
        {"FlagsOutsideTheInheritanceFlags", good, invalid_parameter, 0x40},
        {"AclThatCannotGrow",
         descriptor(self_relative | present, acl({padded(ace(allow, 0, all, administrators), 0xFFF0)})),
         invalid_parameter},
    };
}

class UsersDaclRefusal : public testing::TestWithParam<refusal_case> {};

TEST_P(UsersDaclRefusal, RefusesAndLeavesTheResultAlone) {
    const refusal_case& c = GetParam();
    bytes result{std::byte{0x5A}};
    EXPECT_EQ(vd::security::users_access_descriptor(c.input, all, c.flags, result), c.error);
    EXPECT_EQ(result, bytes{std::byte{0x5A}});
}

INSTANTIATE_TEST_SUITE_P(Cases, UsersDaclRefusal, testing::ValuesIn(refusal_cases()),
                         [](const auto& info) { return info.param.name; });

TEST(UsersDaclRefusal, EveryPrefixOfAGoodDescriptorIsRefusedWithoutReadingPastIt) {
    // The address sanitizer catches any read past the exact-size copy.
    const bytes good =
        descriptor(self_relative | present, acl({ace(deny, 0, 2, users), ace(allow, inherited, all, administrators)}));
    for (std::size_t size = 0; size < good.size(); ++size) {
        const bytes prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(size));
        bytes result;
        EXPECT_NE(vd::security::users_access_descriptor(prefix, all, 3, result), 0) << size;
        EXPECT_TRUE(result.empty()) << size;
    }
}

}  // namespace
