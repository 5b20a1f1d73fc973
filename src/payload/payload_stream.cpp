// The payload resource as a stream (see payload_stream.h).
#include "payload/payload_stream.h"

#include "vd/memstream.h"

namespace payload {

std::unique_ptr<std::istream> open_payload_stream(os::resources& resources, os::module_handle& resource_module) {
    const os::module_handle program = resources.program_module();
    if (resource_module == 0) resource_module = program;
    auto bytes = resources.find(resource_module, os::resource_type::payload, payload_resource_id);
    if (!bytes && resource_module != program)
        bytes = resources.find(program, os::resource_type::payload, payload_resource_id);
    if (!bytes || bytes->empty()) return std::make_unique<vd::basic_imemstream>();
    return std::make_unique<vd::basic_imemstream>(*bytes);
}

}  // namespace payload
