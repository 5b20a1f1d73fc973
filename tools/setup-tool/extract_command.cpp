// setup-tool extract: the setup program's reader and placement over a directory-backed machine.
#include "commands.h"
#include "os/native/directory_machine.h"
#include "payload/bzip2_stream.h"
#include "payload/compress_error.h"
#include "payload/extract_payload.h"
#include "payload/temporary_folder.h"
#include "text.h"

#include <array>
#include <fstream>
#include <iostream>
#include <optional>

namespace setup_tool {

namespace {

constexpr const char* usage =
    "usage: setup-tool extract PAYLOAD --root DIR [--install-folder PATH] [--examples-name NAME] [--temp-folder "
    "PATH] [--check-first] [--decoder-threads N]\n";

// The installation's check pass: the whole stream decoded into nothing, which must use it up; then
// back to its start for the extraction.  A decoding error escapes as the decoder's exception.
void check_pass(std::istream& payload, unsigned threads) {
    {
        payload::bzip2_decompressor decoder(payload, threads);
        std::array<std::byte, payload::bzip2_buffer_size> chunk;
        while (decoder.read(chunk) != 0) {}
    }
    payload.clear();
    const bool used_up = payload.peek() == std::char_traits<char>::eof();
    payload.clear();
    payload.seekg(0);
    if (!used_up || !payload.good()) throw payload::compress_error(payload::compress_errc::invalid_payload);
}

std::optional<unsigned> thread_count(const std::string& text) {
    if (text.empty() || text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return static_cast<unsigned>(std::stoul(text));
}

}  // namespace

int run_extract(std::span<const std::string> args) {
    std::optional<std::string> payload_file, root;
    payload::destination_inputs inputs{L"C:\\Program Files\\Vendrel & Vodoraru\\Lignotek 7", L"Lignotek Examples", L""};
    bool temp_given = false;
    bool check_first = false;
    unsigned threads = payload::automatic_bzip2_threads;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool has_value = i + 1 < args.size();
        auto wide = [&](std::wstring& into) {
            auto text = from_utf8(args[++i]);
            if (!text) return false;
            into = *text;
            return true;
        };
        bool ok = true;
        if (a == "--root" && has_value)
            root = args[++i];
        else if (a == "--install-folder" && has_value)
            ok = wide(inputs.install_folder);
        else if (a == "--examples-name" && has_value)
            ok = wide(inputs.examples_name);
        else if (a == "--temp-folder" && has_value)
            ok = wide(inputs.temp_folder), temp_given = true;
        else if (a == "--check-first")
            check_first = true;
        else if (a == "--decoder-threads" && has_value) {
            const auto n = thread_count(args[++i]);
            ok = n.has_value();
            if (n) threads = *n;
        } else if (!a.starts_with("--") && !payload_file)
            payload_file = a;
        else
            ok = false;
        if (!ok) {
            std::cerr << usage;
            return 2;
        }
    }
    if (!payload_file || !root) {
        std::cerr << usage;
        return 2;
    }
    std::ifstream in(host_path(*payload_file), std::ios::binary);
    if (!in) {
        std::cerr << "setup-tool extract: cannot open " << *payload_file << "\n";
        return 1;
    }
    os::native::directory_machine machine(host_path(*root));
    if (!temp_given) {
        auto temp = payload::make_temporary_folder_path(machine);
        if (!temp.ok) {
            std::cout << "failed " << to_utf8(temp.error_text) << '\n';
            return 1;
        }
        inputs.temp_folder = temp.temp_folder;
    }
    payload::payload_ports ports{machine, machine, {}, {}, 0};
    // Lines as they happen; no progress lines (one per 4 KB chunk).
    auto report = [&](payload::notification n) {
        using namespace payload::notifications;
        if (std::holds_alternative<started>(n)) {
            std::cout << "started\n";
            if (check_first) check_pass(in, threads);
        } else if (auto* b = std::get_if<file_begin>(&n))
            std::cout << "file_begin " << to_utf8(b->entry->destination) << '\n';
        else if (auto* e = std::get_if<file_end>(&n))
            std::cout << "file_end " << to_utf8(e->entry->destination) << '\n';
        else if (auto* f = std::get_if<finished>(&n))
            std::cout << "finished " << f->copied << ' ' << f->total << '\n';
        else if (auto* x = std::get_if<failed>(&n))
            std::cout << "failed " << to_utf8(payload::error_code_text(x->code)) << ' ' << to_utf8(x->message) << '\n';
        return payload::notification::result::proceed;
    };
    const bool ok = payload::extract_payload(in, ports, inputs, report, threads);
    std::cout.flush();
    return ok ? 0 : 1;
}

}  // namespace setup_tool
