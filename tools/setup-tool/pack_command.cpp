// setup-tool pack: a payload archive from a manifest.  The archive is written to a temporary file
// beside OUTPUT and renamed into place only when complete, so a failure writes nothing.
#include "commands.h"
#include "manifest.h"
#include "payload/archive_writer.h"
#include "payload/table_of_contents.h"
#include "text.h"
#include "vd/crc32.h"

#include <array>
#include <fstream>
#include <iostream>

namespace setup_tool {

namespace {

// Streams a file in blocks; throws when it cannot be read.
template <typename Sink>
std::uint64_t stream_file(const std::filesystem::path& file, Sink&& sink) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    std::array<char, 65536> buffer;
    std::uint64_t total = 0;
    while (in) {
        in.read(buffer.data(), buffer.size());
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        sink(std::span<const std::byte>(reinterpret_cast<const std::byte*>(buffer.data()), got));
        total += got;
    }
    if (in.bad()) throw std::runtime_error("cannot read " + file.string());
    return total;
}

}  // namespace

int run_pack(std::span<const std::string> args) {
    std::vector<std::string> positional;
    std::optional<std::filesystem::path> base;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--base" && i + 1 < args.size())
            base = host_path(args[++i]);
        else if (args[i].starts_with("--"))
            positional.assign(3, {});  // an unknown option: usage
        else
            positional.push_back(args[i]);
    }
    if (positional.size() != 2) {
        std::cerr << "usage: setup-tool pack MANIFEST OUTPUT [--base DIR]\n";
        return 2;
    }
    const auto manifest_path = host_path(positional[0]);
    const auto output = host_path(positional[1]);
    std::ifstream manifest(manifest_path, std::ios::binary);
    if (!manifest) {
        std::cerr << "setup-tool pack: cannot open " << manifest_path.string() << "\n";
        return 1;
    }
    std::vector<manifest_line> lines;
    try {
        lines = read_manifest(manifest, base ? *base : manifest_path.parent_path());
    } catch (const manifest_error& e) {
        std::cerr << "setup-tool pack: " << manifest_path.string() << ": " << e.what() << "\n";
        return 1;
    }

    std::vector<payload::archive_input> inputs;
    std::vector<payload::payload_entry> records;
    try {
        for (const auto& line : lines) {
            payload::archive_input input;
            input.record.source = line.source;
            input.record.destination = line.folder;
            input.record.kind = line.kind;
            vd::crc32 crc;
            input.record.size = stream_file(line.source_file, [&](std::span<const std::byte> b) { crc.update(b); });
            input.record.crc = crc.value();
            // The bytes are read a second time to be packed: they must still be the ones the table
            // describes, or the reader would reject the file at its end.
            input.content = [file = line.source_file,
                             expected = input.record.crc](const std::function<void(std::span<const std::byte>)>& sink) {
                vd::crc32 again;
                (void)stream_file(file, [&](std::span<const std::byte> b) {
                    again.update(b);
                    sink(b);
                });
                if (again.value() != expected) throw std::runtime_error(file.string() + " changed while it was packed");
            };
            records.push_back(input.record);
            inputs.push_back(std::move(input));
        }
    } catch (const std::exception& e) {
        std::cerr << "setup-tool pack: " << e.what() << " (nothing written)\n";
        return 1;
    }
    // The reader refuses a larger table before it reads a single entry.
    if (payload::build_table_of_contents(records).size() > payload::toc_max_size) {
        std::cerr << "setup-tool pack: the table of contents would exceed " << (payload::toc_max_size >> 20)
                  << " MiB (nothing written)\n";
        return 1;
    }

    auto partial = output;
    partial += ".partial";
    try {
        {
            std::ofstream out(partial, std::ios::binary | std::ios::trunc);
            if (!out) throw std::runtime_error("cannot create " + partial.string());
            payload::write_archive(inputs, out);
            out.close();
            if (!out) throw std::runtime_error("cannot write " + partial.string());
        }
        std::filesystem::rename(partial, output);
    } catch (const std::exception& e) {
        std::error_code ec;
        std::filesystem::remove(partial, ec);
        std::cerr << "setup-tool pack: " << e.what() << " (nothing written)\n";
        return 1;
    }
    return 0;
}

}  // namespace setup_tool
