// The dialog base: the framework's default handlers and the data-exchange trigger.
#include "wizard/framework/dialog.h"

#include "wizard/framework/data_exchange.h"

#include <stdexcept>

namespace wizard {

CDialog::~CDialog() = default;

int CDialog::DoModal(os::window_handle owner) { return system_.run_modal(*this, owner); }

bool CDialog::Create(CDialog& parent) { return system_.create_child(*this, parent); }

dialog_host& CDialog::Host() const {
    if (!host_) throw std::logic_error("the dialog has no window");
    return *host_;
}

bool CDialog::UpdateData(bool save) {
    data_exchange exchange(*this, save);
    try {
        DoDataExchange(exchange);
    } catch (const validation_failed&) {
        return false;
    }
    return true;
}

void CDialog::EndDialog(int result) {
    if (host_) host_->end_dialog(result);
}

bool CDialog::OnInitDialog() {
    UpdateData(false);
    return true;
}

void CDialog::OnOK() {
    if (UpdateData(true)) EndDialog(id_ok);
}

void CDialog::OnCancel() { EndDialog(id_cancel); }

void CDialog::DoDataExchange(data_exchange&) {}

bool CDialog::OnCommand(int, int) { return false; }

bool CDialog::OnSysCommand(unsigned) { return false; }

void CDialog::OnGetMinMaxInfo(min_max_info&) {}

void CDialog::OnInitMenuPopup(bool) {}

void CDialog::DispatchCommand(int id, int notification) {
    if (OnCommand(id, notification)) return;
    // Buttons and accelerators: IDOK and IDCANCEL arrive with BN_CLICKED (or 0 from the keyboard).
    if (notification != notify::clicked) return;
    if (id == id_ok)
        OnOK();
    else if (id == id_cancel)
        OnCancel();
}

}  // namespace wizard
