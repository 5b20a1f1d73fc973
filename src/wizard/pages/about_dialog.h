// The About box, opened from the wizard's system menu.
#pragma once

#include "wizard/framework/dialog.h"

class CInstallApp;

namespace wizard {

class CAboutDlg : public CDialog {
public:
    CAboutDlg(dialog_system& system, CInstallApp& app);

    bool OnInitDialog() override;

private:
    CInstallApp& app_;
};

}  // namespace wizard
