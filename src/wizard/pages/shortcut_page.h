// Page 3 of the wizard (advanced mode): the Start-menu shortcut, its folder, the desktop shortcut.
#pragma once

#include "wizard/pages/folder_pickers.h"
#include "wizard/pages/wizard_page.h"

namespace wizard {

class CDlgShortcut : public CWizardPage {
public:
    CDlgShortcut(dialog_system& system, CInstallApp& app, const FolderPickers& pickers);

    bool OnInitDialog() override;
    bool OnCommand(int id, int notification) override;
    void DoDataExchange(data_exchange& exchange) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;

    void OnBrowse();
    // The folder box and Browse are usable exactly while the menu check box is set.
    void OnMenuCheck();

    int desktopCheck = 0;
    int menuCheck = 0;
    // The Start-menu folder relative to the Start menu (the text of the folder box).
    std::wstring relativeFolder;
    // The Start menu folder itself.
    std::wstring startMenuRoot;

private:
    const FolderPickers& pickers_;
};

}  // namespace wizard
