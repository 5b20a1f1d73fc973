// The committed executables of tests/vd/data/version/ (made by make_fixtures.sh there).
#pragma once

#include <cstddef>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace version_test {

inline std::string fixture_path(const std::string& name) {
    const char* root = std::getenv("LIGNOTEK_SOURCE_DIR");
    if (root == nullptr) throw std::runtime_error("LIGNOTEK_SOURCE_DIR is not set");
    return std::string(root) + "/tests/vd/data/version/" + name;
}

inline std::vector<std::byte> fixture_bytes(const std::string& name) {
    std::ifstream in(fixture_path(name), std::ios::binary);
    if (!in) throw std::runtime_error("cannot open fixture " + name);
    std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::byte> bytes(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) bytes[i] = static_cast<std::byte>(chars[i]);
    return bytes;
}

}  // namespace version_test

#include <map>
#include <memory>

#include "os/file_system.h"
#include "os/native/refusing_file_system.h"
#include "os/win_error.h"

namespace version_test {

// A file system that holds a few files in memory and can read them; everything else is refused.
class memory_files final : public os::native::refusing_file_system {
public:
    memory_files() : refusing_file_system(os::errc::call_not_implemented) {}

    std::map<std::wstring, std::vector<std::byte>, std::less<>> files;
    // Reads hand out at most this many bytes at a time, as a real file may.
    std::size_t chunk = 1000;
    // A file shorter than this seems to go on with zeros up to it (a large file without the memory).
    std::uint64_t apparent_size = 0;
    // Every byte handed out by a read, over all files.
    std::uint64_t bytes_read = 0;

    std::error_code open(std::wstring_view path, os::file_access access, os::file_disposition disposition,
                         std::uint32_t, std::unique_ptr<os::file>& opened) override {
        if (access != os::file_access::read || disposition != os::file_disposition::open_existing)
            return os::win_error(os::errc::access_denied);
        const auto found = files.find(path);
        if (found == files.end()) return os::win_error(os::errc::file_not_found);
        opened = std::make_unique<open_file>(
            found->second, std::max<std::uint64_t>(apparent_size, found->second.size()), chunk, bytes_read);
        return {};
    }

private:
    class open_file final : public os::file {
    public:
        open_file(const std::vector<std::byte>& bytes, std::uint64_t size, std::size_t chunk, std::uint64_t& read)
            : bytes_(bytes), size_(size), chunk_(chunk), read_(read) {}
        std::error_code read(std::span<std::byte> buffer, std::size_t& count) override {
            count = static_cast<std::size_t>(std::min<std::uint64_t>({buffer.size(), size_ - at_, chunk_}));
            for (std::size_t i = 0; i < count; ++i)
                buffer[i] = at_ + i < bytes_.size() ? bytes_[static_cast<std::size_t>(at_ + i)] : std::byte{0};
            at_ += count;
            read_ += count;
            return {};
        }
        std::error_code write(std::span<const std::byte>) override { return os::win_error(os::errc::access_denied); }
        std::error_code seek(std::uint64_t offset) override {
            if (offset > size_) return os::win_error(os::errc::invalid_parameter);
            at_ = offset;
            return {};
        }
        std::error_code size(std::uint64_t& bytes) override {
            bytes = size_;
            return {};
        }
        std::error_code close() override { return {}; }

    private:
        const std::vector<std::byte>& bytes_;
        std::uint64_t size_;
        std::size_t chunk_;
        std::uint64_t& read_;
        std::uint64_t at_ = 0;
    };
};

}  // namespace version_test
