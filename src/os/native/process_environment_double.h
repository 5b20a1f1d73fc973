// Native double of the process-environment port: a configurable processor and common controls
// library that records what the start-up asked for.
#pragma once

#include "os/process_environment.h"

namespace os::native {

class process_environment_double final : public process_environment {
public:
    bool processor_feature_present(std::uint32_t feature) override {
        return feature == processor_feature::sse2 ? has_sse2 : false;
    }
    void add_error_mode(std::uint32_t bits) override { error_mode |= bits; }
    std::uint32_t common_controls_major_version() override { return common_controls_version; }
    bool init_common_controls(std::uint32_t structure_size, std::uint32_t classes) override {
        initialised_size = structure_size;
        initialised_classes = classes;
        return init_succeeds;
    }

    bool has_sse2 = true;
    std::uint32_t common_controls_version = 6;
    bool init_succeeds = true;

    std::uint32_t error_mode = 0;
    std::uint32_t initialised_size = 0;
    std::uint32_t initialised_classes = 0;
};

}  // namespace os::native
