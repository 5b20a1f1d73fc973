// The shell-folders port's contract: what the shell and the double must both answer.
#pragma once

#include "os/shell_folders.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class shell_folders_subject {
public:
    virtual ~shell_folders_subject() = default;
    [[nodiscard]] virtual os::shell_folders& shell() = 0;
    [[nodiscard]] virtual bool under_wine() const { return false; }
};

struct shell_folders_factory {
    std::string name;
    std::function<std::unique_ptr<shell_folders_subject>()> make;
};

inline std::string shell_folders_factory_name(const testing::TestParamInfo<shell_folders_factory>& info) {
    return info.param.name;
}

class ShellFoldersContract : public testing::TestWithParam<shell_folders_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    os::shell_folders& shell() { return subject_->shell(); }
    bool under_wine() const { return subject_->under_wine(); }
    std::unique_ptr<shell_folders_subject> subject_;
};

}  // namespace contract
