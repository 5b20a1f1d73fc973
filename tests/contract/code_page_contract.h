// The code-page port's contract: what the system conversions and the 1252 double must both answer.
#pragma once

#include "os/code_page.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class code_page_subject {
public:
    virtual ~code_page_subject() = default;
    [[nodiscard]] virtual os::code_page& code_pages() = 0;
    // The thread's ANSI code page is 1252, as the double models it.
    [[nodiscard]] virtual bool thread_ansi_is_1252() const { return true; }
};

struct code_page_factory {
    std::string name;
    std::function<std::unique_ptr<code_page_subject>()> make;
};

inline std::string code_page_factory_name(const testing::TestParamInfo<code_page_factory>& info) {
    return info.param.name;
}

class CodePageContract : public testing::TestWithParam<code_page_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    os::code_page& code_pages() { return subject_->code_pages(); }
    std::unique_ptr<code_page_subject> subject_;
};

}  // namespace contract
