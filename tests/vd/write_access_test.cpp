// Who may change a file or folder, decided on the bytes of its owner and DACL.
#include "vd/write_access.h"

#include "vd/acl.h"
#include "vd/security_descriptor.h"
#include "vd/sid.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace {

using namespace vd::security;

sid_bytes sid_of(std::uint8_t authority, std::vector<std::uint32_t> sub_authorities) {
    sid_bytes sid{std::byte{1}, static_cast<std::byte>(sub_authorities.size()),
                  std::byte{0}, std::byte{0},
                  std::byte{0}, std::byte{0},
                  std::byte{0}, static_cast<std::byte>(authority)};
    for (const std::uint32_t value : sub_authorities)
        for (int shift = 0; shift < 32; shift += 8) sid.push_back(static_cast<std::byte>(value >> shift));
    return sid;
}

const sid_bytes system_sid = sid_of(5, {18});
const sid_bytes administrators = *builtin_sid(sid_kind::administrators);
const sid_bytes users = *builtin_sid(sid_kind::users);
const sid_bytes everyone = *builtin_sid(sid_kind::everyone);
const sid_bytes authenticated = *builtin_sid(sid_kind::authenticated_users);
const sid_bytes trusted_installer = sid_of(5, {80, 956008885u, 3418522649u, 1831038044u, 1853292631u, 2271478464u});
const sid_bytes a_user = sid_of(5, {21, 1, 2, 3, 1001});
const sid_bytes owner_rights = sid_of(3, {4});
const sid_bytes creator_owner = sid_of(3, {0});

constexpr std::uint32_t full = access_mask::file_all_access;
constexpr std::uint32_t read_execute = 0x1200A9;
constexpr std::uint32_t modify = 0x1301BF;
constexpr std::uint8_t io_ci_oi = ace_flag::inherit_only | ace_flag::container_inherit | ace_flag::object_inherit;

struct entry {
    std::uint8_t type;
    std::uint8_t flags;
    std::uint32_t mask;
    sid_bytes sid;
};

// An entry of a kind the writer does not make: type, flags, size, mask and SID laid out by hand.
std::vector<std::byte> raw_entry(std::uint8_t type, std::uint32_t mask, const sid_bytes& sid) {
    std::vector<std::byte> bytes(8);
    bytes[0] = std::byte{type};
    const auto size = static_cast<std::uint16_t>(8 + sid.size());
    bytes[2] = static_cast<std::byte>(size);
    bytes[3] = static_cast<std::byte>(size >> 8);
    for (int i = 0; i < 4; ++i) bytes[4 + i] = static_cast<std::byte>(mask >> (8 * i));
    bytes.insert(bytes.end(), sid.begin(), sid.end());
    return bytes;
}

// A self-relative descriptor; no owner or no DACL when they are not given.
std::vector<std::byte> descriptor(std::optional<sid_bytes> owner, std::optional<std::vector<entry>> entries) {
    security_descriptor built;
    if (owner) built.set_owner(*owner);
    if (entries) {
        acl_writer acl(8 + entries->size() * (8 + max_sid_length), acl_revision);
        for (const auto& e : *entries) {
            if (e.type == ace_type::access_allowed)
                acl.add_access_allowed_ace(e.mask, e.sid, e.flags);
            else
                acl.add_ace(raw_entry(e.type, e.mask, e.sid));
        }
        built.set_dacl(acl.bytes());
    }
    return built.self_relative();
}

// What an elevated installation leaves below the program-files folder.
std::vector<entry> installed_entries() {
    return {{0, ace_flag::inherited, full, system_sid},
            {0, ace_flag::inherited, full, administrators},
            {0, ace_flag::inherited, full, trusted_installer},
            {0, ace_flag::inherited, read_execute, users},
            {0, static_cast<std::uint8_t>(io_ci_oi | ace_flag::inherited), 0x10000000, creator_owner}};
}

std::vector<entry> with(std::vector<entry> entries, entry more) {
    entries.push_back(std::move(more));
    return entries;
}

TEST(WriteAccess, OnlyTheSystemsOwnAccountsMayChangeATrustedItem) {
    const struct {
        const char* what;
        std::vector<std::byte> bytes;
        bool trusted;
    } cases[] = {
        {"installed below program files", descriptor(administrators, installed_entries()), true},
        {"owned by SYSTEM", descriptor(system_sid, installed_entries()), true},
        {"owned by TrustedInstaller", descriptor(trusted_installer, installed_entries()), true},
        {"inherit-only write for users applies to children only",
         descriptor(administrators, with(installed_entries(), {0, io_ci_oi, modify, authenticated})), true},
        {"OWNER RIGHTS of an administrators' item",
         descriptor(administrators, with(installed_entries(), {0, 0, modify, owner_rights})), true},
        {"deny entries grant nothing",
         descriptor(administrators, with(installed_entries(), {ace_type::access_denied, 0, full, everyone})), true},
        {"users may only read",
         descriptor(administrators, std::vector<entry>{{0, 0, full, administrators}, {0, 0, read_execute, users}}),
         true},

        {"a download folder: owned by the user", descriptor(a_user, installed_entries()), false},
        {"the user may write",
         descriptor(administrators, with(installed_entries(), {0, ace_flag::inherited, full, a_user})), false},
        {"users may modify (a folder below the drive root)",
         descriptor(administrators, with(installed_entries(), {0, ace_flag::inherited, modify, authenticated})), false},
        {"everyone may add files", descriptor(administrators, with(installed_entries(), {0, 0, 0x2, everyone})), false},
        {"users may delete children", descriptor(administrators, with(installed_entries(), {0, 0, 0x40, users})),
         false},
        {"users may change the DACL", descriptor(administrators, with(installed_entries(), {0, 0, 0x40000, users})),
         false},
        {"generic write", descriptor(administrators, with(installed_entries(), {0, 0, 0x40000000, users})), false},
        {"a deny entry first does not hold the write back",
         descriptor(administrators, std::vector<entry>{{ace_type::access_denied, 0, full, a_user},
                                                       {0, 0, full, administrators},
                                                       {0, 0, full, a_user}}),
         false},
        {"an allow entry of a callback kind",
         descriptor(administrators, with(installed_entries(), {0x09, 0, modify, users})), false},
        {"an entry of an unknown kind", descriptor(administrators, with(installed_entries(), {0x04, 0, 0, users})),
         false},
        // What Wine reports for a file it made in its program-files folder.
        {"Wine's item: the user owns it and may write",
         descriptor(a_user,
                    std::vector<entry>{{0, 0, full, system_sid}, {0, 0, full, a_user}, {0, 0, read_execute, everyone}}),
         false},
        {"no DACL lets everyone in", descriptor(administrators, std::nullopt), false},
        {"no owner", descriptor(std::nullopt, installed_entries()), false},
        {"not a descriptor", std::vector<std::byte>(12), false},
    };
    for (const auto& c : cases) EXPECT_EQ(only_administrators_may_write(c.bytes), c.trusted) << c.what;
}

TEST(WriteAccess, TheInstallingUserCountsOnlyWhenNamed) {
    // Wine's item, as above: the user owns it and may write; someone else may not.
    const auto wines_item = descriptor(
        a_user, std::vector<entry>{{0, 0, full, system_sid}, {0, 0, full, a_user}, {0, 0, read_execute, everyone}});
    EXPECT_FALSE(only_administrators_may_write(wines_item));
    EXPECT_TRUE(only_administrators_may_write(wines_item, a_user));
    EXPECT_FALSE(only_administrators_may_write(wines_item, users)) << "another SID is not the owner";
    const auto others_too = descriptor(a_user, std::vector<entry>{{0, 0, full, a_user}, {0, 0, modify, users}});
    EXPECT_FALSE(only_administrators_may_write(others_too, a_user)) << "the Users may still write";
}

TEST(WriteAccess, ANullDaclAndAnOwnerOutsideTheBytesAreRefused) {
    auto null_dacl = descriptor(administrators, std::nullopt);
    null_dacl[2] |= std::byte{0x04};  // DACL present, at offset 0: a null DACL
    EXPECT_FALSE(only_administrators_may_write(null_dacl));

    auto stray_owner = descriptor(administrators, installed_entries());
    stray_owner[4] = std::byte{0xF0};
    stray_owner[5] = std::byte{0xFF};
    EXPECT_FALSE(only_administrators_may_write(stray_owner));
}

}  // namespace
