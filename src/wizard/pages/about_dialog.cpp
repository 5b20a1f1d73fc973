// The About box: its title, the program's product title and copyright from its version resource.
#include "wizard/pages/about_dialog.h"

#include "app/install_app.h"
#include "os/resources.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "vd/format_message.h"
#include "vd/version_info.h"
#include "wizard/pages/page_controls.h"

namespace wizard {

CAboutDlg::CAboutDlg(dialog_system& system, CInstallApp& app) : CDialog(system, res::dialog::about), app_(app) {}

bool CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    auto& host = Host();
    auto& language = app_.Language();
    std::wstring pattern = language.LoadText(text::about_title);
    if (pattern.empty()) pattern = host.title();
    const std::wstring application = language.LoadText(text::application);
    const std::wstring_view inserts[] = {application};
    if (auto title = vd::format_message(pattern, inserts); title.error == 0) host.set_title(title.text);
    const vd::version_info version(app_.Ports().resources);
    if (const auto title = version.product_title(language.Lcid()); !title.empty())
        host.set_text(control::about_title, title);
    if (const auto copyright = version.legal_copyright(); !copyright.empty())
        host.set_text(control::about_copyright, copyright);
    host.set_text(control::next, language.LoadText(text::ok));
    return true;
}

}  // namespace wizard
