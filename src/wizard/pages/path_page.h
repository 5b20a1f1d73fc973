// Page 2 of the wizard (advanced mode): the installation folder.
#pragma once

#include "wizard/pages/folder_pickers.h"
#include "wizard/pages/wizard_page.h"

namespace wizard {

class CDlgPath : public CWizardPage {
public:
    CDlgPath(dialog_system& system, CInstallApp& app, const FolderPickers& pickers);

    bool OnInitDialog() override;
    bool OnCommand(int id, int notification) override;
    void DoDataExchange(data_exchange& exchange) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;

    void OnBrowse();

    // The text of the folder edit box.
    std::wstring folderText;

private:
    const FolderPickers& pickers_;
};

}  // namespace wizard
