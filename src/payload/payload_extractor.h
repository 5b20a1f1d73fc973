// The payload extractor: the push parser that the copy loop feeds with decompressed bytes.  It
// buffers the table of contents, resolves every destination, then streams each entry's bytes into
// its file, verifies the file by reading it back, and reports through the callback.
#pragma once

#include "payload/destination.h"
#include "payload/notification.h"
#include "payload/payload_entry.h"
#include "payload/payload_ports.h"
#include "payload/placement.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace payload {

class payload_extractor {
public:
    payload_extractor(payload_ports& ports, destination_inputs inputs, notification_callback callback);
    ~payload_extractor();
    payload_extractor(const payload_extractor&) = delete;
    payload_extractor& operator=(const payload_extractor&) = delete;

    // Consumes up to `n` bytes and returns how many (the copy loop calls again with the rest).
    // Throws on any failure; after an exception the extractor is inert: every later call consumes
    // its bytes and does nothing.
    std::size_t write(const std::byte* bytes, std::size_t n);

    // The stream has ended: entries of size 0 that follow the last byte of data are placed now
    // (no write call would reach them).  Does nothing unless the table was read and every byte of
    // data arrived.
    void finish();

    [[nodiscard]] std::uint64_t consumed() const noexcept { return consumed_; }
    [[nodiscard]] std::uint64_t total() const noexcept { return total_; }
    [[nodiscard]] const std::vector<payload_entry>& entries() const noexcept { return entries_; }
    [[nodiscard]] const std::vector<shared_folder>& shared_folders() const noexcept { return shared_.folders(); }
    // The destination of the entry whose file is open, for the failure message.
    [[nodiscard]] const std::wstring* open_destination() const noexcept;

private:
    std::size_t write_header(const std::byte* bytes, std::size_t n);
    std::size_t write_table(const std::byte* bytes, std::size_t n);
    std::size_t write_entry(const std::byte* bytes, std::size_t n);
    void read_table();
    void complete_entry(payload_entry& entry);
    [[nodiscard]] std::uint32_t read_back_crc(const std::wstring& path);
    void send(notification n, bool abortable);
    notification::result ask(notification n);

    payload_ports& ports_;
    notification_callback callback_;
    shared_folder_list shared_;
    destination_resolver resolver_;
    file_placement placement_;

    std::vector<payload_entry> entries_;
    std::uint64_t data_offset_ = 0;
    std::uint64_t consumed_ = 0;
    std::uint64_t total_ = 0;
    std::size_t index_ = 0;  // 0 while reading the table, then 1 + the current entry
    std::vector<std::byte> table_;
    std::unique_ptr<os::file> current_;
    std::uint64_t remaining_ = 0;
    bool announced_ = false;
    bool skipping_ = false;
    bool inert_ = false;
};

}  // namespace payload
