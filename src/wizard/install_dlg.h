// The wizard frame: the modal dialog that hosts the six pages in one area, sizes itself to the
// largest, drives the navigation with Next, Back and Exit, runs the installation from the progress
// page and offers the About box in its system menu.
#pragma once

#include "wizard/framework/dialog.h"
#include "wizard/pages/end_page.h"
#include "wizard/pages/folder_pickers.h"
#include "wizard/pages/install_page.h"
#include "wizard/pages/mode_page.h"
#include "wizard/pages/path_page.h"
#include "wizard/pages/shortcut_page.h"
#include "wizard/pages/start_page.h"

#include <array>
#include <cstdint>

class CInstallApp;

namespace wizard {

// The About entry of the system menu.
inline constexpr unsigned about_command = 0x0010;

class CInstallDlg : public CDialog {
public:
    CInstallDlg(dialog_system& system, CInstallApp& app, FolderPickers pickers, InstallationRunner runInstallation);
    ~CInstallDlg() override;

    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    bool OnCommand(int id, int notification) override;
    bool OnSysCommand(unsigned command) override;
    void OnGetMinMaxInfo(min_max_info& info) override;
    void OnInitMenuPopup(bool systemMenu) override;

    // Shows page `target`, saving the page that is left (a failed validation keeps it) and loading
    // the one that is entered; quick mode passes over the folder and shortcut pages.
    void GoToPage(int target);
    // The frame's texts, the buttons and every page, from the current language.
    void RefreshTexts();
    void UpdateButtonCaptions();

    [[nodiscard]] int CurrentPage() const noexcept { return currentPage; }

private:
    // Before the pages: the folder and shortcut pages keep a reference to the pickers.
    CInstallApp& app_;
    FolderPickers pickers_;

public:
    CDlgStart startPage;
    CDlgMode modePage;
    CDlgPath pathPage;
    CDlgShortcut shortcutPage;
    CDlgInstall installPage;
    CDlgEnd endPage;

private:
    [[nodiscard]] std::wstring AboutEntryText() const;
    void LayOutPages();

    std::array<CWizardPage*, 6> pages;
    std::int32_t currentPage = -1;
};

}  // namespace wizard
