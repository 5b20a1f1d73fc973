// The progress page's status line for a text holding a path: a text that fits is shown as it is;
// a longer one keeps its root and its last element and gives up the folders between for "...".
#include "wizard_fixture.h"

namespace wizard_test {
namespace {

TEST_F(Wizard, APathStatusThatIsTooLongKeepsItsRootAndFileName) {
    application.settings.advancedMode = false;
    Run([&](wizard::CInstallDlg& frame) {
        while (frame.CurrentPage() < 4) Next(frame);
        auto& page = frame.installPage;
        auto& host = Window(page);
        const int width = host.control_client_rect(control::status).width();

        page.SetPathStatus(L"Copying File  C:\\a\\b.txt...");
        EXPECT_EQ(Text(page, control::status), L"Copying File  C:\\a\\b.txt...");

        std::wstring folders;
        while (host.text_width(control::status, folders) <= 2 * width) folders += L"\\Folder";
        const std::wstring text = L"Copying File  \"C:" + folders + L"\\Oak.mat\"...";
        page.SetPathStatus(text);
        const std::wstring shown = Text(page, control::status);
        EXPECT_LE(host.text_width(control::status, shown), width);
        EXPECT_EQ(shown.rfind(L"Copying File  \"C:\\", 0), 0u) << testing::PrintToString(shown);
        EXPECT_NE(shown.find(L"...\\Oak.mat\"..."), std::wstring::npos) << testing::PrintToString(shown);
    });
}

}  // namespace
}  // namespace wizard_test
