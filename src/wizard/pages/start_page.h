// Page 0 of the wizard: the language list and what the installation will do, given the earlier
// installation that start-up found.
#pragma once

#include "wizard/pages/wizard_page.h"

#include <functional>

namespace wizard {

class CDlgStart : public CWizardPage {
public:
    // `languageChanged` refreshes the whole wizard after the user chose another language.
    CDlgStart(dialog_system& system, CInstallApp& app, std::function<void()> languageChanged);

    bool OnInitDialog() override;
    bool OnCommand(int id, int notification) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;

    // CBN_SELCHANGE of the language list.
    void OnLanguageChanged();

private:
    std::function<void()> languageChanged_;
};

}  // namespace wizard
