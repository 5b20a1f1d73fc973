// The run's temporary folder (see temporary_folder.h).
#include "payload/temporary_folder.h"

#include "vd/private_folder_descriptor.h"
#include "vd/win_path.h"

#include <cwchar>
#include <random>

namespace payload {

namespace {
constexpr std::size_t max_temp_path = 246;  // leaves room for the folder name within 260 characters
}

uuid_bytes system_random_bytes() {
    std::random_device device;
    uuid_bytes out{};
    for (std::size_t i = 0; i < out.size(); i += 4) {
        const std::uint32_t v = device();
        for (std::size_t k = 0; k < 4; ++k) out[i + k] = static_cast<std::uint8_t>(v >> (8 * k));
    }
    return out;
}

std::wstring uuid_v4_text(uuid_bytes b) {
    b[6] = static_cast<std::uint8_t>((b[6] & 0x0F) | 0x40);  // version 4
    b[8] = static_cast<std::uint8_t>((b[8] & 0x3F) | 0x80);  // variant 10
    static constexpr wchar_t digits[] = L"0123456789abcdef";
    std::wstring out;
    for (std::size_t i = 0; i < b.size(); ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) out += L'-';
        out += digits[b[i] >> 4];
        out += digits[b[i] & 0xF];
    }
    return out;
}

temporary_folder_result make_temporary_folder_path(os::file_system& files, const random_source& random) {
    temporary_folder_result result;
    std::wstring temp;
    auto ec = files.temp_path(temp);
    if (ec || temp.empty() || temp.size() > max_temp_path) {
        wchar_t text[40];
        std::swprintf(text, 40, L"%08x (%ls)", static_cast<unsigned>(ec.value()), L"GetTempPath");
        result.error_text = text;
        return result;
    }
    result.temp_folder = vd::path::append(temp, L"vendrel_{" + uuid_v4_text(random()) + L"}");
    result.ok = true;
    return result;
}

std::error_code create_work_folder(os::file_system& files, const std::wstring& folder) {
    return files.create_directory_secured(folder, vd::security::administrators_only_descriptor());
}

}  // namespace payload
