// The shell-links port's contract: what the shell's link object and the double must both answer.
#pragma once

#include "os/file_system.h"
#include "os/shell_links.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class shell_links_subject {
public:
    virtual ~shell_links_subject() = default;
    [[nodiscard]] virtual os::shell_links& links() = 0;
    // The file system the links are saved to, and an empty scratch folder in it.
    [[nodiscard]] virtual os::file_system& files() = 0;
    [[nodiscard]] virtual std::wstring scratch() const = 0;
};

struct shell_links_factory {
    std::string name;
    std::function<std::unique_ptr<shell_links_subject>()> make;
};

inline std::string shell_links_factory_name(const testing::TestParamInfo<shell_links_factory>& info) {
    return info.param.name;
}

class ShellLinksContract : public testing::TestWithParam<shell_links_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    shell_links_subject& subject() { return *subject_; }
    std::unique_ptr<shell_links_subject> subject_;
};

}  // namespace contract
