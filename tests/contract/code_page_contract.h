// The code-page port's contract: what the system conversions and the 1252 double must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/code_page.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class code_page_subject : public port_subject {
public:
    [[nodiscard]] virtual os::code_page& code_pages() = 0;
    // The thread's ANSI code page is 1252, as the double models it.
    [[nodiscard]] virtual bool thread_ansi_is_1252() const { return true; }
};

class CodePageContract : public port_suite<code_page_subject> {
protected:
    os::code_page& code_pages() { return subject().code_pages(); }
};

}  // namespace contract
