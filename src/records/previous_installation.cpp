// Detecting an earlier installation of the product.
#include "records/previous_installation.h"

#include "records/log_format.h"
#include "records/log_paths.h"
#include "records/trusted_log_source.h"
#include "vd/version_info.h"
#include "vd/win_path.h"

#include <system_error>

namespace records {

std::wstring remove_last_element(std::wstring_view path) {
    const std::size_t root = vd::path::root(path).size();
    const std::size_t last = path.find_last_of(L"\\/");
    if (last == std::wstring_view::npos || last < root) return std::wstring(path.substr(0, root));
    std::size_t end = last;
    while (end > root && vd::path::is_separator(path[end - 1])) --end;
    return std::wstring(path.substr(0, end));
}

std::wstring join_element(std::wstring_view folder, std::wstring_view name) {
    const bool bare_drive = folder.size() == 2 && folder[1] == L':';
    if (folder.empty() || vd::path::is_separator(folder.back()) || bare_drive)
        return std::wstring(folder) + std::wstring(name);
    return std::wstring(folder) + L"\\" + std::wstring(name);
}

std::function<std::optional<installed_version>(std::wstring_view)> version_reader(os::file_system& files,
                                                                                  std::uint32_t lcid) {
    return [&files, lcid](std::wstring_view path) -> std::optional<installed_version> {
        const vd::version_info info(files, path);
        if (!info.has_fixed_info()) return std::nullopt;
        return installed_version{info.file_version(), info.product_title(lcid)};
    };
}

}  // namespace records

namespace {

// A candidate is taken when something is there; one that is not a log only this machine's
// administrators could have written is passed over for the next place.  Nothing outside the local
// drives is asked about: even looking at a network path reaches out to it.
bool usable_candidate(detection_ports& ports, const std::wstring& path, records::log_writers writers) {
    std::uint32_t attributes = 0;
    return records::is_local_absolute_path(path) && !ports.files.get_attributes(path, attributes) &&
           records::is_trusted_log_source(ports.files, ports.security, path, writers);
}

std::wstring log_beside(std::wstring_view file) {
    return records::join_element(records::remove_last_element(file), records::log_file_name);
}

}  // namespace

std::wstring FindPreviousLog(detection_ports& ports) {
    try {
        const auto key =
            records::OpenKeyForReading(ports.registry, os::hkey::local_machine,
                                       std::wstring(UninstallLog::uninstall_root) + L"\\" + ports.productKeyName);
        std::wstring uninstaller;
        if (key && records::ReadStringValue(ports.registry, key.get(), L"UninstallString", uninstaller)) {
            const std::wstring candidate = log_beside(uninstaller);
            if (usable_candidate(ports, candidate, records::log_writers::administrators_and_installing_user))
                return candidate;
        }
    } catch (const std::system_error&) {
        // An uninstall key that cannot be read is as good as a missing one: try the next place.
    }
    if (!ports.programPath.empty()) {
        // Beside the setup program: a download folder, whatever the user put there.
        const std::wstring candidate = log_beside(ports.programPath);
        if (usable_candidate(ports, candidate, records::log_writers::administrators)) return candidate;
    }
    const std::wstring product = ports.product.ReadProductPath();
    if (!product.empty()) {
        const std::wstring candidate = log_beside(product);
        if (usable_candidate(ports, candidate, records::log_writers::administrators_and_installing_user))
            return candidate;
    }
    return {};
}

previous_installation DetectPreviousInstallation(detection_ports& ports, UninstallLog& journal) {
    previous_installation result;
    const std::wstring product = ports.product.ReadProductPath();
    if (!product.empty()) {
        result.state = PreviousInstallState::Same;
        if (const auto version = ports.readVersion ? ports.readVersion(product) : std::nullopt) {
            if (version->fileVersion > ports.setupVersion) {
                result.state = PreviousInstallState::Newer;
                result.previousTitle = version->productTitle;
            } else if (version->fileVersion < ports.setupVersion) {
                result.state = PreviousInstallState::Older;
                result.previousTitle = version->productTitle;
                result.previousVersion = version->fileVersion;
            }
        }
    }
    if (result.state == PreviousInstallState::Same || result.state == PreviousInstallState::Older) {
        const std::wstring log = FindPreviousLog(ports);
        if (!log.empty()) {
            journal.Read(std::wstring_view(log));
            result.installFolder = journal.installPath();
            result.menuFolder = journal.shortcutPath();
        }
    } else {
        journal.Read(std::nullopt);
    }
    return result;
}
