// The application object and the start-up sequence.
#include "app/install_app.h"

#include "app/global_objects.h"
#include "app/language_table.h"
#include "app/library_startup.h"
#include "res/product_identity.h"
#include "os/registry.h"
#include "os/shell_folders.h"
#include "os/user_interface.h"
#include "os/win_error.h"
#include "res/dialog_templates.h"
#include "res/message_ids.h"
#include "records/journal_wiring.h"
#include "vd/program_path.h"
#include "vd/message_box.h"
#include "vd/security.h"
#include "vd/ui_hooks.h"
#include "vd/ui_hooks_defaults.h"
#include "vd/version_info.h"
#include "vd/win_path.h"

#include <cstring>

namespace {

constexpr std::uint32_t RunningProductBoxType = os::mb::retry_cancel | os::mb::icon_exclamation;  // 0x35

records::journal_ports JournalPorts(const app::SystemPorts& ports) {
    return records::make_journal_ports(ports.files, ports.shell, ports.registry, ports.security, ports.codePage);
}

// SHGetValueW into a 4-byte number: any failure, a value longer than 4 bytes included, gives nothing.
std::optional<std::uint32_t> ReadDword(os::registry& registry, os::registry_handle root, std::wstring_view path,
                                       std::wstring_view name) {
    os::registry_handle key = 0;
    if (registry.open_key(root, path, os::key_access::query_value, key)) return std::nullopt;
    os::unique_key open(registry, key);
    std::uint32_t type = 0;
    std::byte data[4] = {};
    std::uint32_t size = sizeof data;
    if (registry.query_value(key, name, type, data, size)) return std::nullopt;
    std::uint32_t value = 0;
    std::memcpy(&value, data, sizeof value);
    return value;
}

}  // namespace

CInstallApp::CInstallApp(app::SystemPorts ports, vd::ui_hooks& hooks, LanguageState& language,
                         app::InstanceCounter& counter, std::wstring programStem)
    : singleInstance(ports.kernel, app::SingleInstanceName(counter.applicationId()), false, true),
      uninstallLog(JournalPorts(ports)),
      ports_(ports),
      hooks_(hooks),
      productRegistry_(ports.registry, ports.files),
      language_(language),
      counter_(counter),
      applicationName_(std::move(programStem)) {
    hooks_.set_application_name(applicationName_);
    // The program's icon, loaded once, for the wizard frame and the library's boxes.
    icon_ = ports.ui.load_icon(ports.resources.program_module(), res::application_icon);
    hooks_.set_icon([icon = icon_] { return icon; });
}

CInstallApp::~CInstallApp() = default;

void CInstallApp::SetApplicationName() {
    applicationName_ = language_.LoadText(text::application) + L" \u2013 " + std::wstring(product::title);
    hooks_.set_application_name(applicationName_);
}

int CInstallApp::ShowMessage(const std::wstring& text, std::uint32_t type) {
    vd::message_box_services services{ports_.ui,
                                      ports_.systemText,
                                      ports_.resources,
                                      hooks_,
                                      [this] { return language_.ResourceModule(); },
                                      [this] { return language_.IsRightToLeft(language_.DefaultLanguage(0)); }};
    return vd::message_box(services, text, type);
}

void CInstallApp::ChooseLanguage() {
    language_.SetLanguage(language_.DefaultLanguage(ProductLanguageMask));
    const std::wstring uninstallKey = product::uninstall_key();
    if (auto stored = ReadDword(ports_.registry, os::hkey::local_machine, uninstallKey, L"VdLanguage")) {
        const auto index = static_cast<LanguageIndex>(*stored);
        if (IsProductLanguage(index)) language_.SetLanguage(index);
    }
    if (!HasInstallerTexts(language_.CurrentLanguage())) language_.SetLanguage(EnglishLanguage);
}

bool CInstallApp::WaitUntilProductClosed() {
    // This setup program's own unit makes the count 1.
    while (counter_.Count() > 1) {
        const auto message = language_.FormatText(text::close_product, {product::name});
        if (ShowMessage(message, RunningProductBoxType) != os::id::retry) return false;
    }
    return true;
}

bool CInstallApp::FillDefaultFolders() {
    const auto company = std::wstring(product::company_folder);
    const auto productFolder = std::wstring(product::key_name);
    // Only a full path from the shell will do: the two elements alone would name a folder below
    // whatever the current directory is, a download folder for instance.
    const auto shellFolder = [this](int csidl) -> std::optional<std::wstring> {
        std::wstring folder;
        if (!ports_.shell.special_folder_path(0, csidl, false, folder) || !vd::path::is_absolute(folder))
            return std::nullopt;
        return folder;
    };
    if (settings.installFolder.empty()) {
        const auto folder = shellFolder(os::csidl::program_files);
        if (!folder) return false;
        settings.installFolder = vd::path::append(vd::path::append(*folder, company), productFolder);
    }
    if (settings.menuFolder.empty()) {
        auto folder = shellFolder(os::csidl::common_programs);
        if (!folder) folder = shellFolder(os::csidl::programs);
        if (!folder) return false;
        settings.menuFolder = vd::path::append(vd::path::append(*folder, company), productFolder);
    }
    return true;
}

void CInstallApp::DetectPrevious() {
    // An earlier installation gives the outcome, the records and the folders it used.
    detection_ports detection{ports_.registry,
                              ports_.files,
                              ports_.security,
                              productRegistry_,
                              records::version_reader(ports_.files, language_.Lcid()),
                              vd::program_path(ports_.process),
                              product::numeric_version,
                              std::wstring(product::key_name)};
    const auto previous = DetectPreviousInstallation(detection, uninstallLog);
    previousOutcome = previous.state;
    previousTitle = previous.previousTitle;
    previousVersion = previous.previousVersion;
    if (previous.installFolder) settings.installFolder = *previous.installFolder;
    if (previous.menuFolder) settings.menuFolder = *previous.menuFolder;
}

bool CInstallApp::InitInstance() {
    // 1. One setup program at a time.
    if (!singleInstance.TryLock()) {
        vd::message_box_services services{ports_.ui, ports_.systemText, ports_.resources, hooks_, {}, {}};
        vd::show_error(services, static_cast<std::int32_t>(os::errc::busy));
        return false;
    }
    // 3-6. The interface language: the user's, or the one an earlier installation stored.
    ChooseLanguage();
    // 7.
    SetApplicationName();
    // 8.
    if (!vd::security::is_user_admin(ports_.security)) {
        (void)ShowMessage(language_.LoadText(text::administrator_needed), os::mb::icon_exclamation);
        return false;
    }
    // 9. No process of the product may run while its files are replaced.
    if (!WaitUntilProductClosed()) return false;
    // 10.
    DetectPrevious();
    // 11-12.  A default the shell cannot give ends start-up like a known folder at library start-up.
    if (!FillDefaultFolders()) {
        app::ShowInitializationError(ports_.ui);
        exitCode = app::ExitInitializationError;
        return false;
    }
    settings.menuShortcut = true;
    settings.desktopShortcut = true;
    settings.advancedMode = false;
    // 13.
    if (runWizard_) runWizard_(*this);
    return false;
}
