// The Win32 window, dialog and control style bits that the dialog templates use, named once so that
// portable code can describe templates without <windows.h>.  win32/dialog_styles_check.cpp proves
// every value against the system headers.
#pragma once

#include <cstdint>

namespace res::style {

// Window styles.
inline constexpr std::uint32_t ws_popup = 0x80000000;
inline constexpr std::uint32_t ws_child = 0x40000000;
inline constexpr std::uint32_t ws_visible = 0x10000000;
inline constexpr std::uint32_t ws_disabled = 0x08000000;
inline constexpr std::uint32_t ws_clipchildren = 0x02000000;
inline constexpr std::uint32_t ws_caption = 0x00C00000;
inline constexpr std::uint32_t ws_border = 0x00800000;
inline constexpr std::uint32_t ws_vscroll = 0x00200000;
inline constexpr std::uint32_t ws_hscroll = 0x00100000;
inline constexpr std::uint32_t ws_sysmenu = 0x00080000;
inline constexpr std::uint32_t ws_group = 0x00020000;
inline constexpr std::uint32_t ws_tabstop = 0x00010000;

// Extended window styles.
inline constexpr std::uint32_t ws_ex_transparent = 0x00000020;
inline constexpr std::uint32_t ws_ex_appwindow = 0x00040000;

// Dialog styles.
inline constexpr std::uint32_t ds_fixedsys = 0x0008;
inline constexpr std::uint32_t ds_nofailcreate = 0x0010;
inline constexpr std::uint32_t ds_setfont = 0x0040;
inline constexpr std::uint32_t ds_modalframe = 0x0080;
inline constexpr std::uint32_t ds_control = 0x0400;
inline constexpr std::uint32_t ds_center = 0x0800;

// Button styles (the low four bits are the button's kind).
inline constexpr std::uint32_t bs_pushbutton = 0x0000;
inline constexpr std::uint32_t bs_defpushbutton = 0x0001;
inline constexpr std::uint32_t bs_autocheckbox = 0x0003;
inline constexpr std::uint32_t bs_groupbox = 0x0007;
inline constexpr std::uint32_t bs_autoradiobutton = 0x0009;
inline constexpr std::uint32_t bs_typemask = 0x000F;

// Static styles (the low five bits are the static's kind).
inline constexpr std::uint32_t ss_left = 0x0000;
inline constexpr std::uint32_t ss_center = 0x0001;
inline constexpr std::uint32_t ss_icon = 0x0003;
inline constexpr std::uint32_t ss_whiterect = 0x0006;
inline constexpr std::uint32_t ss_bitmap = 0x000E;
inline constexpr std::uint32_t ss_etchedhorz = 0x0010;
inline constexpr std::uint32_t ss_typemask = 0x001F;
inline constexpr std::uint32_t ss_noprefix = 0x0080;
inline constexpr std::uint32_t ss_realsizeimage = 0x0800;
inline constexpr std::uint32_t ss_sunken = 0x1000;

// Edit styles.
inline constexpr std::uint32_t es_left = 0x0000;
inline constexpr std::uint32_t es_multiline = 0x0004;
inline constexpr std::uint32_t es_autovscroll = 0x0040;
inline constexpr std::uint32_t es_autohscroll = 0x0080;
inline constexpr std::uint32_t es_readonly = 0x0800;

// Combo-box and progress-bar styles.
inline constexpr std::uint32_t cbs_dropdownlist = 0x0003;
inline constexpr std::uint32_t pbs_smooth = 0x01;

}  // namespace res::style
