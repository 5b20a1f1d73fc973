// The simulated machine of the start-up tests.
#include "startup_fixture.h"

#include "vd/program_path.h"
#include "vd/ui_hooks_defaults.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace startup_test {

ScratchFolder::ScratchFolder() {
    std::random_device random;
    path = std::filesystem::temp_directory_path() / ("lignotek-startup-" + std::to_string(random()));
    std::filesystem::create_directories(path);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

SimulatedMachine::SimulatedMachine() {
    resources.add_program_strings();
    // The library's default hooks, as the program installs them before the application object.
    vd::install_default_ui_hooks(hooks, ui);
    hooks.set_title_sources({}, [this] { return vd::program_stem(process); });
    process.module_path = L"C:\\Downloads\\LignotekSetup.exe";
}

void SimulatedMachine::StoreLanguage(std::uint32_t type, std::span<const std::byte> data) {
    os::registry_handle key = 0;
    bool existed = false;
    ASSERT_FALSE(registry.create_key(os::hkey::local_machine,
                                     L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lignotek 7",
                                     os::key_access::all_access, key, existed));
    os::unique_key open(registry, key);
    ASSERT_FALSE(registry.set_value(key, L"VdLanguage", type, data));
}

void SimulatedMachine::StoreLanguage(std::uint32_t index) {
    std::byte data[4];
    std::memcpy(data, &index, sizeof data);
    StoreLanguage(os::reg_type::dword, data);
}

}  // namespace startup_test
