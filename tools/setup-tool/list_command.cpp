// setup-tool list: the table of contents of a payload, read by the setup program's own reader.
#include "commands.h"
#include "payload/compress_error.h"
#include "payload/extract_payload.h"
#include "payload/table_of_contents.h"
#include "text.h"

#include <cstdio>
#include <fstream>
#include <iostream>

namespace setup_tool {

int run_list(std::span<const std::string> args) {
    if (args.size() != 1 || args[0].starts_with("--")) {
        std::cerr << "usage: setup-tool list PAYLOAD\n";
        return 2;
    }
    std::ifstream in(host_path(args[0]), std::ios::binary);
    if (!in) {
        std::cerr << "setup-tool list: cannot open " << args[0] << "\n";
        return 1;
    }
    std::vector<payload::payload_entry> entries;
    try {
        entries = payload::read_table_of_contents(in);
    } catch (const std::exception& e) {
        std::cerr << "setup-tool list: " << args[0] << ": not a payload archive (error "
                  << to_utf8(payload::error_code_text(payload::error_code_of(e))) << ")\n";
        return 1;
    }
    for (const auto& e : entries) {
        char crc[9];
        std::snprintf(crc, sizeof crc, "%08x", e.crc);
        std::cout << e.kind << '\t' << e.size << '\t' << crc << '\t' << to_utf8(e.destination) << '\t'
                  << to_utf8(payload::file_name_of(e.source)) << '\n';
    }
    return 0;
}

}  // namespace setup_tool
