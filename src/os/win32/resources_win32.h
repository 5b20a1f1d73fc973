// Win32-only: the resources port over FindResourceW, LoadResource, LockResource and SizeofResource.
#pragma once

#include "os/resources.h"

namespace os::win32 {

class resources_adapter final : public resources {
public:
    module_handle program_module() override;
    std::optional<std::span<const std::byte>> find(module_handle module, std::uint16_t type, std::uint16_t id) override;
};

}  // namespace os::win32
