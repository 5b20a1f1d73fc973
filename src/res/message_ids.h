// The interface texts by name: each constant is the French string id that LoadText and FormatText
// take (the lookup adds the language's block).  The texts themselves are in src/res/strings/.
#pragma once

namespace text {

inline constexpr unsigned application = 1000;            // "Installer"
inline constexpr unsigned ok = 1001;                     // "OK"
inline constexpr unsigned cancel = 1002;                 // "Cancel"
inline constexpr unsigned about_title = 1003;            // "About '%1'"
inline constexpr unsigned exit = 1004;                   // "Exit"
inline constexpr unsigned back = 1005;                   // "Back"
inline constexpr unsigned next = 1006;                   // "Next"
inline constexpr unsigned install = 1007;                // "Install"
inline constexpr unsigned browse = 1008;                 // "Browse..."
inline constexpr unsigned start_menu = 1009;             // "Start menu"
inline constexpr unsigned folder_selection = 1010;       // "Installation Folder Selection"
inline constexpr unsigned step_ok = 1011;                // "OK", ending a log line
inline constexpr unsigned step_failed = 1012;            // "Failed", ending a log line
inline constexpr unsigned uninstall_name = 1013;         // "Uninstall %1"
inline constexpr unsigned select_language = 1014;        // "Select Installation Langage"
inline constexpr unsigned installation_method = 1015;    // "Installation Method"
inline constexpr unsigned quick_installation = 1016;     // "Quick Installation (Recommended)"
inline constexpr unsigned advanced_installation = 1017;  // "Advanced Installation"
inline constexpr unsigned examples_name = 1018;          // "%1 Examples"

inline constexpr unsigned product_installation = 1100;   // "'%1' Installation."
inline constexpr unsigned update_from_to = 1101;         // "Update from '%1' to '%2'."
inline constexpr unsigned already_installed = 1102;      // "'%1' is already installed."
inline constexpr unsigned newer_installed = 1103;        // "A more recent Version (%1) is already installed."
inline constexpr unsigned confirm_reinstall = 1104;      // "Do you confirm Reinstallation ?"
inline constexpr unsigned continue_or_exit = 1105;       // "Click on '%1' to continue or on '%2' to exit ..."
inline constexpr unsigned click_to_continue = 1106;      // "Click on '%1' to continue."
inline constexpr unsigned click_to_exit = 1107;          // "Click on '%1' to exit Installation."
inline constexpr unsigned click_to_install = 1108;       // "Click on '%1' to start Installation."
inline constexpr unsigned welcome = 1109;                // "Welcome to '%1' Installation."
inline constexpr unsigned confirm_exit = 1110;           // "Installation is not complete. ... exit Installation ?"
inline constexpr unsigned select_install_folder = 1111;  // "Select '%1' Installation Folder."
inline constexpr unsigned menu_shortcut = 1112;          // "Create a Shortcut in the following Menu:"
inline constexpr unsigned desktop_shortcut = 1113;       // "Create a Shortcut on the Desktop."
inline constexpr unsigned preparing = 1114;              // "Preparing Installation..."
inline constexpr unsigned copying_file = 1115;           // "Copying File  %1..."
inline constexpr unsigned creating_shortcuts = 1117;     // "Shortcuts Creation..."
inline constexpr unsigned writing_registry = 1118;       // "Registry Data Writing..."
inline constexpr unsigned writing_records = 1119;        // "Installation Data Writing..."
inline constexpr unsigned installation_complete = 1120;  // "Installation is complete."
inline constexpr unsigned installation_failed = 1121;    // "Installation failed (Error Code %1)."
inline constexpr unsigned installation_options = 1122;   // "Installation Options"
inline constexpr unsigned option_folder = 1123;          // "Installation Folder: %1."
inline constexpr unsigned option_menu_shortcut = 1124;   // "Creating a Shortcut in the Start Menu (Folder %1)."
inline constexpr unsigned option_desktop = 1125;         // "Creating a Shortcut on the Desktop."
inline constexpr unsigned administrator_needed = 1126;   // "You should have Administrator Rights ..."
inline constexpr unsigned close_product = 1127;          // "You should close '%1' before continuing Installation."
inline constexpr unsigned english_installer = 1129;      // "'%1' will be installed in the selected Langage, ..."
inline constexpr unsigned updating_directx = 1131;       // "DirectX Update..." (English falls back to French)

}  // namespace text
