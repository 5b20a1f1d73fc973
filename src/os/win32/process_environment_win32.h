// Win32-only: the process-environment port over the system.
#pragma once

#include "os/process_environment.h"

namespace os::win32 {

class process_environment_adapter final : public process_environment {
public:
    bool processor_feature_present(std::uint32_t feature) override;
    void add_error_mode(std::uint32_t bits) override;
    std::uint32_t common_controls_major_version() override;
    bool init_common_controls(std::uint32_t structure_size, std::uint32_t classes) override;
};

}  // namespace os::win32
