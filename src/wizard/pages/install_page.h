// Page 4 of the wizard: the options summary before the installation, and the status line, progress
// bar and log that the installation sequence writes while it runs.
#pragma once

#include "wizard/pages/wizard_page.h"

#include <functional>
#include <string>
#include <string_view>

namespace wizard {

class CDlgInstall;

// The installation sequence that the Install button runs on this page; true when it succeeded.
using InstallationRunner = std::function<bool(CDlgInstall&)>;

class CDlgInstall : public CWizardPage {
public:
    CDlgInstall(dialog_system& system, CInstallApp& app, InstallationRunner runInstallation);

    bool OnInitDialog() override;
    void DoDataExchange(data_exchange& exchange) override;
    void RefreshTexts() override;
    void Resize(int dx, int dy) override;

    // Runs the installation sequence; true when it succeeded.  Without a sequence the installation
    // fails with the code of an unexpected failure.
    bool DoInstall();

    // Appends to the log box: the text as it stands, or, when `heading` is set or the text is empty,
    // a line of dashes as wide as the box with the text centred in it, and a line break.
    void AppendLog(std::wstring_view text, bool heading = false);
    // The status line and the progress bar (0-100), for the installation sequence.
    void SetStatus(std::wstring_view text);
    // The status line for a text holding a path: the folders before the last element give way to
    // "..." until the text fits the line, as the shell's path setter does.
    void SetPathStatus(std::wstring_view text);
    void ShowProgress(bool visible);
    void SetProgress(int percent);

    // Filled and used by the installation sequence.
    std::wstring mainProgramPath;
    std::wstring uninstallerPath;

private:
    [[nodiscard]] std::wstring SeparatorLine(std::wstring_view text);

    InstallationRunner runInstallation_;
};

}  // namespace wizard
