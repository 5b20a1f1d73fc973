// The progress page behind the installation's progress surface (see install_runner.h).
#include "wizard/install_runner.h"

#include "install/install_sequence.h"
#include "install/progress_surface.h"

namespace wizard {

namespace {

class page_surface final : public install::progress_surface {
public:
    page_surface(CDlgInstall& page, const InstallationHooks& hooks) : page_(page), hooks_(hooks) {}

    void AppendLog(std::wstring_view text, bool heading) override { page_.AppendLog(text, heading); }
    void SetStatus(std::wstring_view text) override { page_.SetStatus(text); }
    void SetPathStatus(std::wstring_view text) override { page_.SetPathStatus(text); }
    void ShowProgress(bool visible) override { page_.ShowProgress(visible); }
    void SetProgress(int percent) override { page_.SetProgress(percent); }
    void PumpMessages() override {
        if (hooks_.pumpMessages) hooks_.pumpMessages();
    }
    void ShowWaitCursor(bool shown) override {
        if (hooks_.waitCursor) hooks_.waitCursor(shown);
    }
    os::window_handle OwnerWindow() override { return page_.Host().window(); }

private:
    CDlgInstall& page_;
    const InstallationHooks& hooks_;
};

}  // namespace

InstallationRunner SequenceRunner(CInstallApp& app, const install::install_ports& ports, InstallationHooks hooks) {
    return [&app, &ports, hooks = std::move(hooks)](CDlgInstall& page) {
        page_surface surface(page, hooks);
        return install::DoInstall(app, ports, surface, {page.mainProgramPath, page.uninstallerPath});
    };
}

}  // namespace wizard
