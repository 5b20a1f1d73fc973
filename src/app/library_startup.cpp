// The library's start-up.
#include "app/library_startup.h"

#include "os/locale.h"
#include "os/process_environment.h"
#include "os/user_interface.h"
#include "vd/known_folders.h"
#include "vd/program_path.h"
#include "vd/version_info.h"

#include <exception>

namespace app {

namespace {

constexpr std::wstring_view IncompatibleProcessorText =
    L"This Version is not compatible with your Configuration.\n\n"
    L"Cette version n'est pas compatible avec votre configuration.\n\n"
    L"Diese Version ist nicht mit Ihrer Konfiguration kompatibel.";

constexpr std::uint32_t CommonControlsClasses = 0xC0FF;
constexpr std::uint32_t InitCommonControlsExSize = 8;

}  // namespace

void ShowInitializationError(os::user_interface& ui) {
    // No owner and no caption: the system's default caption.
    (void)ui.message_box(os::window_handle::none, L"Initialization Error", std::nullopt,
                         os::mb::set_foreground | os::mb::task_modal | os::mb::icon_hand);
}

bool CheckProcessor(const SystemPorts& ports) {
    if (ports.environment.processor_feature_present(os::processor_feature::sse2)) return true;
    (void)ports.ui.message_box(os::window_handle::none, IncompatibleProcessorText, std::nullopt, os::mb::icon_hand);
    return false;
}

bool StartLibrary(const SystemPorts& ports) {
    ports.environment.add_error_mode(os::error_mode::fail_critical_errors | os::error_mode::no_open_file_error_box);
    const auto name = ports.locale.locale_name(ports.locale.user_default_lcid());
    if (name && !ports.locale.set_global_locale(*name)) return true;
    ShowInitializationError(ports.ui);
    return false;
}

bool StartApplicationLibrary(const SystemPorts& ports, vd::known_folders& folders) {
    try {
        (void)folders.documents(ports.shell);
        (void)folders.common_company(ports.shell);
        (void)folders.user_company(ports.shell);
        if (ports.environment.common_controls_major_version() >= 6 &&
            ports.environment.init_common_controls(InitCommonControlsExSize, CommonControlsClasses))
            return true;
    } catch (const std::exception&) {
        // A known folder that cannot be resolved ends the start-up like the other failures.
    }
    ShowInitializationError(ports.ui);
    return false;
}

std::wstring DetermineApplicationId(const SystemPorts& ports) {
    const vd::version_info own(ports.resources);
    if (auto id = own.string_value(L"ApplicationId"); !id.empty()) return id;
    if (auto name = own.product_name(); !name.empty()) return name;
    return vd::program_stem(ports.process);
}

std::optional<int> RunLibraryStartup(const SystemPorts& ports, vd::known_folders& folders) {
    if (!CheckProcessor(ports)) return ExitNoSse2;
    if (!StartLibrary(ports)) return ExitInitializationError;
    if (!StartApplicationLibrary(ports, folders)) return ExitInitializationError;
    return std::nullopt;
}

}  // namespace app
