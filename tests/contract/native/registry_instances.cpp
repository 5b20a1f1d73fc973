// The registry contract on the in-memory registry, with hive files on a directory machine.
#include "contract/registry_contract.h"

#include "os/native/directory_machine.h"
#include "os/native/registry_double.h"

#include <atomic>
#include <filesystem>
#include <unistd.h>

namespace contract {
namespace {

class memory_subject final : public registry_subject {
public:
    memory_subject() {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("lignotek-registry-contract-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(root_);
        machine_ = std::make_unique<os::native::directory_machine>(root_);
        (void)machine_->create_directory(L"C:\\Hives");
        registry_ = std::make_unique<os::native::memory_registry>(*machine_);
        os::registry_handle h = 0;
        bool existed = false;
        (void)registry_->create_key(os::hkey::current_user, scratch_path(), os::key_access::all_access, h, existed);
        registry_->close_key(h);
    }
    ~memory_subject() override {
        registry_.reset();
        machine_.reset();
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    os::registry& reg() override { return *registry_; }
    os::registry_handle scratch_root() const override { return os::hkey::current_user; }
    std::wstring scratch_path() const override { return L"Software\\LignotekTests\\Contract"; }
    std::wstring hive_file(const std::wstring& name) override { return L"C:\\Hives\\" + name; }
    bool file_exists(const std::wstring& path) override {
        std::uint32_t a = 0;
        return !machine_->get_attributes(path, a);
    }
    void write_file(const std::wstring& path, const std::string& bytes) override {
        std::unique_ptr<os::file> f;
        ASSERT_FALSE(machine_->open(path, os::file_access::write, os::file_disposition::create_always, 0, f));
        ASSERT_FALSE(f->write(std::as_bytes(std::span(bytes.data(), bytes.size()))));
    }
    void set_privilege(const std::wstring& name, bool enable) override {
        registry_->set_privilege_enabled(name, enable);
    }

private:
    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
    std::unique_ptr<os::native::memory_registry> registry_;
};

INSTANTIATE_TEST_SUITE_P(MemoryRegistry, RegistryContract,
                         testing::Values(factory_of<registry_subject, memory_subject>("MemoryRegistry")),
                         subject_name{});

}  // namespace
}  // namespace contract
