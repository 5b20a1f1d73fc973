// Win32-only: proves every constant the portable headers copy from the SDK against the system headers,
// so that a slip in a copied value fails the Windows build instead of a call at run time.  (The dialog
// styles are proved by res/win32/dialog_styles_check.cpp.)  The predefined registry keys and the
// known-folder GUIDs are no constant expressions in the SDK; tests/contract/win32/sdk_values_test.cpp
// compares them at run time.
#include <windows.h>
#include <shlobj.h>

#include "os/code_page.h"
#include "os/file_system.h"
#include "os/kernel_objects.h"
#include "os/process_environment.h"
#include "os/registry.h"
#include "os/shell_folders.h"
#include "os/user_interface.h"
#include "os/win_error.h"
#include "vd/security_functions.h"

namespace {

using namespace os;

// Every SDK constant here fits in 64 bits whatever its type (int, long, unsigned long, enum, HRESULT).
constexpr bool same(long long ours, long long system) { return ours == system; }

// MessageBoxW types and answers.
static_assert(same(mb::ok, MB_OK));
static_assert(same(mb::ok_cancel, MB_OKCANCEL));
static_assert(same(mb::abort_retry_ignore, MB_ABORTRETRYIGNORE));
static_assert(same(mb::yes_no_cancel, MB_YESNOCANCEL));
static_assert(same(mb::yes_no, MB_YESNO));
static_assert(same(mb::task_modal, MB_TASKMODAL));
static_assert(same(mb::set_foreground, MB_SETFOREGROUND));
static_assert(same(mb::retry_cancel, MB_RETRYCANCEL));
static_assert(same(mb::cancel_try_continue, MB_CANCELTRYCONTINUE));
static_assert(same(mb::button_mask, MB_TYPEMASK));
static_assert(same(mb::icon_hand, MB_ICONHAND));
static_assert(same(mb::icon_question, MB_ICONQUESTION));
static_assert(same(mb::icon_exclamation, MB_ICONEXCLAMATION));
static_assert(same(mb::icon_asterisk, MB_ICONASTERISK));
static_assert(same(mb::icon_mask, MB_ICONMASK));
static_assert(same(mb::default_button_mask, MB_DEFMASK));
static_assert(same(mb::rtl_reading, MB_RTLREADING));
static_assert(same(id::ok, IDOK));
static_assert(same(id::cancel, IDCANCEL));
static_assert(same(id::abort, IDABORT));
static_assert(same(id::retry, IDRETRY));
static_assert(same(id::ignore, IDIGNORE));
static_assert(same(id::yes, IDYES));
static_assert(same(id::no, IDNO));
static_assert(same(id::try_again, IDTRYAGAIN));
static_assert(same(id::continue_, IDCONTINUE));

// Window styles.
static_assert(same(ws::popup, WS_POPUP));
static_assert(same(ws::child, WS_CHILD));
static_assert(same(ws::visible, WS_VISIBLE));
static_assert(same(ws::disabled, WS_DISABLED));
static_assert(same(ws::caption, WS_CAPTION));
static_assert(same(ws::sys_menu, WS_SYSMENU));
static_assert(same(ws::overlapped_window, WS_OVERLAPPEDWINDOW));
static_assert(same(ws_ex::layout_rtl, WS_EX_LAYOUTRTL));

// Shell folders.
static_assert(same(csidl::desktop, CSIDL_DESKTOP));
static_assert(same(csidl::programs, CSIDL_PROGRAMS));
static_assert(same(csidl::personal, CSIDL_PERSONAL));
static_assert(same(csidl::startup, CSIDL_STARTUP));
static_assert(same(csidl::startmenu, CSIDL_STARTMENU));
static_assert(same(csidl::desktopdirectory, CSIDL_DESKTOPDIRECTORY));
static_assert(same(csidl::common_startmenu, CSIDL_COMMON_STARTMENU));
static_assert(same(csidl::common_programs, CSIDL_COMMON_PROGRAMS));
static_assert(same(csidl::common_desktopdirectory, CSIDL_COMMON_DESKTOPDIRECTORY));
static_assert(same(csidl::appdata, CSIDL_APPDATA));
static_assert(same(csidl::local_appdata, CSIDL_LOCAL_APPDATA));
static_assert(same(csidl::common_appdata, CSIDL_COMMON_APPDATA));
static_assert(same(csidl::windows, CSIDL_WINDOWS));
static_assert(same(csidl::system, CSIDL_SYSTEM));
static_assert(same(csidl::program_files, CSIDL_PROGRAM_FILES));
static_assert(same(csidl::program_files_common, CSIDL_PROGRAM_FILES_COMMON));
static_assert(same(csidl::common_documents, CSIDL_COMMON_DOCUMENTS));
static_assert(same(csidl::flag_create, CSIDL_FLAG_CREATE));
static_assert(same(csidl::flag_mask, CSIDL_FLAG_MASK));
static_assert(same(known_folder_flag::none, KF_FLAG_DEFAULT));
static_assert(same(known_folder_flag::dont_verify, KF_FLAG_DONT_VERIFY));
static_assert(same(known_folder_flag::create, KF_FLAG_CREATE));
static_assert(same(folder_type::current, SHGFP_TYPE_CURRENT));
static_assert(same(folder_type::default_, SHGFP_TYPE_DEFAULT));

// Registry value types and key access rights.
static_assert(same(reg_type::none, REG_NONE));
static_assert(same(reg_type::sz, REG_SZ));
static_assert(same(reg_type::expand_sz, REG_EXPAND_SZ));
static_assert(same(reg_type::binary, REG_BINARY));
static_assert(same(reg_type::dword, REG_DWORD));
static_assert(same(reg_type::multi_sz, REG_MULTI_SZ));
static_assert(same(reg_type::qword, REG_QWORD));
static_assert(same(key_access::query_value, KEY_QUERY_VALUE));
static_assert(same(key_access::set_value, KEY_SET_VALUE));
static_assert(same(key_access::create_sub_key, KEY_CREATE_SUB_KEY));
static_assert(same(key_access::enumerate_sub_keys, KEY_ENUMERATE_SUB_KEYS));
static_assert(same(key_access::read, KEY_READ));
static_assert(same(key_access::write, KEY_WRITE));
static_assert(same(key_access::all_access, KEY_ALL_ACCESS));
static_assert(same(key_access::maximum_allowed, MAXIMUM_ALLOWED));

// Files.
static_assert(same(file_attribute::readonly, FILE_ATTRIBUTE_READONLY));
static_assert(same(file_attribute::hidden, FILE_ATTRIBUTE_HIDDEN));
static_assert(same(file_attribute::system, FILE_ATTRIBUTE_SYSTEM));
static_assert(same(file_attribute::directory, FILE_ATTRIBUTE_DIRECTORY));
static_assert(same(file_attribute::archive, FILE_ATTRIBUTE_ARCHIVE));
static_assert(same(file_attribute::normal, FILE_ATTRIBUTE_NORMAL));
static_assert(same(file_attribute::temporary, FILE_ATTRIBUTE_TEMPORARY));
static_assert(same(file_attribute::reparse_point, FILE_ATTRIBUTE_REPARSE_POINT));
static_assert(same(reparse_tag::mount_point, IO_REPARSE_TAG_MOUNT_POINT));
static_assert(same(reparse_tag::symlink, IO_REPARSE_TAG_SYMLINK));
static_assert(same(move_flag::replace_existing, MOVEFILE_REPLACE_EXISTING));
static_assert(same(move_flag::copy_allowed, MOVEFILE_COPY_ALLOWED));
static_assert(same(file_share::none, 0));
static_assert(same(file_share::read, FILE_SHARE_READ));
static_assert(same(file_share::write, FILE_SHARE_WRITE));
static_assert(same(file_share::remove, FILE_SHARE_DELETE));
static_assert(same(static_cast<int>(file_disposition::create_new), CREATE_NEW));
static_assert(same(static_cast<int>(file_disposition::create_always), CREATE_ALWAYS));
static_assert(same(static_cast<int>(file_disposition::open_existing), OPEN_EXISTING));
static_assert(same(static_cast<int>(file_disposition::open_always), OPEN_ALWAYS));
static_assert(same(static_cast<int>(file_disposition::truncate_existing), TRUNCATE_EXISTING));

// Code pages and conversion flags.
static_assert(same(code_page_id::ansi, CP_ACP));
static_assert(same(code_page_id::thread_ansi, CP_THREAD_ACP));
static_assert(same(code_page_id::utf8, CP_UTF8));
static_assert(same(multi_byte_flag::precomposed, MB_PRECOMPOSED));
static_assert(same(multi_byte_flag::error_invalid_chars, MB_ERR_INVALID_CHARS));
static_assert(same(wide_char_flag::no_best_fit_chars, WC_NO_BEST_FIT_CHARS));

// Process environment and waits.
static_assert(same(processor_feature::sse2, PF_XMMI64_INSTRUCTIONS_AVAILABLE));
static_assert(same(error_mode::fail_critical_errors, SEM_FAILCRITICALERRORS));
static_assert(same(error_mode::no_open_file_error_box, SEM_NOOPENFILEERRORBOX));
static_assert(same(infinite_wait, INFINITE));

// Windows error numbers.
static_assert(same(errc::success, ERROR_SUCCESS));
static_assert(same(errc::file_not_found, ERROR_FILE_NOT_FOUND));
static_assert(same(errc::path_not_found, ERROR_PATH_NOT_FOUND));
static_assert(same(errc::not_supported, ERROR_NOT_SUPPORTED));
static_assert(same(errc::access_denied, ERROR_ACCESS_DENIED));
static_assert(same(errc::invalid_handle, ERROR_INVALID_HANDLE));
static_assert(same(errc::not_enough_memory, ERROR_NOT_ENOUGH_MEMORY));
static_assert(same(errc::invalid_data, ERROR_INVALID_DATA));
static_assert(same(errc::not_same_device, ERROR_NOT_SAME_DEVICE));
static_assert(same(errc::no_more_files, ERROR_NO_MORE_FILES));
static_assert(same(errc::gen_failure, ERROR_GEN_FAILURE));
static_assert(same(errc::sharing_violation, ERROR_SHARING_VIOLATION));
static_assert(same(errc::handle_eof, ERROR_HANDLE_EOF));
static_assert(same(errc::file_exists, ERROR_FILE_EXISTS));
static_assert(same(errc::invalid_parameter, ERROR_INVALID_PARAMETER));
static_assert(same(errc::disk_full, ERROR_DISK_FULL));
static_assert(same(errc::call_not_implemented, ERROR_CALL_NOT_IMPLEMENTED));
static_assert(same(errc::insufficient_buffer, ERROR_INSUFFICIENT_BUFFER));
static_assert(same(errc::invalid_name, ERROR_INVALID_NAME));
static_assert(same(errc::mod_not_found, ERROR_MOD_NOT_FOUND));
static_assert(same(errc::dir_not_empty, ERROR_DIR_NOT_EMPTY));
static_assert(same(errc::bad_pathname, ERROR_BAD_PATHNAME));
static_assert(same(errc::busy, ERROR_BUSY));
static_assert(same(errc::already_exists, ERROR_ALREADY_EXISTS));
static_assert(same(errc::filename_exced_range, ERROR_FILENAME_EXCED_RANGE));
static_assert(same(errc::more_data, ERROR_MORE_DATA));
static_assert(same(errc::no_more_items, ERROR_NO_MORE_ITEMS));
static_assert(same(errc::directory, ERROR_DIRECTORY));
static_assert(same(errc::not_owner, ERROR_NOT_OWNER));
static_assert(same(errc::too_many_posts, ERROR_TOO_MANY_POSTS));
static_assert(same(errc::mr_mid_not_found, ERROR_MR_MID_NOT_FOUND));
static_assert(same(errc::no_token, ERROR_NO_TOKEN));
static_assert(same(errc::badkey, ERROR_BADKEY));
static_assert(same(errc::not_registry_file, ERROR_NOT_REGISTRY_FILE));
static_assert(same(errc::key_deleted, ERROR_KEY_DELETED));
static_assert(same(errc::cancelled, ERROR_CANCELLED));
static_assert(same(errc::not_all_assigned, ERROR_NOT_ALL_ASSIGNED));
static_assert(same(errc::no_such_privilege, ERROR_NO_SUCH_PRIVILEGE));
static_assert(same(errc::privilege_not_held, ERROR_PRIVILEGE_NOT_HELD));
static_assert(same(errc::invalid_acl, ERROR_INVALID_ACL));
static_assert(same(errc::invalid_sid, ERROR_INVALID_SID));
static_assert(same(errc::invalid_security_descriptor, ERROR_INVALID_SECURITY_DESCR));
static_assert(same(errc::allotted_space_exceeded, ERROR_ALLOTTED_SPACE_EXCEEDED));
static_assert(same(errc::resource_data_not_found, ERROR_RESOURCE_DATA_NOT_FOUND));
static_assert(same(errc::resource_type_not_found, ERROR_RESOURCE_TYPE_NOT_FOUND));
static_assert(same(errc::resource_name_not_found, ERROR_RESOURCE_NAME_NOT_FOUND));
static_assert(same(errc::resource_lang_not_found, ERROR_RESOURCE_LANG_NOT_FOUND));
// mingw-w64's winerror.h stops before this one; the Windows SDK names it.
#ifdef ERROR_REPARSE_POINT_ENCOUNTERED
static_assert(same(errc::reparse_point_encountered, ERROR_REPARSE_POINT_ENCOUNTERED));
#endif

// HRESULTs.
static_assert(same(hr::ok, S_OK));
static_assert(same(hr::e_fail, E_FAIL));
static_assert(same(hr::e_notimpl, E_NOTIMPL));
static_assert(same(hr::e_unexpected, E_UNEXPECTED));
static_assert(same(hr::e_invalidarg, E_INVALIDARG));
static_assert(same(hr::e_outofmemory, E_OUTOFMEMORY));
static_assert(same(hr::from_win32(errc::success), __HRESULT_FROM_WIN32(ERROR_SUCCESS)));
static_assert(same(hr::from_win32(errc::access_denied), __HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)));
static_assert(same(hr::from_win32(errc::filename_exced_range), __HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)));

// The search a system library bound at run time is loaded with.
static_assert(same(vd::details::load_library_search_system32, LOAD_LIBRARY_SEARCH_SYSTEM32));

}  // namespace
