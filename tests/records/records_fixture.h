// A machine for the journal's tests: a directory-backed file system in a scratch folder of the
// host, the in-memory registry, and the journal's ports wired to them.
#pragma once

#include "os/native/code_page_double.h"
#include "os/native/directory_machine.h"
#include "os/native/security_double.h"
#include "os/native/registry_double.h"
#include "records/journal_ports.h"
#include "records/uninstall_log.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

namespace records_test {

struct item_state {
    std::uint32_t attributes = 0;
    std::string content;  // files only
    bool operator==(const item_state&) const = default;
};
void PrintTo(const item_state& item, std::ostream* os);
using machine_state = std::map<std::wstring, item_state>;

class records_machine : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    [[nodiscard]] records::journal_ports ports();
    [[nodiscard]] std::unique_ptr<UninstallLog> journal() { return std::make_unique<UninstallLog>(ports()); }

    void write_file(std::wstring_view path, std::string_view bytes, std::uint32_t attributes = 0);
    [[nodiscard]] std::string read_file(std::wstring_view path);
    [[nodiscard]] bool exists(std::wstring_view path);
    [[nodiscard]] std::uint32_t attributes(std::wstring_view path);
    void make_folder(std::wstring_view path);
    // Every item under C:\ with its attributes and content.
    [[nodiscard]] machine_state snapshot();
    // The files in the user's temporary folder.
    [[nodiscard]] std::vector<std::wstring> temp_files();

    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
    std::unique_ptr<os::native::memory_registry> registry_;
    os::native::scripted_security security_;
    os::native::code_page_1252 code_pages_;
};

// UTF-16LE bytes with a byte-order mark.
std::string utf16_file(std::wstring_view text);

}  // namespace records_test
