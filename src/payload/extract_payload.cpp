// Extracting the payload (see extract_payload.h).
#include "payload/extract_payload.h"

#include "payload/bzip2_stream.h"
#include "payload/compress_error.h"
#include "payload/payload_extractor.h"
#include "payload/placement.h"
#include "payload/table_of_contents.h"

#include <array>
#include <cstdint>
#include <ios>

namespace payload {

namespace {

constexpr std::size_t chunk_size = 4096;

}  // namespace

std::error_code error_code_of(const std::exception& e) noexcept {
    if (dynamic_cast<const bzip2_error*>(&e)) return make_error_code(compress_errc::bzip2_failure);
    if (auto* system = dynamic_cast<const std::system_error*>(&e)) {
        // A stream failure of the standard library carries no Windows error: it means the C
        // runtime's errno at best, which is not known here.
        if (dynamic_cast<const std::ios_base::failure*>(&e) && system->code().category() != std::generic_category())
            return make_error_code(compress_errc::unexpected_error);
        return system->code();
    }
    return make_error_code(compress_errc::unexpected_error);
}

bool extract_payload(std::istream& compressed, payload_ports& ports, const destination_inputs& inputs,
                     const notification_callback& callback, unsigned decoder_threads) noexcept {
    const std::wstring* open_path = nullptr;
    std::wstring failed_path;
    std::error_code code;
    try {
        if (callback) (void)callback(notifications::started{});
        payload_extractor extractor(ports, inputs, callback);
        try {
            bzip2_decompressor source(compressed, decoder_threads);
            std::array<std::byte, chunk_size> chunk;
            std::uint64_t copied = 0;
            for (;;) {
                const std::size_t got = source.read(chunk);
                if (got == 0) break;
                copied += got;
                for (std::size_t done = 0; done < got;) done += extractor.write(chunk.data() + done, got - done);
            }
            extractor.finish();
            if (extractor.total() == 0 || extractor.consumed() != extractor.total())
                throw compress_error(compress_errc::unexpected_error, "the archive ends early");
            if (callback) (void)callback(notifications::finished{copied, extractor.total()});
            return true;
        } catch (...) {
            // The file being written names the failure; the extractor still knows it here.
            if ((open_path = extractor.open_destination())) failed_path = *open_path;
            throw;
        }
    } catch (const file_error& e) {
        code = error_code_of(e);
        if (failed_path.empty()) failed_path = e.path();
    } catch (const std::exception& e) {
        code = error_code_of(e);
    } catch (...) {
        code = make_error_code(compress_errc::unexpected_error);
    }
    try {
        if (callback) (void)callback(notifications::failed{code, failed_path});
    } catch (...) {
        // The answer to failed is ignored, and so is a callback that throws on it.
    }
    return false;
}

std::vector<payload_entry> read_table_of_contents(std::istream& compressed) {
    // Serial: only the first bytes are wanted.
    bzip2_serial_decompressor source(compressed);
    std::vector<std::byte> table;
    std::uint64_t data_offset = toc_prefix_size;
    std::array<std::byte, 1> one;
    // Byte by byte: the table is small and nothing after it is needed.
    while (table.size() < data_offset) {
        if (source.read(one) == 0)
            throw compress_error(compress_errc::unexpected_error, "the archive ends in its table");
        table.push_back(one[0]);
        if (table.size() == toc_prefix_size) {
            data_offset = toc_data_offset(table);
            if (!plausible_data_offset(data_offset))
                throw compress_error(compress_errc::unexpected_error, "implausible table of contents size");
        }
    }
    return parse_table_of_contents(table);
}

std::error_code check_payload(std::istream& compressed) noexcept {
    try {
        bzip2_decompressor source(compressed);
        std::array<std::byte, chunk_size> chunk;
        std::vector<std::byte> table;
        std::uint64_t data_offset = 0, seen = 0, total = 0;
        for (;;) {
            const std::size_t got = source.read(chunk);
            if (got == 0) break;
            std::size_t used = 0;
            while (used < got && (table.size() < toc_prefix_size || table.size() < data_offset)) {
                const std::size_t want = table.size() < toc_prefix_size
                                             ? toc_prefix_size - table.size()
                                             : static_cast<std::size_t>(data_offset - table.size());
                const std::size_t take = std::min(want, got - used);
                table.insert(table.end(), chunk.begin() + used, chunk.begin() + used + take);
                used += take;
                if (table.size() == toc_prefix_size) {
                    data_offset = toc_data_offset(table);
                    if (!plausible_data_offset(data_offset)) return make_error_code(compress_errc::unexpected_error);
                }
                if (table.size() == data_offset) {
                    total = data_offset;
                    for (const auto& e : parse_table_of_contents(table)) {
                        if (e.size > UINT64_MAX - total) return make_error_code(compress_errc::unexpected_error);
                        total += e.size;
                    }
                }
            }
            seen += got;
        }
        if (total == 0 || seen != total) return make_error_code(compress_errc::unexpected_error);
        return {};
    } catch (const std::exception& e) {
        return error_code_of(e);
    } catch (...) {
        return make_error_code(compress_errc::unexpected_error);
    }
}

}  // namespace payload
