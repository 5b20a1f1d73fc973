// Run-time binding of system functions, with a fake loader: how a missing module, a missing export and a
// FALSE answer are reported, that addresses are kept, and the wrappers that never throw or that fall
// back to a plainer function.
#include "vd/security_functions.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

using vd::details::entry_point_table;
using vd::details::module_handle;
using vd::details::proc_address;

constexpr module_handle advapi32_module = 0x7700;

class fake_loader final : public vd::details::module_loader {
public:
    bool loaded = false;             // GetModuleHandleW finds the module
    bool loadable = false;           // LoadLibraryExW finds it
    bool needs_plain_flags = false;  // only a search wider than System32 (flags 0) finds it
    std::vector<std::uint32_t> load_flags;
    std::map<std::string, proc_address> exports;
    std::uint32_t error = 0;

    module_handle get_module_handle(std::wstring_view name) override {
        return loaded && name == L"advapi32.dll" ? advapi32_module : 0;
    }
    module_handle load_library(std::wstring_view name, std::uint32_t flags) override {
        load_flags.push_back(flags);
        if (name != L"advapi32.dll") return 0;
        if (needs_plain_flags) return flags == 0 ? advapi32_module : 0;
        return loadable ? advapi32_module : 0;
    }
    proc_address get_proc_address(module_handle module, const char* name) override {
        if (module != advapi32_module) return nullptr;
        const auto found = exports.find(name);
        return found == exports.end() ? nullptr : found->second;
    }
    std::uint32_t last_error() override { return error; }
    void set_last_error(std::uint32_t value) override { error = value; }
};

// The fake system functions report through this; each test sets it up.
struct calls {
    std::vector<std::string> made;
    int answer = 1;
    std::uint32_t error_on_false = 0;
    fake_loader* loader = nullptr;
};
calls* current = nullptr;

int answer_of(const char* name) {
    current->made.emplace_back(name);
    if (current->answer == 0) current->loader->error = current->error_on_false;
    return current->answer;
}
int fake_get_file_security(int) { return answer_of("GetFileSecurityW"); }
void* fake_free_sid(void*) {
    current->made.emplace_back("FreeSid");
    return nullptr;
}
int fake_revert_to_self() { return answer_of("RevertToSelf"); }
int fake_add_ex(int revision, int flags, int mask) {
    current->made.push_back("AddAccessAllowedAceEx " + std::to_string(revision) + " " + std::to_string(flags) + " " +
                            std::to_string(mask));
    return current->answer;
}
int fake_add(int revision, int mask) {
    current->made.push_back("AddAccessAllowedAce " + std::to_string(revision) + " " + std::to_string(mask));
    return current->answer;
}

enum slot : std::size_t { get_file_security, free_sid, revert_to_self, add_ex, add_plain };
constexpr const char* names[] = {"GetFileSecurityW", "FreeSid", "RevertToSelf", "AddAccessAllowedAceEx",
                                 "AddAccessAllowedAce"};

proc_address address_of(auto* function) { return reinterpret_cast<proc_address>(function); }

class EntryPoints : public testing::Test {
protected:
    EntryPoints() {
        record.loader = &loader;
        current = &record;
        loader.loaded = true;
        loader.exports = {{"GetFileSecurityW", address_of(&fake_get_file_security)},
                          {"FreeSid", address_of(&fake_free_sid)},
                          {"RevertToSelf", address_of(&fake_revert_to_self)},
                          {"AddAccessAllowedAceEx", address_of(&fake_add_ex)},
                          {"AddAccessAllowedAce", address_of(&fake_add)}};
    }
    ~EntryPoints() override { current = nullptr; }

    std::int32_t code_of_call(entry_point_table& table) {
        try {
            vd::details::call_checked<int(int)>(table, get_file_security, 0);
            return 0;
        } catch (const vd::hresult_error& error) {
            return error.code();
        }
    }

    fake_loader loader;
    calls record;
    entry_point_table table{loader, L"advapi32.dll", names};
};

TEST_F(EntryPoints, MissingModuleIsUnexpectedAndALaterCallTriesAgain) {
    loader.loaded = false;
    EXPECT_EQ(static_cast<std::uint32_t>(code_of_call(table)), 0x8000FFFFu);
    EXPECT_EQ(loader.load_flags, (std::vector<std::uint32_t>{0x800}));
    EXPECT_TRUE(record.made.empty());

    loader.loadable = true;
    EXPECT_EQ(code_of_call(table), 0);
    EXPECT_EQ(record.made, std::vector<std::string>{"GetFileSecurityW"});
}

TEST_F(EntryPoints, ModuleIsLookedForInSystem32Only) {
    // LOAD_LIBRARY_SEARCH_SYSTEM32 and nothing wider: a copy that only the program's folder, the
    // current directory or PATH would give (flags 0, or the default directories) is never loaded.
    loader.loaded = false;
    loader.loadable = true;
    EXPECT_EQ(code_of_call(table), 0);
    EXPECT_EQ(loader.load_flags, (std::vector<std::uint32_t>{0x800}));

    fake_loader planted;
    planted.needs_plain_flags = true;
    entry_point_table beside_the_program{planted, L"advapi32.dll", names};
    EXPECT_EQ(static_cast<std::uint32_t>(code_of_call(beside_the_program)), 0x8000FFFFu);
    for (const auto flags : planted.load_flags) EXPECT_EQ(flags, 0x800u);
}

TEST_F(EntryPoints, MissingExportIsNotImplemented) {
    loader.exports.erase("GetFileSecurityW");
    EXPECT_EQ(static_cast<std::uint32_t>(code_of_call(table)), 0x80004001u);
}

TEST_F(EntryPoints, FalseIsReportedAsTheHresultOfTheLastError) {
    const struct {
        std::uint32_t last_error;
        std::uint32_t thrown;
    } cases[] = {
        {5, 0x80070005u},          {1338, 0x8007053Au},
        {0x1234ABCD, 0x8007ABCDu}, {0x80004005u, 0x80004005u},  // already an HRESULT: unchanged
        {0, 0x80004005u},                                       // no reason given: still a failure, E_FAIL
    };
    record.answer = 0;
    for (const auto& c : cases) {
        record.error_on_false = c.last_error;
        EXPECT_EQ(static_cast<std::uint32_t>(code_of_call(table)), c.thrown) << c.last_error;
    }
}

TEST_F(EntryPoints, AResolvedAddressIsKeptForLaterCalls) {
    EXPECT_EQ(code_of_call(table), 0);
    loader.loaded = false;
    loader.exports.clear();
    EXPECT_EQ(code_of_call(table), 0);
    EXPECT_EQ(record.made.size(), 2u);
}

TEST_F(EntryPoints, SizeQueryAcceptsOnlyInsufficientBuffer) {
    record.answer = 0;
    record.error_on_false = 122;
    EXPECT_NO_THROW(vd::details::call_size_query<int(int)>(table, get_file_security, 0));
    record.error_on_false = 5;
    EXPECT_THROW(vd::details::call_size_query<int(int)>(table, get_file_security, 0), vd::hresult_error);
}

TEST_F(EntryPoints, FreeSidWithoutTheExportGivesTheSidBack) {
    int sid = 0;
    loader.exports.erase("FreeSid");
    EXPECT_EQ((vd::details::call_or<void*(void*), void*>(table, free_sid, &sid, 0, &sid)), &sid);
    EXPECT_TRUE(record.made.empty());

    entry_point_table bound{loader, L"advapi32.dll", names};
    loader.exports["FreeSid"] = address_of(&fake_free_sid);
    EXPECT_EQ((vd::details::call_or<void*(void*), void*>(bound, free_sid, &sid, 0, &sid)), nullptr);
    EXPECT_EQ(record.made, std::vector<std::string>{"FreeSid"});
}

TEST_F(EntryPoints, RevertToSelfWithoutTheModuleAnswersFalseWithCallNotImplemented) {
    loader.loaded = false;
    EXPECT_EQ((vd::details::call_or<int(), int>(table, revert_to_self, 0, 120)), 0);
    EXPECT_EQ(loader.error, 120u);
}

TEST_F(EntryPoints, AllowEntryWithFlagsUsesTheExtendedCallWhenThereIsOne) {
    const struct {
        const char* name;
        bool has_ex;
        int flags;
        std::string expected;
    } cases[] = {
        {"flags", true, 3, "AddAccessAllowedAceEx 2 3 7"},
        {"no flags", true, 0, "AddAccessAllowedAce 2 7"},
        {"no extended export", false, 3, "AddAccessAllowedAce 2 7"},
    };
    for (const auto& c : cases) {
        record.made.clear();
        if (!c.has_ex) loader.exports.erase("AddAccessAllowedAceEx");
        entry_point_table fresh{loader, L"advapi32.dll", names};
        vd::details::call_checked_or_plain<int(int, int, int), int(int, int)>(
            fresh, add_ex, add_plain, c.flags == 0, std::tuple{2, c.flags, 7}, std::tuple{2, 7});
        EXPECT_EQ(record.made, std::vector<std::string>{c.expected}) << c.name;
    }
}

TEST_F(EntryPoints, AllowEntryFallsBackOnlyForAMissingExport) {
    loader.loaded = false;
    try {
        vd::details::call_checked_or_plain<int(int, int, int), int(int, int)>(table, add_ex, add_plain, false,
                                                                              std::tuple{2, 3, 7}, std::tuple{2, 7});
        FAIL() << "no module, yet the entry was added";
    } catch (const vd::hresult_error& error) {
        EXPECT_EQ(static_cast<std::uint32_t>(error.code()), 0x8000FFFFu);
    }
    EXPECT_TRUE(record.made.empty());
}

}  // namespace
