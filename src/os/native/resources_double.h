// Native double of the resources port: an in-memory set of modules and their resources that tests
// fill (type, id -> bytes), and that can carry the program's real string tables.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <tuple>
#include <vector>

#include "os/resources.h"

namespace os::native {

class memory_resources final : public resources {
public:
    // The program module's handle (the usual image base, so it is never mistaken for 0 or 1).
    static constexpr module_handle program = 0x400000;

    module_handle program_module() override { return program; }
    std::optional<std::span<const std::byte>> find(module_handle module, std::uint16_t type, std::uint16_t id) override;

    // Stores a copy of `bytes` as the resource; an existing one is replaced, and spans handed out
    // for it before become invalid.
    void add(module_handle module, std::uint16_t type, std::uint16_t id, std::span<const std::byte> bytes);
    // Removes a resource; false when there was none.
    bool remove(module_handle module, std::uint16_t type, std::uint16_t id);
    // Adds the program's own string tables (the RT_STRING blocks LignotekSetup.exe carries) to `module`.
    void add_program_strings(module_handle module = program);

private:
    // Each resource in its own allocation, so that adding one never moves another.
    std::map<std::tuple<module_handle, std::uint16_t, std::uint16_t>, std::vector<std::byte>> items_;
};

}  // namespace os::native
