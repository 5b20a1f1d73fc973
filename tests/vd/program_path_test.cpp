// The program path's source and the stem rules.
#include "vd/program_path.h"

#include <gtest/gtest.h>

#include "os/native/process_info_double.h"

namespace {

TEST(ProgramStem, TakesTheFileNameWithoutItsLastExtension) {
    struct stem_case {
        const wchar_t* path;
        const wchar_t* stem;
    };
    const stem_case cases[] = {
        {L"C:\\Program Files\\Lignotek\\install.exe", L"install"},
        {L"D:\\elsewhere\\deeper\\install.exe", L"install"},
        {L"install.exe", L"install"},
        {L"C:\\x\\archive.tar.exe", L"archive.tar"},
        {L"C:/forward/slashes/setup.exe", L"setup"},
        {L"C:setup.exe", L"setup"},
        {L"\\\\server\\share\\tools\\setup.exe", L"setup"},
        {L"C:\\x\\setup.exe:Zone.Identifier", L"setup"},
        {L"C:\\x\\setup", L"setup"},
        {L"C:\\x\\.profile", L".profile"},
        {L"C:\\x\\a", L"a"},
        {L"C:\\x\\.", L"."},
        {L"C:\\x\\..", L".."},
        {L"C:\\x\\name.", L"name"},
        {L"C:\\x\\...", L".."},
        {L"C:\\x\\", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vd::path_stem(c.path), c.stem) << testing::PrintToString(std::wstring(c.path));
}

TEST(ProgramPath, PrefersTheRuntimesRecordAndFallsBackToTheModuleName) {
    os::native::process_info_double process;
    process.module_path = L"C:\\Temp\\LignotekSetup.exe";
    EXPECT_EQ(vd::program_path(process), L"C:\\Temp\\LignotekSetup.exe");
    EXPECT_EQ(vd::program_stem(process), L"LignotekSetup");

    process.runtime_path = L"C:\\Downloads\\LignotekSetup (1).exe";
    EXPECT_EQ(vd::program_path(process), L"C:\\Downloads\\LignotekSetup (1).exe");
    EXPECT_EQ(vd::program_stem(process), L"LignotekSetup (1)");
    EXPECT_EQ(process.module_calls, 2);

    // An empty record counts as none.
    process.runtime_path = L"";
    EXPECT_EQ(vd::program_path(process), L"C:\\Temp\\LignotekSetup.exe");
}

}  // namespace
