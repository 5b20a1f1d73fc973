// What every page of the wizard offers its frame: its texts from the localized strings and its
// controls adjusted to the page's final size.
#pragma once

#include "wizard/framework/dialog.h"

class CInstallApp;

namespace wizard {

class CWizardPage : public CDialog {
public:
    CWizardPage(dialog_system& system, std::uint16_t templateId, CInstallApp& app)
        : CDialog(system, templateId), app_(app) {}

    // Sets every caption of the page from the current language.
    virtual void RefreshTexts() = 0;
    // The frame has given the page its final rectangle, `dx` wider and `dy` taller than its template.
    virtual void Resize(int dx, int dy) = 0;

protected:
    [[nodiscard]] CInstallApp& App() const noexcept { return app_; }
    // The text of a message in the current language.
    [[nodiscard]] std::wstring Text(unsigned id) const;
    // A message formatted with its inserts %1, %2 in the current language.
    [[nodiscard]] std::wstring Format(unsigned id, std::initializer_list<std::wstring_view> inserts) const;

    // Resize helpers: a control widened, lengthened or moved by some pixels.
    void Widen(int id, int dx, int dy = 0);
    void Move(int id, int dx, int dy);

private:
    CInstallApp& app_;
};

}  // namespace wizard
