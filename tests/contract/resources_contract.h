// The resources port's contract: what FindResourceW on a program carrying the real resources and
// the in-memory set loaded with the program's string tables must both answer.
#pragma once

#include "os/resources.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace contract {

class resources_subject {
public:
    virtual ~resources_subject() = default;
    // Resources whose program module carries the program's string tables.
    [[nodiscard]] virtual os::resources& resources() = 0;
};

struct resources_factory {
    std::string name;
    std::function<std::unique_ptr<resources_subject>()> make;
};

inline std::string resources_factory_name(const testing::TestParamInfo<resources_factory>& info) {
    return info.param.name;
}

class ResourcesContract : public testing::TestWithParam<resources_factory> {
protected:
    void SetUp() override { subject_ = GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    os::resources& resources() { return subject_->resources(); }
    std::unique_ptr<resources_subject> subject_;
};

}  // namespace contract
