// Shared test scaffolding for the payload reader: a directory machine in a scratch host folder,
// archives built in memory, and a callback that records what the reader reports.
#pragma once

#include "os/native/directory_machine.h"
#include "payload/archive_writer.h"
#include "payload/bzip2_stream.h"
#include "payload/compress_error.h"
#include "payload/extract_payload.h"
#include "payload/notification.h"
#include "payload/payload_ports.h"
#include "payload/table_of_contents.h"
#include "vd/crc32.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace payload_test {

struct file_spec {
    std::wstring folder;
    std::wstring name;
    std::uint32_t kind = 0;
    std::string content;
    std::int64_t crc_override = -1;  // a wrong checksum on purpose
};

inline std::vector<std::byte> to_bytes(std::string_view s) {
    std::vector<std::byte> out(s.size());
    if (!s.empty()) std::memcpy(out.data(), s.data(), s.size());
    return out;
}

inline std::vector<payload::payload_entry> records_of(const std::vector<file_spec>& files) {
    std::vector<payload::payload_entry> out;
    for (const auto& f : files) {
        payload::payload_entry e;
        e.source = L"D:\\build\\payload\\" + f.name;
        e.destination = f.folder;
        e.kind = f.kind;
        e.size = f.content.size();
        e.crc = f.crc_override >= 0 ? static_cast<std::uint32_t>(f.crc_override) : vd::crc32_of(to_bytes(f.content));
        out.push_back(e);
    }
    return out;
}

// The decompressed archive: table and data.
inline std::string raw_archive(const std::vector<file_spec>& files) {
    auto table = payload::build_table_of_contents(records_of(files));
    std::string out(reinterpret_cast<const char*>(table.data()), table.size());
    for (const auto& f : files) out += f.content;
    return out;
}

inline std::string compress(std::string_view raw) {
    std::ostringstream out;
    payload::bzip2_compressor c(out);
    c.write(to_bytes(raw));
    c.finish();
    return out.str();
}

inline std::string archive(const std::vector<file_spec>& files) { return compress(raw_archive(files)); }

// What the reader reported, one line per notification.
struct recorder {
    std::vector<std::string> lines;
    std::vector<payload::notification> all;
    std::function<payload::notification::result(const payload::notification&)> answer;

    static std::string narrow(const std::wstring& w) {
        std::string s;
        for (wchar_t c : w) s += (c < 0x80) ? static_cast<char>(c) : '?';
        return s;
    }

    payload::notification_callback callback() {
        return [this](payload::notification n) {
            using namespace payload::notifications;
            std::string line;
            if (std::holds_alternative<started>(n))
                line = "started";
            else if (auto* f = std::get_if<finished>(&n))
                line = "finished " + std::to_string(f->copied) + " " + std::to_string(f->total);
            else if (auto* b = std::get_if<file_begin>(&n))
                line = "begin " + narrow(b->entry->destination);
            else if (auto* e = std::get_if<file_end>(&n))
                line = "end " + narrow(e->entry->destination);
            else if (auto* p = std::get_if<progress>(&n))
                line = "progress " + std::to_string(p->done) + "/" + std::to_string(p->total);
            else if (auto* x = std::get_if<failed>(&n))
                line = "failed " + narrow(payload::error_code_text(x->code)) + " " + narrow(x->message);
            lines.push_back(line);
            all.push_back(n);
            return answer ? answer(n) : payload::notification::result::proceed;
        };
    }

    // The lines without progress notifications.
    [[nodiscard]] std::vector<std::string> events() const {
        std::vector<std::string> out;
        for (const auto& l : lines)
            if (l.rfind("progress", 0) != 0) out.push_back(l);
        return out;
    }
    [[nodiscard]] std::string last() const { return lines.empty() ? "" : lines.back(); }
};

class machine_fixture : public testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("lignotek-payload-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
        std::filesystem::remove_all(root_);
        machine_ = std::make_unique<os::native::directory_machine>(root_);
    }
    void TearDown() override {
        machine_.reset();
        std::error_code ec;
        for (auto& e : std::filesystem::recursive_directory_iterator(root_, ec))
            std::filesystem::permissions(e.path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(root_, ec);
    }

    payload::payload_ports& ports() {
        if (!ports_) {
            ports_ = std::make_unique<payload::payload_ports>(payload::payload_ports{*machine_, *machine_, {}, {}, 0});
            ports_->grant_users_access = [this](std::wstring_view path, std::uint32_t mask, std::uint8_t flags) {
                grants_.push_back(std::wstring(path) + L" " + std::to_wstring(mask) + L"/" + std::to_wstring(flags));
                return grant_answer_;
            };
            ports_->wait = [this](std::chrono::milliseconds) {
                ++waits_;
                if (on_wait_) on_wait_();
            };
        }
        return *ports_;
    }

    payload::destination_inputs inputs() const {
        return {L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7", L"Lignotek Examples",
                L"C:\\Users\\User\\AppData\\Local\\Temp\\vendrel_{t}"};
    }

    bool extract(const std::string& compressed, recorder& r) {
        std::istringstream in(compressed);
        return payload::extract_payload(in, ports(), inputs(), r.callback());
    }

    // The content of a file on the machine, or "<missing>".
    std::string content(const std::wstring& path) {
        auto host = machine_->host_path(path);
        if (!host || !std::filesystem::is_regular_file(*host)) return "<missing>";
        std::ifstream in(*host, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Writes a file, creating its folders.
    void put(const std::wstring& path, std::string_view text) {
        const auto slash = path.find_last_of(L'\\');
        for (std::size_t at = path.find(L'\\', 3); at != std::wstring::npos && at <= slash;
             at = path.find(L'\\', at + 1))
            (void)machine_->create_directory(path.substr(0, at));
        std::unique_ptr<os::file> f;
        ASSERT_FALSE(
            machine_->open(path, os::file_access::write, os::file_disposition::create_always, os::file_share::read, f));
        ASSERT_FALSE(f->write(to_bytes(text)));
        ASSERT_FALSE(f->close());
    }

    std::filesystem::path root_;
    std::unique_ptr<os::native::directory_machine> machine_;
    std::unique_ptr<payload::payload_ports> ports_;
    std::vector<std::wstring> grants_;
    bool grant_answer_ = true;
    int waits_ = 0;
    std::function<void()> on_wait_;
};

}  // namespace payload_test
