// The resources port's contract: what FindResourceW on a program carrying the real resources and
// the in-memory set loaded with the program's string tables must both answer.
#pragma once

#include "contract/port_suite.h"
#include "os/resources.h"

#include <functional>
#include <memory>
#include <string>

namespace contract {

class resources_subject : public port_subject {
public:
    // Resources whose program module carries the program's string tables.
    [[nodiscard]] virtual os::resources& resources() = 0;
};

class ResourcesContract : public port_suite<resources_subject> {
protected:
    os::resources& resources() { return subject().resources(); }
};

}  // namespace contract
