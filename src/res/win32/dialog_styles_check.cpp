// Win32-only: proves every style constant of dialog_styles.h against the system headers.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "res/dialog_styles.h"

namespace {

using namespace res::style;

constexpr bool same(std::uint32_t ours, unsigned long long system) { return ours == system; }

static_assert(same(ws_popup, WS_POPUP));
static_assert(same(ws_child, WS_CHILD));
static_assert(same(ws_visible, WS_VISIBLE));
static_assert(same(ws_disabled, WS_DISABLED));
static_assert(same(ws_clipchildren, WS_CLIPCHILDREN));
static_assert(same(ws_caption, WS_CAPTION));
static_assert(same(ws_border, WS_BORDER));
static_assert(same(ws_vscroll, WS_VSCROLL));
static_assert(same(ws_hscroll, WS_HSCROLL));
static_assert(same(ws_sysmenu, WS_SYSMENU));
static_assert(same(ws_group, WS_GROUP));
static_assert(same(ws_tabstop, WS_TABSTOP));
static_assert(same(ws_ex_transparent, WS_EX_TRANSPARENT));
static_assert(same(ws_ex_appwindow, WS_EX_APPWINDOW));
static_assert(same(ds_fixedsys, DS_FIXEDSYS));
static_assert(same(ds_nofailcreate, DS_NOFAILCREATE));
static_assert(same(ds_setfont, DS_SETFONT));
static_assert(same(ds_modalframe, DS_MODALFRAME));
static_assert(same(ds_control, DS_CONTROL));
static_assert(same(ds_center, DS_CENTER));
static_assert(same(bs_pushbutton, BS_PUSHBUTTON));
static_assert(same(bs_defpushbutton, BS_DEFPUSHBUTTON));
static_assert(same(bs_autocheckbox, BS_AUTOCHECKBOX));
static_assert(same(bs_groupbox, BS_GROUPBOX));
static_assert(same(bs_autoradiobutton, BS_AUTORADIOBUTTON));
static_assert(same(bs_typemask, BS_TYPEMASK));
static_assert(same(ss_left, SS_LEFT));
static_assert(same(ss_center, SS_CENTER));
static_assert(same(ss_icon, SS_ICON));
static_assert(same(ss_whiterect, SS_WHITERECT));
static_assert(same(ss_bitmap, SS_BITMAP));
static_assert(same(ss_etchedhorz, SS_ETCHEDHORZ));
static_assert(same(ss_typemask, SS_TYPEMASK));
static_assert(same(ss_noprefix, SS_NOPREFIX));
static_assert(same(ss_realsizeimage, SS_REALSIZEIMAGE));
static_assert(same(ss_sunken, SS_SUNKEN));
static_assert(same(es_left, ES_LEFT));
static_assert(same(es_multiline, ES_MULTILINE));
static_assert(same(es_autovscroll, ES_AUTOVSCROLL));
static_assert(same(es_autohscroll, ES_AUTOHSCROLL));
static_assert(same(es_readonly, ES_READONLY));
static_assert(same(cbs_dropdownlist, CBS_DROPDOWNLIST));
static_assert(same(pbs_smooth, PBS_SMOOTH));

}  // namespace
