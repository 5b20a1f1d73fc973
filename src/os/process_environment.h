// The process-environment port: what the library start-up asks of the system before anything else
// runs — the processor's features, the process error mode and the common controls library.
#pragma once

#include <cstdint>

namespace os {

namespace processor_feature {
inline constexpr std::uint32_t sse2 = 10;  // PF_XMMI64_INSTRUCTIONS_AVAILABLE
}

namespace error_mode {
inline constexpr std::uint32_t fail_critical_errors = 0x0001;    // SEM_FAILCRITICALERRORS
inline constexpr std::uint32_t no_open_file_error_box = 0x8000;  // SEM_NOOPENFILEERRORBOX
}  // namespace error_mode

class process_environment {
public:
    virtual ~process_environment() = default;

    // IsProcessorFeaturePresent.
    [[nodiscard]] virtual bool processor_feature_present(std::uint32_t feature) = 0;
    // SetErrorMode(GetErrorMode() | bits).
    virtual void add_error_mode(std::uint32_t bits) = 0;
    // The major version of the common controls library in use (DllGetVersion of comctl32); 0 when
    // it cannot be told.
    [[nodiscard]] virtual std::uint32_t common_controls_major_version() = 0;
    // InitCommonControlsEx with the structure size and ICC_* classes given.
    [[nodiscard]] virtual bool init_common_controls(std::uint32_t structure_size, std::uint32_t classes) = 0;
};

}  // namespace os
