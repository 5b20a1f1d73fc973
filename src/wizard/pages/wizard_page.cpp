// The common part of the wizard's pages.
#include "wizard/pages/wizard_page.h"

#include "app/install_app.h"

namespace wizard {

std::wstring CWizardPage::Text(unsigned id) const { return app_.Language().LoadText(id); }

std::wstring CWizardPage::Format(unsigned id, std::initializer_list<std::wstring_view> inserts) const {
    return app_.Language().FormatText(id, inserts);
}

void CWizardPage::Widen(int id, int dx, int dy) {
    auto& host = Host();
    if (!host.has_control(id)) return;
    auto where = host.control_rect(id);
    where.right += dx;
    where.bottom += dy;
    host.move_control(id, where);
}

void CWizardPage::Move(int id, int dx, int dy) {
    auto& host = Host();
    if (!host.has_control(id)) return;
    host.move_control(id, host.control_rect(id).moved_by(dx, dy));
}

}  // namespace wizard
