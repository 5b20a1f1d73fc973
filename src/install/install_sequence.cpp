// The installation sequence (see install_sequence.h).
#include "install/install_sequence.h"

#include "app/install_app.h"
#include "install/directx_setup.h"
#include "install/extraction_handler.h"
#include "install/journal_adapter.h"
#include "install/registration.h"
#include "install/shortcuts.h"
#include "install/temporary_files.h"
#include "install/uninstall_entry.h"
#include "os/file_system.h"
#include "payload/extract_payload.h"
#include "payload/extraction_journal.h"
#include "payload/payload_stream.h"
#include "payload/placement.h"
#include "payload/temporary_folder.h"
#include "res/message_ids.h"
#include "res/product_identity.h"
#include "vd/link_check.h"
#include "vd/security.h"
#include "vd/win_path.h"

#include <cwchar>
#include <memory>
#include <sstream>

namespace install {

namespace {

constexpr std::size_t path_buffer = vd::path::max_path;

class wait_cursor {
public:
    explicit wait_cursor(progress_surface& surface) : surface_(surface) { surface_.ShowWaitCursor(true); }
    ~wait_cursor() { surface_.ShowWaitCursor(false); }
    wait_cursor(const wait_cursor&) = delete;
    wait_cursor& operator=(const wait_cursor&) = delete;

private:
    progress_surface& surface_;
};

class sequence {
public:
    sequence(CInstallApp& app, const install_ports& ports, progress_surface& surface, installed_programs programs)
        : app_(app),
          ports_(ports),
          surface_(surface),
          programs_(programs),
          language_(app.Language()),
          files_(app.Ports().files) {}

    bool Run() {
        programs_.mainProgramPath.clear();
        programs_.uninstallerPath.clear();
        surface_.AppendLog(L"", true);
        const wait_cursor cursor(surface_);
        surface_.SetStatus(language_.LoadText(text::preparing));

        const auto folder = payload::make_temporary_folder_path(files_);
        if (!folder.ok) {
            const std::wstring failure = language_.FormatText(text::installation_failed, {folder.error_text});
            surface_.SetStatus(failure);
            surface_.AppendLog(failure + L"\r\n");
            return false;
        }
        // The work folder is made new, for administrators only: the backups, the hive backup and the
        // DirectX files checked and then run from it cannot be swapped by an ordinary user.
        if (auto ec = payload::create_work_folder(files_, folder.temp_folder)) {
            wchar_t code[40];
            std::swprintf(code, 40, L"%08x (%ls)", static_cast<unsigned>(ec.value()), L"CreateDirectory");
            const std::wstring failure = language_.FormatText(text::installation_failed, {code});
            surface_.SetStatus(failure);
            surface_.AppendLog(failure + L"\r\n");
            return false;
        }
        app_.settings.tempFolder = folder.temp_folder;
        app_.uninstallLog.UseBackupFolder(folder.temp_folder);
        temporary_files temporaries(files_, folder.temp_folder);  // cleaned up on every way out
        surface_.SetProgress(0);
        surface_.ShowProgress(true);
        if (!Extract(temporaries)) {
            // What could not be put back is named with the backup that still holds it.
            for (const auto& kept : app_.uninstallLog.Rollback())
                surface_.AppendLog(vd::path::quote_spaces(kept.path) + L" (" + kept.backupPath + L") " +
                                   language_.LoadText(text::step_failed) + L"\r\n");
            return false;
        }
        MakeReadOnly(programs_.mainProgramPath);
        MakeReadOnly(programs_.uninstallerPath);
        Shortcuts();
        DirectX();
        Registry();
        InstallationData();
        surface_.SetStatus(language_.FormatText(text::click_to_continue, {language_.LoadText(text::next)}));
        return true;
    }

private:
    bool Extract(temporary_files& temporaries) {
        os::module_handle module = 0;
        std::unique_ptr<std::istream> stream = payload::open_payload_stream(app_.Ports().resources, module);
        // A program without its payload fails in the check pass, as a truncated one does.
        if (!stream) stream = std::make_unique<std::istringstream>(std::string());

        const auto owner = static_cast<os::shell_owner>(surface_.OwnerWindow());
        auto& security = app_.Ports().security;
        payload::payload_ports payloadPorts{
            files_,
            app_.Ports().shell,
            [this, &security](std::wstring_view path, std::uint32_t mask, std::uint8_t flags) {
                // A link or a second name would carry the Users' rights on to what it stands for.
                if (vd::refuse_linked_item(files_, path)) return false;
                return vd::security::grant_users_access(security, path, mask, flags);
            },
            {},
            owner};
        uninstall_log_journal journal(app_.uninstallLog);
        extraction_context context{surface_,
                                   language_,
                                   files_,
                                   app_.uninstallLog,
                                   journal,
                                   app_.previousOutcome,
                                   *stream,
                                   [&payloadPorts](std::wstring_view path) {
                                       return payloadPorts.grant_users_access(path, payload::shared_file_mask, 0);
                                   },
                                   programs_.mainProgramPath,
                                   programs_.uninstallerPath};
        auto journaled = payload::journaled_callback(journal, temporaries.paths(), extraction_handler(context));
        const payload::notification_callback callback = [this, &journaled](payload::notification n) {
            const auto answer = journaled(std::move(n));
            surface_.PumpMessages();
            return answer;
        };
        const payload::destination_inputs inputs{app_.settings.installFolder,
                                                 language_.FormatText(text::examples_name, {product::name}),
                                                 app_.settings.tempFolder};
        return payload::extract_payload(*stream, payloadPorts, inputs, callback);
    }

    void MakeReadOnly(const std::wstring& path) {
        if (path.empty()) return;
        std::uint32_t attributes = 0;
        if (!files_.get_attributes(path, attributes))
            (void)files_.set_attributes(path, attributes | os::file_attribute::readonly);
    }

    void Outcome(bool ok) { surface_.AppendLog(language_.LoadText(ok ? text::step_ok : text::step_failed) + L"\r\n"); }

    void Step(unsigned message) {
        const std::wstring status = language_.LoadText(message);
        surface_.SetStatus(status);
        surface_.AppendLog(status);
    }

    void Shortcuts() {
        const auto& settings = app_.settings;
        if (!settings.menuShortcut && !settings.desktopShortcut) return;
        Step(text::creating_shortcuts);
        const shortcut_request request{settings.menuShortcut,
                                       settings.desktopShortcut,
                                       settings.menuFolder,
                                       programs_.mainProgramPath,
                                       programs_.uninstallerPath,
                                       std::wstring(product::title),
                                       language_.FormatText(text::uninstall_name, {product::name})};
        Outcome(create_shortcuts(ports_.links, app_.Ports().shell, static_cast<os::shell_owner>(surface_.OwnerWindow()),
                                 app_.uninstallLog, request));
    }

    void DirectX() {
        directx_setup setup(ports_.modules, app_.settings.tempFolder);
        if (!setup.usable() || !directx_update_wanted(app_.previousOutcome, app_.uninstallLog.previousRecords()))
            return;
        app_.uninstallLog.RecordDirectXUpdate();
        const std::wstring status = language_.LoadText(text::updating_directx);
        surface_.SetStatus(status);
        surface_.AppendLog(status);
        const bool ok = setup.run(surface_.OwnerWindow(), [this] { surface_.PumpMessages(); });
        app_.uninstallLog.CompleteLast(ok, status);
        Outcome(ok);
    }

    void Registry() {
        Step(text::writing_registry);
        auto& registry = app_.Ports().registry;
        bool registryOk =
            write_uninstall_entry(registry, app_.uninstallLog, programs_.mainProgramPath, programs_.uninstallerPath,
                                  static_cast<std::uint32_t>(language_.CurrentLanguage()));
        // The product path is read back by every later run: a failure to write it fails the line too.
        if (write_product_path(registry, programs_.mainProgramPath)) registryOk = false;
        const registration_inputs registration{ports_.processes, app_.uninstallLog, app_.singleInstance,
                                               [this](bool shown) { surface_.ShowWaitCursor(shown); },
                                               ports_.associations_changed};
        Outcome(run_registration(registration, programs_.mainProgramPath, app_.previousVersion, registryOk));
    }

    void InstallationData() {
        Step(text::writing_records);
        bool ok = false;
        const std::wstring& uninstaller = programs_.uninstallerPath;
        if (!uninstaller.empty() && uninstaller.size() < path_buffer) {
            const std::wstring folder = vd::path::remove_file_spec(uninstaller);
            const std::wstring logPath = folder.empty() ? std::wstring() : vd::path::append(folder, L"Uninstall.ulog");
            if (!logPath.empty() && logPath.size() < path_buffer)
                ok = app_.uninstallLog.Write(logPath, app_.settings.installFolder, app_.settings.menuFolder);
        }
        Outcome(ok);
    }

    CInstallApp& app_;
    const install_ports& ports_;
    progress_surface& surface_;
    installed_programs programs_;
    LanguageState& language_;
    os::file_system& files_;
};

}  // namespace

bool DoInstall(CInstallApp& app, const install_ports& ports, progress_surface& surface, installed_programs programs) {
    return sequence(app, ports, surface, programs).Run();
}

}  // namespace install
