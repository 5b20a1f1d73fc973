// Program path and stem.
#include "vd/program_path.h"

namespace vd {

std::wstring program_path(os::process_info& process) {
    std::wstring path;
    if (process.runtime_program_path(path) && !path.empty()) return path;
    return process.module_file_name();
}

std::wstring program_stem(os::process_info& process) { return path_stem(program_path(process)); }

std::wstring path_stem(std::wstring_view path) {
    // A drive ("C:") comes first, so that its colon is not taken for a stream suffix.
    if (path.size() >= 2 && path[1] == L':' &&
        ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'))) {
        path.remove_prefix(2);
    }
    if (const auto slash = path.find_last_of(L"\\/"); slash != std::wstring_view::npos) path.remove_prefix(slash + 1);
    if (const auto colon = path.find(L':'); colon != std::wstring_view::npos) path = path.substr(0, colon);

    if (path.size() <= 1 || path == L"..") return std::wstring(path);
    const auto dot = path.rfind(L'.');
    if (dot == std::wstring_view::npos || dot == 0) return std::wstring(path);
    return std::wstring(path.substr(0, dot));
}

}  // namespace vd
