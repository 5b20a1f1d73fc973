// The subcommands of setup-tool.  Each takes the arguments after its name and returns the
// process's exit status (0 success, 1 failure, 2 usage error).
#pragma once

#include <span>
#include <string>

namespace setup_tool {

int run_pack(std::span<const std::string> args);
int run_list(std::span<const std::string> args);
int run_extract(std::span<const std::string> args);
int run_ulog(std::span<const std::string> args);

}  // namespace setup_tool
