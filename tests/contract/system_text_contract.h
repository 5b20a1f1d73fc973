// The system-text port's contract: what FormatMessageW and the English table must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/system_text.h"

namespace contract {

class system_text_subject : public port_subject {
public:
    [[nodiscard]] virtual os::system_text& texts() = 0;
};

class SystemTextContract : public port_suite<system_text_subject> {
protected:
    os::system_text& texts() { return subject().texts(); }
};

}  // namespace contract
