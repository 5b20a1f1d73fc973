// The locale port's contract: what the NLS functions and the scripted locale must both answer for
// the locales the program meets.
#pragma once

#include "contract/port_suite.h"
#include "os/locale.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class locale_subject : public port_subject {
public:
    [[nodiscard]] virtual os::locale& locale() = 0;
};

class LocaleContract : public port_suite<locale_subject> {
protected:
    void TearDown() override {
        // Leave the runtime as a test program starts.
        (void)locale().apply_runtime_locale(L"C");
        (void)locale().set_global_locale(L"C");
        port_suite::TearDown();
    }
    os::locale& locale() { return subject().locale(); }
};

}  // namespace contract
