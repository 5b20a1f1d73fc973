// dialog-rc: writes the resource script of the program's dialog templates and side bitmap, for the
// Windows build's resource compiler.
//
//   dialog-rc <output.rc> <bitmap file>
//
// The bitmap file is written into the script as given (an absolute path, or one the resource
// compiler finds on its include path).
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <system_error>

#include "dialog_script.h"
#include "res/dialog_templates.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: dialog-rc <output.rc> <bitmap file>\n");
        return 2;
    }
    const std::filesystem::path output = argv[1];
    // A partial script must not be taken for a finished one by the next build.
    const auto partial = std::filesystem::path(output).concat(".partial");
    try {
        const std::string script = dialog_rc::dialog_script(res::dialog_templates(), argv[2]);
        {
            std::ofstream file(partial, std::ios::binary | std::ios::trunc);
            file.write(script.data(), static_cast<std::streamsize>(script.size()));
            file.close();
            if (!file) throw std::runtime_error("cannot write " + partial.string());
        }
        std::filesystem::rename(partial, output);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dialog-rc: %s\n", error.what());
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        return 1;
    }
    return 0;
}
