// Win32-only: the portable version reader against the system's own (GetFileVersionInfoW and
// VerQueryValueW) on the committed executables, and the running test program's own version block.
#include <windows.h>

#include <gtest/gtest.h>

#include "os/win32/resources_win32.h"
#include "vd/pe_resource.h"
#include "vd/version_block.h"
#include "vd/version_info.h"
#include "vd/version_test_files.h"

using namespace version_test;

namespace {

// The fixture's path as Windows names it (ctest gives the source folder as a host path).
std::wstring windows_path(const std::string& host) {
    std::wstring path = host.size() > 1 && host[0] == '/' ? L"Z:" : L"";
    for (char c : host) path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
    return path;
}

std::wstring system_string(const std::vector<BYTE>& block, const std::wstring& translation, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring sub = L"\\StringFileInfo\\" + translation + L"\\" + name;
    if (!VerQueryValueW(block.data(), sub.c_str(), &value, &length) || length == 0) return {};
    std::wstring text(static_cast<const wchar_t*>(value), length);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

class SystemAgrees : public testing::TestWithParam<const char*> {};

TEST_P(SystemAgrees, OnRootTranslationsAndStrings) {
    const std::wstring path = windows_path(fixture_path(GetParam()));
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_NE(size, 0u) << GetLastError();
    std::vector<BYTE> system_block(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, system_block.data()));

    const auto bytes = fixture_bytes(GetParam());
    const auto ours = vd::find_pe_resource(bytes, 16, 1);
    ASSERT_TRUE(ours);
    const vd::version_info info{*ours};

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixed_length = 0;
    ASSERT_TRUE(VerQueryValueW(system_block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixed_length));
    ASSERT_TRUE(info.has_fixed_info());
    EXPECT_EQ(info.file_version(), (std::uint64_t{fixed->dwFileVersionMS} << 32) | fixed->dwFileVersionLS);
    EXPECT_EQ(info.fixed_info().file_flags, fixed->dwFileFlags);

    void* pairs = nullptr;
    UINT pairs_length = 0;
    ASSERT_TRUE(VerQueryValueW(system_block.data(), L"\\VarFileInfo\\Translation", &pairs, &pairs_length));
    const auto translation = vd::query_version_value(*ours, L"\\VarFileInfo\\Translation");
    ASSERT_TRUE(translation);
    EXPECT_EQ(translation->bytes.size(), pairs_length);

    if (info.translations().empty()) return;
    for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"LegalCopyright", L"CompanyName", L"Missing"}) {
        EXPECT_EQ(info.string_value(name), system_string(system_block, info.translations().front(), name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Fixtures, SystemAgrees,
                         testing::Values("product_pe32.exe", "product_pe32plus.exe", "two_translations.exe",
                                         "only_1252.exe", "prerelease.exe", "empty_version.exe"));

// The resources of another loaded module, standing in for the running program's.
class module_resources final : public os::resources {
public:
    explicit module_resources(HMODULE module) : module_(module) {}
    os::module_handle program_module() override { return reinterpret_cast<os::module_handle>(module_); }
    std::optional<std::span<const std::byte>> find(os::module_handle module, std::uint16_t type,
                                                   std::uint16_t id) override {
        return system_.find(module, type, id);
    }

private:
    HMODULE module_;
    os::win32::resources_adapter system_;
};

TEST(ModuleVersion, ComesFromTheLoadedResourceInPlace) {
    const std::wstring path = windows_path(fixture_path("product_pe32plus.exe"));
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr) << GetLastError();
    {
        module_resources resources(module);
        const auto block = vd::running_module_version_block(resources);
        ASSERT_FALSE(block.empty());
        const vd::version_info info(block);
        EXPECT_EQ(info.file_version(), 0x0007000800120001ull);
        EXPECT_EQ(info.product_title(0x0409), L"Lignotek 7.08r");
        EXPECT_EQ(info.legal_copyright(), L"Copyright \u00A9 2026 Vendrel & Vodoraru");
    }
    FreeLibrary(module);
}

TEST(RunningModuleVersion, IsTheTestProgramsVersionResource) {
    os::win32::resources_adapter resources;
    const auto block = vd::running_module_version_block(resources);
    const vd::version_info info(block);
    if (info.size() == 0) GTEST_SKIP() << "this test program carries no version resource";
    EXPECT_TRUE(info.has_fixed_info());
    EXPECT_EQ(info.file_version(), 0x0002000400000000ull);
    EXPECT_EQ(info.product_name(), L"Install");
    EXPECT_EQ(info.product_title(0x0409), L"Install 2.04a");
    EXPECT_EQ(info.string_value(L"ApplicationId"), L"Lignotek7");
    // The block lies in the loaded module: nothing was copied.
    const auto module = reinterpret_cast<const std::byte*>(GetModuleHandleW(nullptr));
    EXPECT_GT(block.data(), module);
}

}  // namespace
