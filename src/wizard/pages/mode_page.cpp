// The mode page: the radio group that chooses quick or advanced installation.
#include "wizard/pages/mode_page.h"

#include "app/install_app.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "wizard/framework/data_exchange.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

CDlgMode::CDlgMode(dialog_system& system, CInstallApp& app) : CWizardPage(system, res::dialog::mode_page, app) {}

void CDlgMode::DoDataExchange(data_exchange& exchange) {
    auto& settings = App().settings;
    if (!exchange.saving()) methodIndex = settings.advancedMode ? 1 : 0;
    exchange.radio(control::quick_mode, methodIndex);
    if (exchange.saving()) settings.advancedMode = methodIndex == 1;
}

void CDlgMode::RefreshTexts() {
    auto& host = Host();
    host.set_text(control::mode_group, Text(text::installation_method));
    host.set_text(control::quick_mode, Text(text::quick_installation));
    host.set_text(control::advanced_mode, Text(text::advanced_installation));
    host.set_text(control::status, Format(text::click_to_continue, {Text(text::next)}));
}

void CDlgMode::Resize(int dx, int dy) {
    Widen(control::mode_group, dx);
    Widen(control::quick_mode, dx);
    Widen(control::advanced_mode, dx);
    Widen(control::status, dx);
    Move(control::status, 0, dy);
}

}  // namespace wizard
