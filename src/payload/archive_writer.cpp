// Building a payload archive (see archive_writer.h).
#include "payload/archive_writer.h"

#include "payload/bzip2_stream.h"
#include "payload/table_of_contents.h"

#include <stdexcept>

namespace payload {

void write_archive(const std::vector<archive_input>& inputs, std::ostream& out, int block_size) {
    std::vector<payload_entry> records;
    records.reserve(inputs.size());
    for (const auto& i : inputs) records.push_back(i.record);
    bzip2_compressor compressor(out, block_size);
    compressor.write(build_table_of_contents(records));
    for (const auto& i : inputs) {
        std::uint64_t written = 0;
        if (i.content)
            i.content([&](std::span<const std::byte> data) {
                written += data.size();
                compressor.write(data);
            });
        if (written != i.record.size) throw std::runtime_error("an entry's content does not have its recorded size");
    }
    compressor.finish();
}

}  // namespace payload
