// The payload extractor (see payload_extractor.h).
#include "payload/payload_extractor.h"

#include "os/win_error.h"
#include "payload/compress_error.h"
#include "payload/table_of_contents.h"
#include "vd/crc32.h"
#include "vd/link_check.h"
#include "vd/win_path.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <thread>

namespace payload {

namespace {

constexpr int read_back_attempts = 4;  // the first and up to three retries
constexpr std::chrono::milliseconds read_back_pause{1000};

// Marks the extractor inert when an exception leaves the write operation.
class inert_guard {
public:
    explicit inert_guard(bool& inert) : inert_(inert) {}
    ~inert_guard() {
        if (std::uncaught_exceptions() > count_) inert_ = true;
    }
    inert_guard(const inert_guard&) = delete;
    inert_guard& operator=(const inert_guard&) = delete;

private:
    bool& inert_;
    int count_ = std::uncaught_exceptions();
};

}  // namespace

payload_extractor::payload_extractor(payload_ports& ports, destination_inputs inputs, notification_callback callback)
    : ports_(ports),
      callback_(std::move(callback)),
      resolver_(ports.folders, ports.owner, std::move(inputs), shared_),
      placement_(ports, shared_) {}

payload_extractor::~payload_extractor() {
    // A file interrupted by an error stays as far as it was written.
    if (current_) (void)current_->close();
}

const std::wstring* payload_extractor::open_destination() const noexcept {
    if (index_ == 0 || !announced_ || skipping_ || index_ > entries_.size()) return nullptr;
    return &entries_[index_ - 1].destination;
}

notification::result payload_extractor::ask(notification n) {
    if (!callback_) return notification::result::proceed;
    return callback_(std::move(n));
}

void payload_extractor::send(notification n, bool abortable) {
    if (ask(std::move(n)) == notification::result::abort && abortable) throw compress_error(compress_errc::interrupted);
}

std::size_t payload_extractor::write(const std::byte* bytes, std::size_t n) {
    if (inert_) return n;
    inert_guard guard(inert_);
    if (index_ == 0) return table_.size() < toc_prefix_size ? write_header(bytes, n) : write_table(bytes, n);
    return write_entry(bytes, n);
}

std::size_t payload_extractor::write_header(const std::byte* bytes, std::size_t n) {
    const std::size_t take = std::min<std::size_t>(n, toc_prefix_size - table_.size());
    table_.insert(table_.end(), bytes, bytes + take);
    if (table_.size() == toc_prefix_size) {
        data_offset_ = toc_data_offset(table_);
        // Refuse before buffering: a table this small or this large is not a table.
        if (!plausible_data_offset(data_offset_))
            throw compress_error(compress_errc::unexpected_error, "implausible table of contents size");
        table_.reserve(static_cast<std::size_t>(data_offset_));
    }
    return take;
}

std::size_t payload_extractor::write_table(const std::byte* bytes, std::size_t n) {
    const std::size_t take = std::min<std::size_t>(n, static_cast<std::size_t>(data_offset_ - table_.size()));
    table_.insert(table_.end(), bytes, bytes + take);
    if (table_.size() == data_offset_) read_table();
    return take;
}

void payload_extractor::read_table() {
    entries_ = parse_table_of_contents(table_);
    // Every destination is resolved before the first file is written.
    std::uint64_t sum = 0;
    for (auto& e : entries_) {
        std::wstring token_folder;
        const std::wstring folder = resolver_.resolve_destination(e.destination, token_folder);
        e.destination = vd::path::join(folder, file_name_of(e.source));
        e.destination_root = std::move(token_folder);
        if (e.size > UINT64_MAX - data_offset_ - sum)
            throw compress_error(compress_errc::unexpected_error, "file sizes overflow");
        sum += e.size;
    }
    // A link planted below a token's folder refuses the whole payload before anything is written;
    // placement looks again when it writes, for a link planted in between.
    for (const auto& e : entries_) {
        const auto link = os::win_error(os::errc::reparse_point_encountered);
        if (vd::refuse_links_below(ports_.files, e.destination_root, e.destination) == link ||
            vd::refuse_linked_item(ports_.files, e.destination) == link)
            throw compress_error(compress_errc::unexpected_error, "a destination is a link");
    }
    std::vector<std::byte>().swap(table_);
    consumed_ = data_offset_;
    total_ = data_offset_ + sum;
    send(notifications::progress{consumed_, total_}, true);
    index_ = 1;
}

std::size_t payload_extractor::write_entry(const std::byte* bytes, std::size_t n) {
    if (index_ - 1 >= entries_.size())
        throw compress_error(compress_errc::unexpected_error, "data after the last entry");
    payload_entry& entry = entries_[index_ - 1];
    if (!announced_) {
        const auto answer = ask(notifications::file_begin{&entry});
        if (answer == notification::result::abort) throw compress_error(compress_errc::interrupted);
        remaining_ = entry.size;
        announced_ = true;
        skipping_ = answer == notification::result::skip;
        if (!skipping_) current_ = placement_.open_output_file(entry.destination, entry.destination_root);
    }
    const std::size_t m = static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining_));
    if (!skipping_ && m > 0) {
        if (auto ec = current_->write(std::span<const std::byte>(bytes, m)))
            throw file_error(ec, "write", entry.destination);
    }
    remaining_ -= m;
    consumed_ += m;
    send(notifications::progress{consumed_, total_}, true);
    if (remaining_ == 0) complete_entry(entry);
    return m;
}

void payload_extractor::complete_entry(payload_entry& entry) {
    if (!skipping_) {
        auto file = std::move(current_);
        if (auto ec = file->close()) throw file_error(ec, "close", entry.destination);
        file.reset();
        if (read_back_crc(entry.destination) != entry.crc)
            throw compress_error(compress_errc::invalid_checksum, "file differs from its checksum");
        send(notifications::file_end{&entry}, true);
    }
    ++index_;
    announced_ = false;
    skipping_ = false;
}

std::uint32_t payload_extractor::read_back_crc(const std::wstring& path) {
    std::array<std::byte, 65536> buffer;
    for (int attempt = 1;; ++attempt) {
        std::unique_ptr<os::file> in;
        std::error_code ec = ports_.files.open(path, os::file_access::read, os::file_disposition::open_existing,
                                               os::file_share::read, in);
        vd::crc32 crc;
        while (!ec) {
            std::size_t got = 0;
            ec = in->read(buffer, got);
            if (ec || got == 0) break;
            crc.update(std::span<const std::byte>(buffer.data(), got));
        }
        if (in) (void)in->close();
        if (!ec) return crc.value();
        // Another process holding the file (a scanner, an indexer) usually lets go within seconds.
        if (ec != os::win_error(os::errc::sharing_violation) || attempt == read_back_attempts)
            throw file_error(ec, "read", path);
        if (ports_.wait)
            ports_.wait(read_back_pause);
        else
            std::this_thread::sleep_for(read_back_pause);
    }
}

void payload_extractor::finish() {
    if (inert_ || index_ == 0 || consumed_ != total_) return;
    inert_guard guard(inert_);
    while (index_ - 1 < entries_.size()) {
        (void)write_entry(nullptr, 0);
    }
}

}  // namespace payload
