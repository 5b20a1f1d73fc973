// The locale port's contract: what the NLS functions and the scripted locale must both answer for
// the locales the program meets.
#pragma once

#include "os/locale.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class locale_subject {
public:
    virtual ~locale_subject() = default;
    [[nodiscard]] virtual os::locale& locale() = 0;
    [[nodiscard]] virtual bool under_wine() const { return false; }
};

struct locale_factory {
    std::string name;
    std::function<std::unique_ptr<locale_subject>()> make;
};

inline std::string locale_factory_name(const testing::TestParamInfo<locale_factory>& info) { return info.param.name; }

class LocaleContract : public testing::TestWithParam<locale_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override {
        // Leave the runtime as a test program starts.
        (void)locale().apply_runtime_locale(L"C");
        (void)locale().set_global_locale(L"C");
        subject_.reset();
    }
    os::locale& locale() { return subject_->locale(); }
    bool under_wine() const { return subject_->under_wine(); }
    std::unique_ptr<locale_subject> subject_;
};

}  // namespace contract
