// setup-tool ulog: reads an uninstall log with the setup program's own reader and prints what it
// took; with --write, writes it again with the setup program's writer (to repair or re-encode it).
#include "commands.h"
#include "os/native/code_page_double.h"
#include "os/native/directory_machine.h"
#include "os/native/registry_double.h"
#include "os/native/refusing_file_system.h"
#include "os/native/security_double.h"
#include "os/native/shell_folders_double.h"
#include "os/win_error.h"
#include "records/journal_wiring.h"
#include "records/log_file_replacement.h"
#include "records/uninstall_log.h"
#include "text.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <optional>

namespace setup_tool {
namespace {

constexpr const char* usage = "usage: setup-tool ulog FILE [--root DIR] [--write OUT --install PATH --shortcut PATH]\n";
// The names under which the log to read and the log to write reach the journal.
constexpr std::wstring_view input_name = L"\\\\?\\setup-tool\\input.ulog";
constexpr std::wstring_view output_name = L"\\\\?\\setup-tool\\output.ulog";

class host_file final : public os::file {
public:
    explicit host_file(std::fstream stream) : stream_(std::move(stream)) {}
    std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
        stream_.read(reinterpret_cast<char*>(buffer.data()), static_cast<std::streamsize>(buffer.size()));
        count = static_cast<std::size_t>(stream_.gcount());
        if (stream_.bad()) return os::win_error(os::errc::handle_eof);
        return {};
    }
    std::error_code write(std::span<const std::byte> data) override {
        stream_.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
        return stream_ ? std::error_code() : os::win_error(os::errc::access_denied);
    }
    std::error_code seek(std::uint64_t offset) override {
        stream_.clear();
        stream_.seekg(static_cast<std::streamoff>(offset));
        return stream_ ? std::error_code() : os::win_error(os::errc::invalid_parameter);
    }
    std::error_code size(std::uint64_t&) override { return os::win_error(os::errc::call_not_implemented); }
    std::error_code close() override {
        stream_.close();
        return stream_ ? std::error_code() : os::win_error(os::errc::access_denied);
    }

private:
    std::fstream stream_;
};

// The two host files of the command; every other path goes to the machine, or, without one, any
// folder named in the log counts as existing so that its text is shown as written.
class tool_files final : public os::native::refusing_file_system {
public:
    tool_files(std::filesystem::path input, std::filesystem::path output, os::native::directory_machine* machine)
        : input_(std::move(input)), output_(std::move(output)), machine_(machine) {}

    std::error_code open(std::wstring_view path, os::file_access access, os::file_disposition disposition,
                         std::uint32_t share, std::unique_ptr<os::file>& opened) override {
        if (path == input_name || path == output_name || path == replacement_name()) {
            const bool reading = path == input_name;
            std::fstream stream(
                reading ? input_ : host_of(path),
                reading ? std::ios::in | std::ios::binary : std::ios::out | std::ios::binary | std::ios::trunc);
            if (!stream) return os::win_error(reading ? os::errc::file_not_found : os::errc::access_denied);
            opened = std::make_unique<host_file>(std::move(stream));
            return {};
        }
        if (machine_) return machine_->open(path, access, disposition, share, opened);
        return os::win_error(os::errc::access_denied);
    }
    std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override {
        if (path == output_name || path == replacement_name()) {
            std::error_code ec;
            if (!std::filesystem::exists(host_of(path), ec)) return os::win_error(os::errc::file_not_found);
            attributes = os::file_attribute::normal;
            return {};
        }
        if (machine_) return machine_->get_attributes(path, attributes);
        attributes = os::file_attribute::directory;
        return {};
    }
    std::error_code set_attributes(std::wstring_view path, std::uint32_t attributes) override {
        if (path == input_name || path == output_name || path == replacement_name()) return {};
        return machine_ ? machine_->set_attributes(path, attributes) : os::win_error(os::errc::access_denied);
    }
    // The journal writes the new log beside the output and renames it over the output.
    std::error_code delete_file(std::wstring_view path) override {
        if (path != replacement_name())
            return machine_ ? machine_->delete_file(path) : os::win_error(os::errc::access_denied);
        std::error_code ec;
        return std::filesystem::remove(host_of(path), ec) ? std::error_code() : os::win_error(os::errc::file_not_found);
    }
    std::error_code move_file(std::wstring_view from, std::wstring_view to, std::uint32_t flags) override {
        if (from != replacement_name() || to != output_name)
            return machine_ ? machine_->move_file(from, to, flags) : os::win_error(os::errc::access_denied);
        std::error_code ec;
        std::filesystem::rename(host_of(from), output_, ec);
        return ec ? os::win_error(os::errc::access_denied) : std::error_code();
    }

private:
    static std::wstring replacement_name() { return records::replacement_path(output_name); }
    std::filesystem::path host_of(std::wstring_view path) const {
        return path == output_name ? output_ : std::filesystem::path(output_.string() + ".new");
    }

    std::filesystem::path input_;
    std::filesystem::path output_;
    os::native::directory_machine* machine_;
};

}  // namespace

int run_ulog(std::span<const std::string> args) {
    std::optional<std::string> file, root, out;
    std::optional<std::wstring> install, shortcut;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        bool ok = true;
        if (a == "--root" && has_value)
            root = args[++i];
        else if (a == "--write" && has_value)
            out = args[++i];
        else if (a == "--install" && has_value)
            ok = (install = from_utf8(args[++i])).has_value();
        else if (a == "--shortcut" && has_value)
            ok = (shortcut = from_utf8(args[++i])).has_value();
        else if (!a.starts_with("--") && !file)
            file = a;
        else
            ok = false;
        if (!ok) {
            std::cerr << usage;
            return 2;
        }
    }
    if (!file || (out.has_value() != install.has_value()) || (out.has_value() != shortcut.has_value())) {
        std::cerr << usage;
        return 2;
    }
    const auto input = host_path(*file);
    if (!std::ifstream(input, std::ios::binary)) {
        std::cerr << "setup-tool ulog: cannot open " << *file << "\n";
        return 1;
    }
    std::unique_ptr<os::native::directory_machine> machine;
    if (root) machine = std::make_unique<os::native::directory_machine>(host_path(*root));
    tool_files files(input, out ? host_path(*out) : std::filesystem::path(), machine.get());
    os::native::memory_registry registry(files);
    os::native::scripted_security security;
    os::native::code_page_1252 code_pages;
    os::native::shell_folders_double shell;
    UninstallLog log(records::make_journal_ports(files, shell, registry, security, code_pages));
    log.Read(input_name);

    std::cout << "version " << log.logVersion() << '\n'
              << "title " << to_utf8(log.previousLogTitle()) << '\n'
              << "install " << to_utf8(log.installPath()) << '\n'
              << "shortcut " << to_utf8(log.shortcutPath()) << '\n';
    for (const auto& r : log.previousRecords())
        std::cout << static_cast<int>(r.kind) << '\t' << r.entryKind << '\t' << (r.flag ? 1 : 0) << '\t'
                  << to_utf8(r.path) << '\n';
    if (out && !log.Write(output_name, *install, *shortcut)) {
        std::cerr << "setup-tool ulog: cannot write " << *out << "\n";
        return 1;
    }
    return 0;
}

}  // namespace setup_tool
