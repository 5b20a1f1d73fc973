// Fuzzing the uninstall log reader: any bytes as "Uninstall.ulog", read as the setup program reads
// an earlier installation's log.  Folders named in the header exist when they start with "C:\Dir".
#include "os/native/code_page_double.h"
#include "os/native/security_double.h"
#include "os/native/registry_double.h"
#include "os/native/refusing_file_system.h"
#include "os/native/shell_folders_double.h"
#include "os/win_error.h"
#include "records/journal_wiring.h"
#include "records/log_format.h"
#include "records/uninstall_log.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

// A file of the given bytes, read in small uneven pieces so that line assembly across reads is
// exercised too.
class memory_file final : public os::file {
public:
    memory_file(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
        const std::size_t piece = 1 + (pos_ * 7) % 613;
        count = std::min({buffer.size(), size_ - pos_, piece});
        std::memcpy(buffer.data(), data_ + pos_, count);
        pos_ += count;
        return {};
    }
    std::error_code write(std::span<const std::byte>) override { return os::win_error(os::errc::access_denied); }
    std::error_code seek(std::uint64_t offset) override {
        pos_ = static_cast<std::size_t>(std::min<std::uint64_t>(offset, size_));
        return {};
    }
    std::error_code size(std::uint64_t& bytes) override {
        bytes = size_;
        return {};
    }
    std::error_code close() override { return {}; }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

class one_file_system final : public os::native::refusing_file_system {
public:
    one_file_system(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::error_code open(std::wstring_view path, os::file_access access, os::file_disposition, std::uint32_t,
                         std::unique_ptr<os::file>& opened) override {
        if (path != L"C:\\Uninstall.ulog" || access != os::file_access::read)
            return os::win_error(os::errc::access_denied);
        opened = std::make_unique<memory_file>(data_, size_);
        return {};
    }
    std::error_code get_attributes(std::wstring_view path, std::uint32_t& attributes) override {
        if (!path.starts_with(L"C:\\Dir")) return os::win_error(os::errc::file_not_found);
        attributes = os::file_attribute::directory;
        return {};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    one_file_system files(data, size);
    os::native::memory_registry registry(files);
    os::native::scripted_security security;
    os::native::code_page_1252 code_pages;
    os::native::shell_folders_double shell;
    UninstallLog log(records::make_journal_ports(files, shell, registry, security, code_pages));
    log.Read(std::wstring_view(L"C:\\Uninstall.ulog"));

    // What was read obeys the format: kinds in range, no path for the registry kinds, and every
    // record writes a line that reads back as itself.
    std::size_t position = 0;
    for (const auto& r : log.previousRecords()) {
        const auto kind = static_cast<std::int32_t>(r.kind);
        if (kind < 0 || kind >= record_kind_count) __builtin_trap();
        if ((r.kind == RecordKind::UninstallKey || r.kind == RecordKind::Registration) && !r.path.empty())
            __builtin_trap();
        if (!r.backupPath.empty()) __builtin_trap();
        const auto line = records::record_line(position++, r);
        const auto back = records::parse_record_line(records::trim_right(line));
        if (!back || back->kind != r.kind || back->entryKind != r.entryKind || back->flag != r.flag) __builtin_trap();
    }
    if (!log.installPath().empty() && !log.installPath().starts_with(L"C:\\Dir")) __builtin_trap();
    (void)log.WasPlacedBefore(L"C:\\Dir\\x");
    return 0;
}
