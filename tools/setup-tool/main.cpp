// setup-tool: the release engineer's tool.  Subcommands come from one table; a new one is a
// function declared in commands.h and one line below.
#include "commands.h"

#include <array>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct subcommand {
    std::string_view name;
    int (*run)(std::span<const std::string>);
    std::string_view usage;
};

constexpr std::array subcommands{
    subcommand{"pack", setup_tool::run_pack,
               "pack MANIFEST OUTPUT [--base DIR]\n"
               "      Packs the files a manifest names into a payload archive (one bzip2 stream, block\n"
               "      size 9).  MANIFEST is UTF-8 text, one entry a line: kind<TAB>folder<TAB>source,\n"
               "      kind 0-5, folder a destination such as <CommonData>\\Vendrel & Vodoraru\\Materials,\n"
               "      source a file (relative sources are found below DIR, by default the manifest's\n"
               "      folder).  Empty lines and lines starting with # are ignored.  On any error\n"
               "      nothing is written."},
    subcommand{"list", setup_tool::run_list,
               "list PAYLOAD\n"
               "      One line per entry: kind<TAB>size<TAB>crc<TAB>folder<TAB>file name."},
    subcommand{"extract", setup_tool::run_extract,
               "extract PAYLOAD --root DIR [--install-folder PATH] [--examples-name NAME] [--temp-folder PATH]\n"
               "        [--check-first] [--decoder-threads N]\n"
               "      Extracts into the Windows machine kept in DIR (C: is DIR/C), printing started,\n"
               "      file_begin PATH, file_end PATH, then finished COPIED TOTAL or failed CODE MESSAGE.\n"
               "      Exit status 0 after finished, 1 after failed.  --check-first decodes the whole\n"
               "      payload once before extracting, as an installation does.  --decoder-threads 1\n"
               "      decodes serially; the default is one thread per core."},
    subcommand{"ulog", setup_tool::run_ulog,
               "ulog FILE [--root DIR] [--write OUT --install PATH --shortcut PATH]\n"
               "      Reads an uninstall log as the setup program does and prints version N, title TEXT,\n"
               "      install PATH, shortcut PATH, then kind<TAB>entryKind<TAB>flag<TAB>path per record.\n"
               "      With DIR the folders of the header must exist in the machine kept in DIR.  --write\n"
               "      writes what was read as a new log OUT with the given folders."},
};

void print_help(std::ostream& out) {
    out << "usage: setup-tool COMMAND ARGUMENTS...\n\ncommands:\n";
    for (const auto& c : subcommands) out << "  " << c.usage << "\n\n";
    out << "Exit status: 0 success, 1 failure, 2 usage error.\n";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        print_help(std::cerr);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        print_help(std::cout);
        return 0;
    }
    for (const auto& c : subcommands)
        if (c.name == args[0]) {
            try {
                return c.run(std::span<const std::string>(args).subspan(1));
            } catch (const std::exception& e) {
                std::cerr << "setup-tool " << c.name << ": " << e.what() << "\n";
                return 1;
            }
        }
    std::cerr << "setup-tool: unknown command '" << args[0] << "' (see setup-tool --help)\n";
    return 2;
}
