// The installation over a simulated machine: the application object after start-up, a payload
// built in memory as the program's resource, a progress surface that keeps what it is shown, and
// scripted processes, libraries and links.
#pragma once

#include "app/install_app.h"
#include "app/language_table.h"
#include "app/startup_fixture.h"
#include "install/directx_setup_api.h"
#include "install/install_sequence.h"
#include "os/native/modules_double.h"
#include "os/native/processes_double.h"
#include "os/native/shell_links_double.h"
#include "payload/payload_stream.h"
#include "res/product_identity.h"
#include "payload/payload_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace install_test {

// Keeps the log, the status lines and the progress positions.
class recording_surface final : public install::progress_surface {
public:
    void AppendLog(std::wstring_view text, bool heading) override {
        log += heading || text.empty() ? L"----" + std::wstring(text) + L"----\r\n" : std::wstring(text);
    }
    void SetStatus(std::wstring_view text) override { Status(text); }
    void SetPathStatus(std::wstring_view text) override { Status(text); }
    void ShowProgress(bool visible) override { progressShown = visible; }
    void SetProgress(int percent) override { progress.push_back(percent); }
    void PumpMessages() override { ++pumps; }
    void ShowWaitCursor(bool shown) override { waitCursor += shown ? 1 : -1; }
    os::window_handle OwnerWindow() override { return os::window_handle{0x1234}; }

    // The log's lines without their line breaks.
    [[nodiscard]] std::vector<std::wstring> Lines() const {
        std::vector<std::wstring> lines;
        for (std::size_t start = 0, end; (end = log.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
            lines.push_back(log.substr(start, end - start));
        return lines;
    }
    [[nodiscard]] std::wstring LastStatus() const { return statuses.empty() ? L"" : statuses.back(); }

    std::wstring log;
    std::vector<std::wstring> statuses;
    std::vector<int> progress;
    bool progressShown = false;
    int pumps = 0;
    int waitCursor = 0;
    std::function<void(std::wstring_view)> onStatus;

private:
    void Status(std::wstring_view text) {
        statuses.emplace_back(text);
        if (onStatus) onStatus(text);
    }
};

inline const std::wstring install_folder = L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7";
inline const std::wstring shared_file = L"C:\\ProgramData\\Vendrel & Vodoraru\\Materials\\Oak.mat";

// The sample product's payload in small: one file of every kind.
inline std::vector<payload_test::file_spec> sample_payload() {
    return {{L"<InstallPath>", L"Lignotek.exe", 1, "main program"},
            {L"<InstallPath>", L"Uninstall.exe", 2, "uninstaller"},
            {L"<InstallPath>\\Lang", L"LignotekDEU.dll", 0, "german"},
            {L"<CommonData>\\Vendrel & Vodoraru\\Materials", L"Oak.mat", 3, "oak"},
            {L"<InstallPath>\\Samples", L"Chair.lig", 4, "chair"},
            {L"<Temporary>", L"DSetup.dll", 5, "dsetup"}};
}

class Installation : public ::testing::Test {
protected:
    Installation() {
        language.SetLanguage(EnglishLanguage);
        application.SetApplicationName();
        (void)application.singleInstance.TryLock();
        // Every Windows has the list of installed programs.
        os::registry_handle uninstall = 0;
        bool existed = false;
        if (!m.registry.create_key(os::hkey::local_machine, product::uninstall_root, os::key_access::all_access,
                                   uninstall, existed))
            m.registry.close_key(uninstall);
        application.settings.installFolder = install_folder;
        application.settings.menuFolder =
            L"C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Vendrel & Vodoraru";
        processes.script([this](const os::process_start& start) -> std::optional<std::uint32_t> {
            mutexHeldDuringRun = application.singleInstance.owned();
            (void)start;
            return exitCode;
        });
    }

    void UsePayload(const std::vector<payload_test::file_spec>& files) {
        UsePayloadBytes(payload_test::archive(files));
    }
    void UsePayloadBytes(std::string bytes) {
        payloadBytes = std::move(bytes);
        m.resources.add(m.resources.program_module(), 260, payload::payload_resource_id,
                        std::span(reinterpret_cast<const std::byte*>(payloadBytes.data()), payloadBytes.size()));
    }

    bool Install() {
        const install::install_ports ports{processes, modules, links, [this] { ++associationNotices; }};
        return install::DoInstall(application, ports, surface, {mainProgramPath, uninstallerPath});
    }

    bool Exists(const std::wstring& path) {
        std::uint32_t attributes = 0;
        return !m.machine.get_attributes(path, attributes);
    }
    std::string Content(const std::wstring& path) {
        const auto host = m.machine.host_path(path);
        if (!host || !std::filesystem::is_regular_file(*host)) return "<missing>";
        std::ifstream in(*host, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Put(const std::wstring& path, std::string_view text) {
        const auto slash = path.find_last_of(L'\\');
        for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos && at <= slash;
             at = path.find(L'\\', at + 1))
            (void)m.machine.create_directory(path.substr(0, at));
        std::unique_ptr<os::file> f;
        ASSERT_FALSE(m.machine.open(path, os::file_access::write, os::file_disposition::create_always, 0, f));
        ASSERT_FALSE(f->write(payload_test::to_bytes(text)));
        ASSERT_FALSE(f->close());
    }
    std::wstring Text(unsigned id) { return language.LoadText(id); }

    startup_test::SimulatedMachine m;
    LanguageState language{m.locale, m.resources};
    app::InstanceCounter counter{m.kernel, L"Lignotek7"};
    CInstallApp application{m.ports, m.hooks, language, counter, L"LignotekSetup"};
    os::native::scripted_processes processes;
    os::native::module_table modules;
    os::native::file_links links{m.machine};
    recording_surface surface;
    std::string payloadBytes;
    std::wstring mainProgramPath, uninstallerPath;
    std::uint32_t exitCode = 0xFFFFFFF6u;
    bool mutexHeldDuringRun = true;
    int associationNotices = 0;
};

}  // namespace install_test
