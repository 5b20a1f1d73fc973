// Destination tokens over the directory machine's default folders, their fallbacks, the examples
// folder, and the registration of shared folders.
#include "payload/payload_fixture.h"

#include "payload/destination.h"

namespace payload_test {
namespace {

using payload::destination_resolver;
using payload::shared_folder_list;

class Destinations : public machine_fixture {
protected:
    std::wstring resolve(std::wstring_view folder, payload::destination_inputs in) {
        destination_resolver r(*machine_, 0, std::move(in), shared_);
        return r.resolve_destination(folder);
    }
    std::wstring resolve(std::wstring_view folder) { return resolve(folder, inputs()); }
    std::vector<std::wstring> shared() const {
        std::vector<std::wstring> out;
        for (const auto& f : shared_.folders()) out.push_back(f.path);
        return out;
    }
    std::error_code failure(std::wstring_view folder) {
        try {
            (void)resolve(folder);
        } catch (const payload::compress_error& e) {
            return e.code();
        }
        return {};
    }
    shared_folder_list shared_;
};

TEST_F(Destinations, EveryTokenHasItsFolder) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"<InstallPath>\\Lang", L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7\\Lang"},
        {L"<SamplePath>", L"C:\\Users\\Public\\Desktop\\Lignotek Examples"},
        {L"<ProgramFiles>\\X", L"C:\\Program Files\\X"},
        {L"<ProgramCommon>", L"C:\\Program Files\\Common Files"},
        {L"<CommonData>/Vendrel & Vodoraru", L"C:\\ProgramData\\Vendrel & Vodoraru"},
        {L"<UserData>\\Vendrel & Vodoraru\\Lignotek 7",
         L"C:\\Users\\User\\AppData\\Roaming\\Vendrel & Vodoraru\\Lignotek 7"},
        {L"<CommonDocuments>", L"C:\\Users\\Public\\Documents"},
        {L"<Documents>", L"C:\\Users\\User\\Documents"},
        {L"<CommonDesktop>", L"C:\\Users\\Public\\Desktop"},
        {L"<Desktop>", L"C:\\Users\\User\\Desktop"},
        {L"<WinDir>", L"C:\\Windows"},
        {L"<System>", L"C:\\Windows\\System32"},
        {L"<Temporary>", L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{t}"},
        // Without a token the folder is used as it stands.
        {L"C:\\Data\\x", L"C:\\Data\\x"},
        {L"", L""},
        {L"plain\\relative", L"plain\\relative"},
        {L"<Install", L"<Install"},
    };
    for (const auto& [folder, expected] : cases) EXPECT_EQ(resolve(folder), expected) << recorder::narrow(folder);
}

TEST_F(Destinations, SharedTokensRegisterEverySubFolderOnce) {
    (void)resolve(L"<CommonData>\\Vendrel & Vodoraru\\Textures\\Lignotek 7");
    (void)resolve(L"<CommonData>\\Vendrel & Vodoraru\\Materials");
    (void)resolve(L"<CommonData>\\vendrel & vodoraru\\MATERIALS");  // the same folder spelled otherwise
    (void)resolve(L"<UserData>\\Vendrel & Vodoraru\\Lignotek 7");   // not shared
    (void)resolve(L"<CommonDocuments>\\Shared");
    EXPECT_EQ(shared(), (std::vector<std::wstring>{
                            L"C:\\ProgramData\\Vendrel & Vodoraru",
                            L"C:\\ProgramData\\Vendrel & Vodoraru\\Textures",
                            L"C:\\ProgramData\\Vendrel & Vodoraru\\Textures\\Lignotek 7",
                            L"C:\\ProgramData\\Vendrel & Vodoraru\\Materials",
                            L"C:\\Users\\Public\\Documents\\Shared",
                        }));
}

TEST_F(Destinations, FallbacksApplyWhenTheAllUsersFolderIsMissing) {
    machine_->set_special_folder(os::csidl::common_appdata, L"");
    machine_->set_special_folder(os::csidl::common_desktopdirectory, L"");
    EXPECT_EQ(resolve(L"<CommonData>\\Vendrel & Vodoraru\\Materials"),
              L"C:\\Users\\User\\AppData\\Roaming\\Vendrel & Vodoraru\\Materials");
    EXPECT_EQ(resolve(L"<SamplePath>"), L"C:\\Users\\User\\Desktop\\Lignotek Examples");
    EXPECT_EQ(shared(), (std::vector<std::wstring>{
                            L"C:\\Users\\User\\AppData\\Roaming\\Vendrel & Vodoraru",
                            L"C:\\Users\\User\\AppData\\Roaming\\Vendrel & Vodoraru\\Materials",
                            L"C:\\Users\\User\\Desktop\\Lignotek Examples",
                        }));
    machine_->set_special_folder(os::csidl::appdata, L"");
    EXPECT_EQ(failure(L"<CommonData>\\x"), payload::compress_errc::unexpected_error);
    EXPECT_EQ(failure(L"<UserData>"), payload::compress_errc::unexpected_error);
}

TEST_F(Destinations, ExamplesFolderNameRules) {
    struct case_ {
        const wchar_t* name;
        const wchar_t* folder;
        const wchar_t* expected;
        std::vector<std::wstring> shared;
    };
    const case_ cases[] = {
        {L"", L"<SamplePath>\\Sub", L"C:\\Users\\Public\\Desktop\\Sub", {}},
        {L"D:\\Samples", L"<SamplePath>\\Sub", L"D:\\Samples\\Sub", {}},
        {L"\\\\server\\share\\s", L"<SamplePath>", L"\\\\server\\share\\s", {}},
        {L"Lignotek Beispiele",
         L"<SamplePath>\\Sub\\Deep",
         L"C:\\Users\\Public\\Desktop\\Lignotek Beispiele\\Sub\\Deep",
         {L"C:\\Users\\Public\\Desktop\\Lignotek Beispiele"}},
    };
    for (const auto& c : cases) {
        shared_ = {};
        auto in = inputs();
        in.examples_name = c.name;
        EXPECT_EQ(resolve(c.folder, in), c.expected) << recorder::narrow(c.name);
        EXPECT_EQ(shared(), c.shared) << recorder::narrow(c.name);
    }
}

TEST_F(Destinations, TemporaryFallsBackToTheInstallationFolder) {
    auto in = inputs();
    in.temp_folder.clear();
    EXPECT_EQ(resolve(L"<Temporary>", in), in.install_folder);
}

TEST_F(Destinations, UnknownTokensAndClimbingFoldersAreRejected) {
    for (const wchar_t* folder : {L"<commondata>\\x", L"<CommonData >", L"<Nowhere>", L"<InstallPath>\\..\\..\\Windows",
                                  L"<CommonData>\\Vendrel & Vodoraru\\..", L"<InstallPath>\\.\\x"})
        EXPECT_EQ(failure(folder), payload::compress_errc::unexpected_error) << recorder::narrow(folder);
    EXPECT_TRUE(shared().empty());
}

TEST(SameFolder, SpellingsOfOneFolder) {
    EXPECT_TRUE(payload::same_folder(L"C:\\A\\b", L"C:/A//b/"));
    EXPECT_TRUE(payload::same_folder(L"C:\\ProgramData\\X", L"c:\\programdata\\x"));
    EXPECT_TRUE(payload::same_folder(L"C:\\a\\..\\b", L"C:\\B"));
    EXPECT_FALSE(payload::same_folder(L"C:\\a", L"C:\\a\\b"));
    EXPECT_FALSE(payload::same_folder(L"C:\\a", L"D:\\a"));
}

}  // namespace
}  // namespace payload_test
