// Fuzzes the version-block walker and the PE resource lookup: any bytes, taken both as a version
// block and as an executable file, must be answered without reading outside them.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "vd/pe_resource.h"
#include "vd/version_block.h"
#include "vd/version_info.h"

namespace {

void exercise_block(std::span<const std::byte> block) {
    for (const wchar_t* path :
         {L"\\", L"\\VarFileInfo\\Translation", L"\\StringFileInfo", L"\\StringFileInfo\\040904b0\\ProductName"}) {
        if (const auto value = vd::query_version_value(block, path)) {
            if (value->is_text) (void)vd::version_value_text(*value);
        }
    }
    const vd::version_info info(block);
    (void)info.file_version();
    (void)info.string_value(L"ProductVersion");
    (void)info.product_title(0x0407);
    (void)info.product_title(0x040C);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that the sanitizer catches any read past the end.
    const std::vector<std::byte> bytes(reinterpret_cast<const std::byte*>(data),
                                       reinterpret_cast<const std::byte*>(data) + size);
    exercise_block(bytes);
    if (const auto resource = vd::find_pe_resource(bytes, 16, 1)) exercise_block(*resource);
    (void)vd::find_pe_resource(bytes, 10, 1);
    return 0;
}
