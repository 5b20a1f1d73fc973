// Win32-only: Lignotek.exe, the sample product's main program.  It counts itself in the product's
// instance counter while it runs (so that the setup program waits for it), shows its window, and
// registers its file association when the setup program starts it with " /Register /Background".
#include "app/instance_counter.h"
#include "common/file_association.h"
#include "main_program/command_line.h"
#include "main_program/win32/main_window.h"
#include "os/registry.h"
#include "os/win32/kernel_objects_win32.h"
#include "os/win32/process_info_win32.h"
#include "os/win32/resources_win32.h"
#include "res/product_identity.h"
#include "vd/program_path.h"
#include "vd/version_info.h"
#include "os/win32/registry_win32.h"

#include <windows.h>

namespace {

std::wstring running_program() {
    os::win32::process_info_adapter process;
    return vd::program_path(process);
}

// The exit codes of a registration run: the setup program counts only -10 as success.
constexpr int registered = -10;
constexpr int registration_failed = 1;
constexpr int bad_command_line = 2;

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
    os::win32::resources_adapter resources;
    const vd::version_info version(resources);
    os::win32::kernel_objects_adapter kernel;
    std::wstring applicationId = version.string_value(L"ApplicationId");
    if (applicationId.empty()) applicationId = product::application_id;
    app::InstanceCounter counter(kernel, applicationId);
    counter.Start();

    const auto command = sample::parse_main_command(arguments ? arguments : L"");
    if (!command) return bad_command_line;

    if (command->what == sample::main_command::action::register_background) {
        const std::wstring program = running_program();
        if (program.empty()) return registration_failed;
        const auto registry = os::win32::make_system_registry();
        return sample::register_file_association(*registry, program) ? registration_failed : registered;
    }

    const std::wstring title = version.product_name() + L" " + version.product_version();
    const std::wstring text = command->document.empty() ? L"Lignotek is the sample product of the setup program."
                                                        : L"Document: " + command->document;
    return sample::run_main_window(instance, show, title, text);
}
