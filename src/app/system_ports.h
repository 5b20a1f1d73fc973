// The ports through which the program reaches the system: built once at start (the Win32 adapters
// in the program, the native doubles in tests) and handed to the application object.
#pragma once

namespace os {
class code_page;
class file_system;
class kernel_objects;
class locale;
class process_environment;
class process_info;
class registry;
class resources;
class security;
class shell_folders;
class system_text;
class user_interface;
}  // namespace os

namespace app {

struct SystemPorts {
    os::process_environment& environment;
    os::process_info& process;
    os::locale& locale;
    os::code_page& codePage;
    os::resources& resources;
    os::registry& registry;
    os::file_system& files;
    os::shell_folders& shell;
    os::kernel_objects& kernel;
    os::security& security;
    os::user_interface& ui;
    os::system_text& systemText;
};

}  // namespace app
