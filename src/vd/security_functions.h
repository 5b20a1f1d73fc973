// Run-time binding of a system library's functions: a table that resolves each export by name on its
// first use and keeps the address for the life of the process, over a small module-loader interface so
// that the failure rules are the same for the real loader and for a test's fake.
//
// Failure rules: E_UNEXPECTED when the module cannot be loaded (a later call tries again), E_NOTIMPL
// when it lacks the export, and, for functions that answer FALSE, the HRESULT of the thread's last error.
#pragma once

#include "os/win_error.h"
#include "vd/hresult_error.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <tuple>
#include <vector>

namespace vd::details {

using module_handle = std::uintptr_t;  // 0: no module
using proc_address = void (*)();       // an export's address, cast to its real type by the caller

// LOAD_LIBRARY_SEARCH_SYSTEM32: the only place a system library is looked for.  The program's folder,
// the current directory and PATH may hold a planted copy.
inline constexpr std::uint32_t load_library_search_system32 = 0x0800;

// The loader calls the table needs: GetModuleHandleW, LoadLibraryExW, GetProcAddress and the thread's
// last error.
class module_loader {
public:
    virtual ~module_loader() = default;
    [[nodiscard]] virtual module_handle get_module_handle(std::wstring_view name) = 0;
    [[nodiscard]] virtual module_handle load_library(std::wstring_view name, std::uint32_t flags) = 0;
    [[nodiscard]] virtual proc_address get_proc_address(module_handle module, const char* name) = 0;
    [[nodiscard]] virtual std::uint32_t last_error() = 0;
    virtual void set_last_error(std::uint32_t error) = 0;
};

// The functions of one module, one slot per export name.  The module is never unloaded.
class entry_point_table {
public:
    // `export_names` must outlive the table (a static array of literals).
    entry_point_table(module_loader& loader, std::wstring module_name, std::span<const char* const> export_names);

    // The address of the export in `slot`, resolved on first use: the module through GetModuleHandleW,
    // else LoadLibraryExW with LOAD_LIBRARY_SEARCH_SYSTEM32, never a wider search.
    // Throws hresult_error: E_UNEXPECTED without the module, E_NOTIMPL without the export.
    [[nodiscard]] proc_address resolve(std::size_t slot);

    template <class Function>
    [[nodiscard]] Function* function(std::size_t slot) {
        return reinterpret_cast<Function*>(resolve(slot));
    }

    // Throws the HRESULT form of the last error when `result` is FALSE (0); E_FAIL when the last error
    // is 0, so that a failure never reads as success.
    void check(long long result);

    [[nodiscard]] module_loader& loader() noexcept { return loader_; }
    [[nodiscard]] std::string_view export_name(std::size_t slot) const { return names_[slot]; }

private:
    module_loader& loader_;
    std::wstring module_name_;
    std::span<const char* const> names_;
    module_handle module_ = 0;
    std::vector<proc_address> slots_;
};

// The HRESULT form of a Win32 error: 0 and below unchanged, others 0x8007xxxx.
[[nodiscard]] inline std::int32_t hresult_of_last_error(std::uint32_t error) noexcept {
    return os::hr::from_win32(error);
}

// Calls a function that answers a BOOL; FALSE throws the HRESULT of the last error.
template <class Function, class... Args>
void call_checked(entry_point_table& table, std::size_t slot, Args&&... args) {
    Function* function = table.function<Function>(slot);
    table.check(static_cast<long long>(function(std::forward<Args>(args)...)));
}

// A size query: a call with a null buffer that fails with ERROR_INSUFFICIENT_BUFFER counts as success.
template <class Function, class... Args>
void call_size_query(entry_point_table& table, std::size_t slot, Args&&... args) {
    Function* function = table.function<Function>(slot);
    if (function(std::forward<Args>(args)...)) return;
    if (table.loader().last_error() == os::errc::insufficient_buffer) return;
    table.check(0);
}

// A function whose FALSE is an answer, not an error.
template <class Function, class... Args>
[[nodiscard]] bool call_answer(entry_point_table& table, std::size_t slot, Args&&... args) {
    Function* function = table.function<Function>(slot);
    return function(std::forward<Args>(args)...) != 0;
}

// A function that never throws: when it cannot be resolved the call answers `unresolved` (FreeSid
// gives back its SID), after setting the last error to `unresolved_error` when that is not 0
// (RevertToSelf: ERROR_CALL_NOT_IMPLEMENTED).
template <class Function, class Result, class... Args>
[[nodiscard]] Result call_or(entry_point_table& table, std::size_t slot, Result unresolved,
                             std::uint32_t unresolved_error, Args&&... args) noexcept {
    Function* function = nullptr;
    try {
        function = table.function<Function>(slot);
    } catch (const hresult_error&) {
        if (unresolved_error != 0) table.loader().set_last_error(unresolved_error);
        return unresolved;
    }
    return static_cast<Result>(function(std::forward<Args>(args)...));
}

// A function with a plainer stand-in (AddAccessAllowedAceEx and AddAccessAllowedAce): `use_plain` or a
// missing export (E_NOTIMPL) calls the stand-in with `plain_args`; any other resolution failure is
// thrown on.
template <class Function, class Plain, class... Args, class... PlainArgs>
void call_checked_or_plain(entry_point_table& table, std::size_t slot, std::size_t plain_slot, bool use_plain,
                           std::tuple<Args...> args, std::tuple<PlainArgs...> plain_args) {
    if (!use_plain) {
        Function* function = nullptr;
        try {
            function = table.function<Function>(slot);
        } catch (const hresult_error& error) {
            if (error.code() != os::hr::e_notimpl) throw;
        }
        if (function != nullptr) {
            table.check(static_cast<long long>(std::apply(function, std::move(args))));
            return;
        }
    }
    Plain* plain = table.function<Plain>(plain_slot);
    table.check(static_cast<long long>(std::apply(plain, std::move(plain_args))));
}

}  // namespace vd::details
