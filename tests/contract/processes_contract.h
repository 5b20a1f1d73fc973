// The processes port's contract: what the system and the double must both answer.
#pragma once

#include "os/processes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class processes_subject {
public:
    virtual ~processes_subject() = default;
    [[nodiscard]] virtual os::processes& processes() = 0;
    // A command line whose program ends at once with `code`.
    [[nodiscard]] virtual std::wstring command_exiting_with(std::uint32_t code) = 0;
    // A command line whose program does not exist.
    [[nodiscard]] virtual std::wstring missing_program() = 0;
    // An existing folder to start programs in.
    [[nodiscard]] virtual std::wstring working_folder() = 0;
};

struct processes_factory {
    std::string name;
    std::function<std::unique_ptr<processes_subject>()> make;
};

inline std::string processes_factory_name(const testing::TestParamInfo<processes_factory>& info) {
    return info.param.name;
}

class ProcessesContract : public testing::TestWithParam<processes_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    processes_subject& subject() { return *subject_; }
    std::unique_ptr<processes_subject> subject_;
};

}  // namespace contract
