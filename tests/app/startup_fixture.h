// A simulated machine for the start-up: every port of the program as a native double, with a
// directory-backed Windows installation in a fresh temporary folder.
#pragma once

#include "app/system_ports.h"
#include "os/native/code_page_double.h"
#include "os/native/directory_machine.h"
#include "os/native/kernel_objects_double.h"
#include "os/native/locale_double.h"
#include "os/native/process_environment_double.h"
#include "os/native/process_info_double.h"
#include "os/native/registry_double.h"
#include "os/native/resources_double.h"
#include "os/native/security_double.h"
#include "os/native/system_text_double.h"
#include "os/native/user_interface_double.h"
#include "vd/known_folders.h"
#include "vd/ui_hooks.h"

#include <filesystem>
#include <memory>
#include <string>

namespace startup_test {

// A fresh folder under the system's temporary directory, removed at the end.
struct ScratchFolder {
    ScratchFolder();
    ~ScratchFolder();
    std::filesystem::path path;
};

struct SimulatedMachine {
    SimulatedMachine();

    ScratchFolder scratch;
    os::native::directory_machine machine{scratch.path};
    os::native::process_environment_double environment;
    os::native::process_info_double process;
    os::native::scripted_locale locale;
    os::native::code_page_1252 codePage;
    os::native::memory_resources resources;
    os::native::memory_registry registry{machine};
    os::native::kernel_namespace kernelNames;
    os::native::process_kernel_objects kernel{kernelNames, 1};
    os::native::scripted_security security;
    os::native::scripted_ui ui;
    os::native::system_text_table systemText;

    app::SystemPorts ports{environment, process, locale, codePage, resources, registry,
                           machine,     machine, kernel, security, ui,        systemText};
    // What wWinMain owns in the program besides the ports: the known-folder cache and the library's
    // user-interface hooks.
    vd::known_folders knownFolders;
    vd::ui_hooks hooks;

    // Another process of the same machine (a second setup program, the running product).
    std::unique_ptr<os::native::process_kernel_objects> OtherProcess(std::uint32_t id = 2) {
        return std::make_unique<os::native::process_kernel_objects>(kernelNames, id);
    }
    // Stores VdLanguage under the product's uninstall key, as an earlier installation does.
    void StoreLanguage(std::uint32_t type, std::span<const std::byte> data);
    void StoreLanguage(std::uint32_t index);
};

}  // namespace startup_test
