// The DirectX runtime update (see directx_setup.h).
#include "install/directx_setup.h"

#include "install/directx_setup_api.h"
#include "vd/win_path.h"

#include <vector>

namespace install {

namespace {

// The setup API's callback carries no context of the caller's: the pump of the run in progress is
// reachable for the length of that run only, on its thread.
thread_local const std::function<void()>* running_pump = nullptr;

class pump_scope {
public:
    explicit pump_scope(const std::function<void()>& pump) : previous_(running_pump) { running_pump = &pump; }
    ~pump_scope() { running_pump = previous_; }
    pump_scope(const pump_scope&) = delete;
    pump_scope& operator=(const pump_scope&) = delete;

private:
    const std::function<void()>* previous_;
};

constexpr std::uint32_t id_ok = 1;

std::uint32_t LIGNOTEK_DSETUP_CALL directx_progress_callback(std::uint32_t reason, std::uint32_t, char*, char*, void*) {
    if (reason == dsetup::progress_reason && running_pump != nullptr && *running_pump) (*running_pump)();
    return id_ok;  // the library never waits for the user
}

template <class Function>
Function lookup(os::modules& modules, os::library_handle module, const char* name) {
    return reinterpret_cast<Function>(modules.symbol(module, name));
}

}  // namespace

bool directx_update_wanted(PreviousInstallState previousOutcome, const RecordList& previousRecords) {
    if (previousOutcome == PreviousInstallState::Same) return true;
    for (const LogRecord& r : previousRecords)
        if (r.kind == RecordKind::DirectXUpdate && r.flag) return false;
    return true;
}

directx_setup::directx_setup(os::modules& modules, std::wstring folder)
    : modules_(modules), folder_(std::move(folder)) {
    os::library_handle handle = 0;
    // Its companion lies beside it; everything else it needs comes from System32.
    if (modules_.load(vd::path::append(folder_, L"DSetup.dll"), os::library_search::own_folder_and_system32, handle))
        return;
    os::unique_library library(modules_, handle);
    const auto get_version = lookup<dsetup::get_version_function>(modules_, library.get(), dsetup::get_version_name);
    if (!get_version) return;
    std::uint32_t version = 0, revision = 0;
    if (get_version(&version, &revision) != 0 && version >= dsetup::minimum_version &&
        revision >= dsetup::minimum_revision)
        module_ = std::move(library);
}

bool directx_setup::run(os::window_handle owner, std::function<void()> pump) {
    if (!usable()) return false;
    const auto set_callback = lookup<dsetup::set_callback_function>(modules_, module_.get(), dsetup::set_callback_name);
    const auto setup = lookup<dsetup::setup_function>(modules_, module_.get(), dsetup::setup_name);
    if (!set_callback || !setup) return false;
    const pump_scope scope(pump);
    (void)set_callback(&directx_progress_callback);
    std::vector<wchar_t> source(folder_.begin(), folder_.end());
    source.push_back(L'\0');
    const std::int32_t result =
        setup(reinterpret_cast<void*>(static_cast<std::uintptr_t>(owner)), source.data(), dsetup::directx_components);
    return result == dsetup::success || result == dsetup::success_restart;
}

}  // namespace install
