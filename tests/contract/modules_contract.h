// The loadable-modules port's contract: what the system's loader and the double must both answer.
#pragma once

#include "os/modules.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class modules_subject {
public:
    virtual ~modules_subject() = default;
    [[nodiscard]] virtual os::modules& modules() = 0;
    // The full path of a library that exists and exports `export_name()`.
    [[nodiscard]] virtual std::wstring library_path() = 0;
    [[nodiscard]] virtual const char* export_name() = 0;
    // A full path where no library is.
    [[nodiscard]] virtual std::wstring missing_library() = 0;
};

struct modules_factory {
    std::string name;
    std::function<std::unique_ptr<modules_subject>()> make;
};

inline std::string modules_factory_name(const testing::TestParamInfo<modules_factory>& info) { return info.param.name; }

class ModulesContract : public testing::TestWithParam<modules_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    modules_subject& subject() { return *subject_; }
    std::unique_ptr<modules_subject> subject_;
};

}  // namespace contract
