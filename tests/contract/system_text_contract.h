// The system-text port's contract: what FormatMessageW and the English table must both answer.
#pragma once

#include "os/system_text.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class system_text_subject {
public:
    virtual ~system_text_subject() = default;
    [[nodiscard]] virtual os::system_text& texts() = 0;
    [[nodiscard]] virtual bool under_wine() const { return false; }
};

struct system_text_factory {
    std::string name;
    std::function<std::unique_ptr<system_text_subject>()> make;
};

inline std::string system_text_factory_name(const testing::TestParamInfo<system_text_factory>& info) {
    return info.param.name;
}

class SystemTextContract : public testing::TestWithParam<system_text_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    os::system_text& texts() { return subject_->texts(); }
    bool under_wine() const { return subject_->under_wine(); }
    std::unique_ptr<system_text_subject> subject_;
};

}  // namespace contract
