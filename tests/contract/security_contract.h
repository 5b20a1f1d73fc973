// The security port's contract: what the Win32 adapter and the scripted double must both answer, on
// scratch files and folders that each subject makes for the test.
#pragma once

#include "os/security.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class security_subject {
public:
    virtual ~security_subject() = default;
    [[nodiscard]] virtual os::security& security() = 0;
    // A new, empty file and a new folder in a scratch folder of the subject's own; both go when the
    // subject does.
    [[nodiscard]] virtual std::wstring make_file() = 0;
    [[nodiscard]] virtual std::wstring make_folder() = 0;
    // A path in the scratch folder where nothing is.
    [[nodiscard]] virtual std::wstring missing_path() = 0;
    [[nodiscard]] virtual bool is_wine() const { return false; }
};

struct security_factory {
    std::string name;
    std::function<std::unique_ptr<security_subject>()> make;
};

inline std::string security_factory_name(const testing::TestParamInfo<security_factory>& info) {
    return info.param.name;
}

class SecurityContract : public testing::TestWithParam<security_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    os::security& security() { return subject_->security(); }
    std::unique_ptr<security_subject> subject_;
};

}  // namespace contract
