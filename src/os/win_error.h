// Windows error codes as std::error_code values of one category on both builds.
#pragma once

#include <cstdint>
#include <system_error>

namespace os {

// The category that means "Windows error": std::system_category() on Windows, a category of our own
// natively, so that the doubles fail with the codes Windows would give (5, 32, 183, ...).
const std::error_category& win_category() noexcept;

[[nodiscard]] inline std::error_code win_error(std::uint32_t code) noexcept {
    return {static_cast<int>(code), win_category()};
}

// The Windows error numbers the code uses, named once (ERROR_<NAME> in the SDK).
namespace errc {
inline constexpr std::uint32_t success = 0;
inline constexpr std::uint32_t file_not_found = 2;
inline constexpr std::uint32_t path_not_found = 3;
inline constexpr std::uint32_t access_denied = 5;
inline constexpr std::uint32_t invalid_handle = 6;
inline constexpr std::uint32_t not_enough_memory = 8;
inline constexpr std::uint32_t invalid_data = 13;
inline constexpr std::uint32_t not_same_device = 17;
inline constexpr std::uint32_t no_more_files = 18;
inline constexpr std::uint32_t gen_failure = 31;
inline constexpr std::uint32_t sharing_violation = 32;
inline constexpr std::uint32_t handle_eof = 38;
inline constexpr std::uint32_t not_supported = 50;
inline constexpr std::uint32_t file_exists = 80;
inline constexpr std::uint32_t invalid_parameter = 87;
inline constexpr std::uint32_t disk_full = 112;
inline constexpr std::uint32_t call_not_implemented = 120;
inline constexpr std::uint32_t insufficient_buffer = 122;
inline constexpr std::uint32_t invalid_name = 123;
inline constexpr std::uint32_t mod_not_found = 126;
inline constexpr std::uint32_t dir_not_empty = 145;
inline constexpr std::uint32_t bad_pathname = 161;
inline constexpr std::uint32_t busy = 170;
inline constexpr std::uint32_t already_exists = 183;
inline constexpr std::uint32_t filename_exced_range = 206;
inline constexpr std::uint32_t more_data = 234;
inline constexpr std::uint32_t no_more_items = 259;
inline constexpr std::uint32_t directory = 267;
inline constexpr std::uint32_t not_owner = 288;
inline constexpr std::uint32_t too_many_posts = 298;
inline constexpr std::uint32_t mr_mid_not_found = 317;
inline constexpr std::uint32_t no_token = 1008;
inline constexpr std::uint32_t badkey = 1010;
inline constexpr std::uint32_t not_registry_file = 1017;
inline constexpr std::uint32_t key_deleted = 1018;
inline constexpr std::uint32_t cancelled = 1223;
inline constexpr std::uint32_t not_all_assigned = 1300;
inline constexpr std::uint32_t no_such_privilege = 1313;
inline constexpr std::uint32_t privilege_not_held = 1314;
inline constexpr std::uint32_t invalid_acl = 1336;
inline constexpr std::uint32_t invalid_sid = 1337;
inline constexpr std::uint32_t invalid_security_descriptor = 1338;
inline constexpr std::uint32_t allotted_space_exceeded = 1344;
inline constexpr std::uint32_t resource_data_not_found = 1812;
inline constexpr std::uint32_t resource_type_not_found = 1813;
inline constexpr std::uint32_t resource_name_not_found = 1814;
inline constexpr std::uint32_t resource_lang_not_found = 1815;
inline constexpr std::uint32_t reparse_point_encountered = 4395;
}  // namespace errc

// HRESULT helpers shared by the library's wrappers.
namespace hr {
inline constexpr std::int32_t ok = 0;
inline constexpr std::int32_t e_fail = static_cast<std::int32_t>(0x80004005u);
inline constexpr std::int32_t e_notimpl = static_cast<std::int32_t>(0x80004001u);
inline constexpr std::int32_t e_unexpected = static_cast<std::int32_t>(0x8000FFFFu);
inline constexpr std::int32_t e_invalidarg = static_cast<std::int32_t>(0x80070057u);
inline constexpr std::int32_t e_outofmemory = static_cast<std::int32_t>(0x8007000Eu);

// HRESULT_FROM_WIN32: values of 0 or less pass unchanged, others become 0x8007xxxx.
[[nodiscard]] constexpr std::int32_t from_win32(std::uint32_t error) noexcept {
    return static_cast<std::int32_t>(error) <= 0 ? static_cast<std::int32_t>(error)
                                                 : static_cast<std::int32_t>(0x80070000u | (error & 0xFFFFu));
}
}  // namespace hr

}  // namespace os
