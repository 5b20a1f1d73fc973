// Destination tokens and shared-folder registration (see destination.h).
#include "payload/destination.h"

#include "payload/compress_error.h"
#include "vd/win_path.h"

#include <array>

namespace payload {

namespace {

enum class root_kind { install, sample, known, temporary };

struct token {
    std::wstring_view name;
    root_kind kind;
    int csidl = 0;
    int fallback = -1;
    bool shared = false;
};

// In this order; the first exact match decides.
constexpr std::array<token, 13> tokens{{
    {L"<InstallPath>", root_kind::install},
    {L"<SamplePath>", root_kind::sample},
    {L"<ProgramFiles>", root_kind::known, os::csidl::program_files},
    {L"<ProgramCommon>", root_kind::known, os::csidl::program_files_common},
    {L"<CommonData>", root_kind::known, os::csidl::common_appdata, os::csidl::appdata, true},
    {L"<UserData>", root_kind::known, os::csidl::appdata},
    {L"<CommonDocuments>", root_kind::known, os::csidl::common_documents, os::csidl::personal, true},
    {L"<Documents>", root_kind::known, os::csidl::personal},
    {L"<CommonDesktop>", root_kind::known, os::csidl::common_desktopdirectory, os::csidl::desktopdirectory, true},
    {L"<Desktop>", root_kind::known, os::csidl::desktopdirectory},
    {L"<WinDir>", root_kind::known, os::csidl::windows},
    {L"<System>", root_kind::known, os::csidl::system},
    {L"<Temporary>", root_kind::temporary},
}};

[[noreturn]] void reject(const char* what) { throw compress_error(compress_errc::unexpected_error, what); }

}  // namespace

bool same_folder(std::wstring_view a, std::wstring_view b) {
    return vd::path::equal_exact(a, b) || vd::path::equal_ignore_case_canonical(a, b);
}

void shared_folder_list::register_shared_folder(std::wstring_view path) {
    for (const auto& f : folders_)
        if (same_folder(f.path, path)) return;
    folders_.push_back({std::wstring(path), false});
}

std::wstring lookup_known_folder(os::shell_folders& folders, os::shell_owner owner, int csidl,
                                 std::optional<int> fallback) {
    // Only whether a path came back counts, not the call's result code.
    auto ask = [&](int id) {
        std::wstring path;
        (void)folders.folder_path(owner, id, os::folder_type::current, path);
        return path;
    };
    std::wstring path = ask(csidl);
    if (path.empty() && fallback) path = ask(*fallback);
    if (path.empty()) reject("a known folder cannot be determined");
    return path;
}

const char* folder_problem(std::wstring_view folder) {
    const auto parts = vd::path::elements(folder);
    if (parts.empty() || !vd::path::root(folder).empty()) return nullptr;
    const std::wstring_view first = parts.front();
    if (first.size() < 2 || first.front() != L'<' || first.back() != L'>') return nullptr;
    bool known = false;
    for (const auto& t : tokens) known = known || t.name == first;
    if (!known) return "unknown destination token";
    for (std::size_t i = 1; i < parts.size(); ++i)
        if (parts[i] == L".." || parts[i] == L".") return "a destination folder would leave its root";
    return nullptr;
}

destination_resolver::destination_resolver(os::shell_folders& folders, os::shell_owner owner, destination_inputs inputs,
                                           shared_folder_list& shared)
    : folders_(folders), owner_(owner), inputs_(std::move(inputs)), shared_(shared) {}

std::wstring destination_resolver::sample_root(bool& register_root, std::wstring& trusted) {
    register_root = false;
    const std::wstring& name = inputs_.examples_name;
    if (!name.empty() && (vd::path::is_drive_absolute(name) || vd::path::is_unc(name))) return name;
    std::wstring desktop =
        lookup_known_folder(folders_, owner_, os::csidl::common_desktopdirectory, os::csidl::desktopdirectory);
    trusted = desktop;
    if (name.empty()) return desktop;
    for (auto e : vd::path::elements(name))
        if (e == L"..") reject("the examples folder would leave the desktop");
    register_root = true;
    return vd::path::append(desktop, name);
}

std::wstring destination_resolver::resolve_destination(std::wstring_view folder) {
    std::wstring token_folder;
    return resolve_destination(folder, token_folder);
}

std::wstring destination_resolver::resolve_destination(std::wstring_view folder, std::wstring& token_folder) {
    token_folder = std::wstring(vd::path::root(folder));
    const auto parts = vd::path::elements(folder);
    if (parts.empty()) return std::wstring(folder);
    // A rooted folder ("C:\Data", "\\server\share") has no token: its first element is its root.
    if (!vd::path::root(folder).empty()) return std::wstring(folder);
    const std::wstring_view first = parts.front();
    if (first.size() < 2 || first.front() != L'<' || first.back() != L'>') return std::wstring(folder);

    if (const char* problem = folder_problem(folder)) reject(problem);
    const token* match = nullptr;
    for (const auto& t : tokens)
        if (t.name == first) {
            match = &t;
            break;
        }

    std::wstring path;
    bool register_root = false;
    std::wstring sample_trusted;
    switch (match->kind) {
        case root_kind::install:
            path = inputs_.install_folder;
            break;
        case root_kind::sample:
            path = sample_root(register_root, sample_trusted);
            break;
        case root_kind::temporary:
            path = inputs_.temp_folder.empty() ? inputs_.install_folder : inputs_.temp_folder;
            break;
        case root_kind::known:
            path = lookup_known_folder(folders_, owner_, match->csidl,
                                       match->fallback < 0 ? std::nullopt : std::optional<int>(match->fallback));
            break;
    }
    // The examples folder on the desktop is the payload's own; the desktop is the system's.  An
    // absolute examples folder is the program's own choice.
    token_folder = sample_trusted.empty() ? path : sample_trusted;
    if (register_root) shared_.register_shared_folder(path);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        path = vd::path::join(path, parts[i]);
        if (match->shared) shared_.register_shared_folder(path);
    }
    return path;
}

}  // namespace payload
