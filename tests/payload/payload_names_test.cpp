// The names a payload gives its files: streams, devices, names Windows would cut, and folders without
// a token are refused with 7 before the first file is written.
#include "payload/payload_fixture.h"

#include "payload/payload_names.h"

namespace payload_test {
namespace {

struct name_case {
    const wchar_t* folder;
    const wchar_t* file;
    bool usable;
};

TEST(PayloadNames, OnlyOrdinaryNamesBelowATokenAreUsable) {
    const name_case cases[] = {
        {L"<InstallPath>", L"Lignotek.exe", true},
        {L"<CommonData>\\Vendrel & Vodoraru\\Materials", L"oak.mat", true},
        {L"<InstallPath>\\Lang", L"console.dll", true},  // a device name only as the whole base name
        {L"<InstallPath>\\Lang", L"nullable.txt", true},
        {L"<InstallPath>\\Lang", L"COM10.txt", true},
        {L"<InstallPath>\\Lang", L"LPT0", true},
        {L"<InstallPath>\\.hidden", L"a.txt", true},
        {L"<InstallPath>", L"Lignotek.exe:payload", false},  // an alternate stream
        {L"<InstallPath>\\Lang:x", L"de.dll", false},
        {L"<InstallPath>", L"CON", false},
        {L"<InstallPath>", L"nul.txt", false},
        {L"<InstallPath>", L"Aux.tar.gz", false},
        {L"<InstallPath>", L"prn .log", false},
        {L"<InstallPath>", L"com1", false},
        {L"<InstallPath>", L"LPT9.dat", false},
        {L"<InstallPath>", L"COM\u00B9", false},
        {L"<InstallPath>\\NUL\\Lang", L"de.dll", false},
        {L"<InstallPath>\\lpt3.txt", L"de.dll", false},
        {L"<InstallPath>", L"readme.", false},  // Windows would write "readme"
        {L"<InstallPath>", L"readme ", false},
        {L"<InstallPath>\\Lang.", L"de.dll", false},
        {L"<InstallPath>\\Lang \\x", L"de.dll", false},
        {L"<InstallPath>", L"a?.txt", false},
        {L"<InstallPath>", L"a\u0001.txt", false},
        {L"", L"a.txt", false},  // no token: relative to the current directory
        {L"Lang", L"a.txt", false},
        {L"C:\\Windows\\System32", L"a.dll", false},
        {L"\\\\server\\share", L"a.dll", false},
        {L"\\Windows", L"a.dll", false},
        {L"<Nowhere>\\x", L"a.dll", false},
        {L"<InstallPath>\\..\\..", L"a.dll", false},
    };
    for (const auto& c : cases) {
        const char* problem = payload::destination_name_problem(c.folder, c.file);
        EXPECT_EQ(problem == nullptr, c.usable) << recorder::narrow(c.folder) << " | " << recorder::narrow(c.file)
                                                << ": " << (problem ? problem : "usable");
    }
}

using PayloadNamesInArchive = machine_fixture;

TEST_F(PayloadNamesInArchive, ABadNameAnywhereFailsWith7BeforeAnyFile) {
    for (const file_spec& bad :
         {file_spec{L"<InstallPath>", L"NUL.dll", 0, "x"}, file_spec{L"<InstallPath>\\Lang", L"de.dll:hidden", 0, "x"},
          file_spec{L"C:\\Windows\\System32", L"version.dll", 0, "x"}, file_spec{L"", L"version.dll", 0, "x"},
          file_spec{L"<InstallPath>\\Lang.", L"de.dll", 0, "x"}}) {
        // The refused entry comes last: the good one before it must not be written either.
        const std::vector<file_spec> files{{L"<InstallPath>", L"Lignotek.exe", 1, "program"}, bad};
        recorder r;
        EXPECT_FALSE(extract(compress(raw_archive(files)), r)) << recorder::narrow(bad.name);
        EXPECT_EQ(r.last(), "failed 7 ") << recorder::narrow(bad.name);
        EXPECT_EQ(std::count_if(r.lines.begin(), r.lines.end(), [](auto& l) { return l.starts_with("begin"); }), 0)
            << recorder::narrow(bad.name);
        std::uint32_t attributes = 0;
        EXPECT_TRUE(machine_->get_attributes(inputs().install_folder + L"\\Lignotek.exe", attributes))
            << "nothing is written";
    }
}

}  // namespace
}  // namespace payload_test
