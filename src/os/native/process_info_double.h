// Native double of the process-information port: the paths a test says the program has.
#pragma once

#include <optional>
#include <string>

#include "os/process_info.h"

namespace os::native {

class process_info_double final : public process_info {
public:
    std::optional<std::wstring> runtime_path;  // nothing: the run time holds no wide path
    std::wstring module_path = L"C:\\Program Files\\Lignotek\\LignotekSetup.exe";
    int module_calls = 0;

    bool runtime_program_path(std::wstring& path) override {
        if (!runtime_path) return false;
        path = *runtime_path;
        return true;
    }
    // Like GetModuleFileNameW with 260 characters: longer paths are cut to 259 and a NUL.
    std::wstring module_file_name() override {
        ++module_calls;
        return module_path.substr(0, 259);
    }
};

}  // namespace os::native
