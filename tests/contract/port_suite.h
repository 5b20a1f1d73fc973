// What every port's contract suite shares.  A subject owns one implementation of the port and
// whatever that implementation needs around it; a factory names the subject for the test names; the
// suite makes a fresh subject for every case, so no case sees what another one left behind.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <utility>

namespace contract {

// Where a subject runs.  The Win32 adapters answer true under Wine, which words some answers in
// its own way; a case that meets such an answer skips and says why.
class port_subject {
public:
    virtual ~port_subject() = default;
    [[nodiscard]] virtual bool under_wine() const { return false; }
};

template <class Subject>
struct subject_factory {
    std::string name;
    std::function<std::unique_ptr<Subject>()> make;
};

// Test names carry the subject's name; gtest prints the factory by that name as well.
template <class Subject>
void PrintTo(const subject_factory<Subject>& factory, std::ostream* out) {
    *out << factory.name;
}

struct subject_name {
    template <class Subject>
    std::string operator()(const testing::TestParamInfo<subject_factory<Subject>>& info) const {
        return info.param.name;
    }
};

// The factory of a subject that is made from the given arguments (copied into the factory).
template <class Subject, class Concrete, class... Args>
subject_factory<Subject> factory_of(std::string name, Args... args) {
    return {std::move(name), [args...] { return std::unique_ptr<Subject>(std::make_unique<Concrete>(args...)); }};
}

template <class Subject>
class port_suite : public testing::TestWithParam<subject_factory<Subject>> {
protected:
    void SetUp() override { subject_ = this->GetParam().make(); }
    void TearDown() override { subject_.reset(); }
    Subject& subject() { return *subject_; }
    const Subject& subject() const { return *subject_; }
    bool under_wine() const { return subject_->under_wine(); }

private:
    std::unique_ptr<Subject> subject_;
};

}  // namespace contract
