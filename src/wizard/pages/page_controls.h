// The control ids of the wizard's templates, by role.  Ids are shared by role across pages: 1003 is
// every page's status line, 1006 every Browse button, 1007 every folder edit box.
#pragma once

namespace wizard::control {

// The frame.
inline constexpr int next = 1;
inline constexpr int exit = 2;
inline constexpr int back = 3;
inline constexpr int side_background = 1005;
inline constexpr int separator = 1002;

// Shared by role.
inline constexpr int status = 1003;
inline constexpr int browse = 1006;
inline constexpr int folder_edit = 1007;

// Start page.
inline constexpr int info = 1016;
inline constexpr int welcome = 1020;
inline constexpr int language_label = 1022;
inline constexpr int language_list = 1023;

// Mode page.
inline constexpr int mode_group = 1021;
inline constexpr int quick_mode = 1018;
inline constexpr int advanced_mode = 1019;

// Folder page.
inline constexpr int folder_group = 1008;
inline constexpr int folder_label = 1009;

// Shortcut page.
inline constexpr int menu_group = 1012;
inline constexpr int menu_check = 1011;
inline constexpr int desktop_check = 1010;

// Progress page.
inline constexpr int log_box = 1015;
inline constexpr int progress_bar = 1014;

// End page: the completion text is `info` (1016).

// About box.
inline constexpr int about_title = 1019;
inline constexpr int about_copyright = 1020;

}  // namespace wizard::control
