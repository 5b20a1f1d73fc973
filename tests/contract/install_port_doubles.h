// The native doubles of the processes, modules and shell-links ports as contract subjects, for the
// native instances and, for comparison, beside the system under Wine.
#pragma once

#include "contract/modules_contract.h"
#include "contract/processes_contract.h"
#include "contract/shell_links_contract.h"
#include "os/native/directory_machine.h"
#include "os/native/modules_double.h"
#include "os/native/processes_double.h"
#include "os/native/shell_links_double.h"

#include <atomic>
#include <filesystem>
#include <string>

namespace contract {

// "C:\Tools\exit.exe N" ends with N; every other program is missing.
class scripted_processes_subject final : public processes_subject {
public:
    scripted_processes_subject() {
        processes_.script([](const os::process_start& start) -> std::optional<std::uint32_t> {
            const std::wstring program = L"C:\\Tools\\exit.exe ";
            if (start.command_line.rfind(program, 0) != 0) return std::nullopt;
            return static_cast<std::uint32_t>(std::stoul(start.command_line.substr(program.size())));
        });
    }
    os::processes& processes() override { return processes_; }
    std::wstring command_exiting_with(std::uint32_t code) override {
        return L"C:\\Tools\\exit.exe " + std::to_wstring(code);
    }
    std::wstring missing_program() override { return L"C:\\Tools\\missing.exe"; }
    std::wstring working_folder() override { return L"C:\\Tools"; }

private:
    os::native::scripted_processes processes_;
};

class module_table_subject final : public modules_subject {
public:
    module_table_subject() { table_.add(library_path(), {{"GetCurrentProcessId", &some_export}}); }
    os::modules& modules() override { return table_; }
    std::wstring library_path() override { return L"C:\\Windows\\System32\\kernel32.dll"; }
    const char* export_name() override { return "GetCurrentProcessId"; }
    std::wstring missing_library() override { return L"C:\\Windows\\System32\\no-such-library.dll"; }

private:
    static void some_export() {}
    os::native::module_table table_;
};

// Links as files of a directory machine in a fresh host folder.
class file_links_subject final : public shell_links_subject {
public:
    file_links_subject()
        : root_(std::filesystem::temp_directory_path() /
                ("lignotek-links-contract-" + std::to_string(reinterpret_cast<std::uintptr_t>(this)) + "-" +
                 std::to_string(counter()++))) {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
        machine_ = std::make_unique<os::native::directory_machine>(root_);
        links_ = std::make_unique<os::native::file_links>(*machine_);
        (void)machine_->create_directory(L"C:\\Scratch");
    }
    ~file_links_subject() override {
        links_.reset();
        machine_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    os::shell_links& links() override { return *links_; }
    os::file_system& files() override { return *machine_; }
    std::wstring scratch() const override { return L"C:\\Scratch"; }

private:
    static std::atomic<int>& counter() {
        static std::atomic<int> value{0};
        return value;
    }
    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
    std::unique_ptr<os::native::file_links> links_;
};

template <class Subject, class Base>
std::unique_ptr<Base> make_subject() {
    return std::unique_ptr<Base>(std::make_unique<Subject>());
}

}  // namespace contract
