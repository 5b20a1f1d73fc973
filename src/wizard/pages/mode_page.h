// Page 1 of the wizard: quick or advanced installation.
#pragma once

#include "wizard/pages/wizard_page.h"

namespace wizard {

class CDlgMode : public CWizardPage {
public:
    CDlgMode(dialog_system& system, CInstallApp& app);

    void DoDataExchange(data_exchange& exchange) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;

    // The selected radio button: 0 quick, 1 advanced; -1 before the first exchange.
    int methodIndex = -1;
};

}  // namespace wizard
