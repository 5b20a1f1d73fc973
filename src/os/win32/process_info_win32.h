// Win32-only: the process-information port over the C run time's _wpgmptr and GetModuleFileNameW.
#pragma once

#include "os/process_info.h"

namespace os::win32 {

class process_info_adapter final : public process_info {
public:
    bool runtime_program_path(std::wstring& path) override;
    std::wstring module_file_name() override;
};

}  // namespace os::win32
