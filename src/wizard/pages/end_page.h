// Page 5 of the wizard: the installation is complete.
#pragma once

#include "wizard/pages/wizard_page.h"

namespace wizard {

class CDlgEnd : public CWizardPage {
public:
    CDlgEnd(dialog_system& system, CInstallApp& app);

    void DoDataExchange(data_exchange& exchange) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;
};

}  // namespace wizard
