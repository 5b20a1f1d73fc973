// The end page: the completion text and how to leave.
#include "wizard/pages/end_page.h"

#include "app/install_app.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "wizard/framework/data_exchange.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

CDlgEnd::CDlgEnd(dialog_system& system, CInstallApp& app) : CWizardPage(system, res::dialog::end_page, app) {}

void CDlgEnd::DoDataExchange(data_exchange& exchange) {
    if (exchange.saving() || !App().installSucceeded) return;
    Host().set_text(control::info, Text(text::installation_complete));
}

void CDlgEnd::RefreshTexts() {
    auto& host = Host();
    host.set_text(control::info, L"");
    host.set_text(control::status, Format(text::click_to_exit, {Text(text::exit)}));
}

void CDlgEnd::Resize(int dx, int dy) {
    Widen(control::info, dx, dy);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

}  // namespace wizard
