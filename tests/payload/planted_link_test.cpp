// Links an ordinary user planted below a token's folder before the installation: the extraction
// refuses them before anything is written, and placement refuses one planted while it runs.
#include "payload/payload_fixture.h"

#include "payload/placement.h"
#include "support/host_links.h"

namespace payload_test {
namespace {

namespace fs = std::filesystem;

const std::wstring company_data = L"C:\\ProgramData\\Vendrel & Vodoraru";
const std::wstring system_target = L"C:\\Windows\\System32\\Target";

class PlantedLink : public machine_fixture {
protected:
    fs::path host(const std::wstring& path) { return machine_->host_path(path).value(); }
    void link_folder(const std::wstring& link, const std::wstring& target) {
        fs::create_directory_symlink(host(target), host(link));
    }
    payload::shared_folder_list shared_;
};

TEST_F(PlantedLink, ALinkBelowATokensFolderRefusesTheWholePayloadWithSeven) {
    REQUIRE_HOST_LINKS();
    put(system_target + L"\\wood.dat", "system file");
    struct case_t {
        const char* what;
        std::wstring link;
    };
    const case_t cases[] = {
        {"the company folder", company_data},
        {"a folder the payload names", company_data + L"\\Materials"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.link != company_data) (void)machine_->create_directory(company_data);
        link_folder(c.link, system_target);
        const std::vector<file_spec> files = {{L"<InstallPath>", L"Lignotek.exe", 1, "program"},
                                              {L"<CommonData>\\Vendrel & Vodoraru\\Materials", L"wood.dat", 3, "new"}};
        recorder r;
        EXPECT_FALSE(extract(archive(files), r));
        EXPECT_EQ(r.last().rfind("failed 7", 0), 0u) << r.last();
        EXPECT_EQ(content(inputs().install_folder + L"\\Lignotek.exe"), "<missing>") << "nothing is written";
        EXPECT_EQ(content(system_target + L"\\wood.dat"), "system file");
        EXPECT_FALSE(fs::exists(host(system_target) / "Materials"));
        EXPECT_TRUE(grants_.empty());
        fs::remove(host(c.link));
    }
}

TEST_F(PlantedLink, PlacementRefusesALinkPlantedWhileItRuns) {
    REQUIRE_HOST_LINKS();
    (void)machine_->create_directory(company_data);
    put(system_target + L"\\wood.dat", "system file");
    shared_.register_shared_folder(company_data);
    shared_.register_shared_folder(company_data + L"\\Materials");
    payload::file_placement placement(ports(), shared_);
    struct case_t {
        const char* what;
        std::wstring link;
        std::wstring target;
        bool folder;
    };
    const case_t cases[] = {
        {"an existing level", company_data + L"\\Materials", system_target, true},
        {"the file itself", company_data + L"\\Materials\\wood.dat", system_target + L"\\wood.dat", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.folder) (void)machine_->create_directory(company_data + L"\\Materials");
        if (c.folder)
            link_folder(c.link, c.target);
        else
            fs::create_symlink(host(c.target), host(c.link));
        try {
            (void)placement.open_output_file(company_data + L"\\Materials\\wood.dat", L"C:\\ProgramData");
            FAIL() << "wrote through a link";
        } catch (const payload::file_error& e) {
            EXPECT_EQ(e.code(), os::win_error(os::errc::reparse_point_encountered));
        }
        EXPECT_EQ(content(system_target + L"\\wood.dat"), "system file");
        EXPECT_TRUE(grants_.empty());
        fs::remove(host(c.link));
    }
    // Without a link the same placement goes on.
    EXPECT_TRUE(placement.open_output_file(company_data + L"\\Materials\\wood.dat", L"C:\\ProgramData"));
}

TEST_F(PlantedLink, AFileWithASecondNameIsNotReplacedOrGranted) {
    REQUIRE_HOST_LINKS();
    put(system_target + L"\\config.dat", "system file");
    (void)machine_->create_directory(company_data);
    fs::create_hard_link(host(system_target + L"\\config.dat"), host(company_data) / "config.dat");
    const std::vector<file_spec> files = {{L"<CommonData>\\Vendrel & Vodoraru", L"config.dat", 3, "new"}};
    recorder r;
    EXPECT_FALSE(extract(archive(files), r));
    EXPECT_EQ(r.last().rfind("failed 7", 0), 0u) << r.last();
    EXPECT_EQ(content(system_target + L"\\config.dat"), "system file");
    EXPECT_TRUE(grants_.empty());
}

}  // namespace
}  // namespace payload_test
