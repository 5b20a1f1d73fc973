// Native double of the system-text port.
#include "os/native/system_text_double.h"

#include "os/win_error.h"

namespace os::native {

namespace {

struct known_text {
    std::uint32_t code;
    std::wstring_view text;
};

// Win32 codes; their HRESULT_FROM_WIN32 forms have the same texts.
constexpr known_text win32_texts[] = {
    {0, L"The operation completed successfully."},
    {2, L"The system cannot find the file specified."},
    {3, L"The system cannot find the path specified."},
    {4, L"The system cannot open the file."},
    {5, L"Access is denied."},
    {6, L"The handle is invalid."},
    {8, L"Not enough memory resources are available to process this command."},
    {13, L"The data is invalid."},
    {14, L"Not enough memory resources are available to complete this operation."},
    {18, L"There are no more files."},
    {32, L"The process cannot access the file because it is being used by another process."},
    {80, L"The file exists."},
    {87, L"The parameter is incorrect."},
    {112, L"There is not enough space on the disk."},
    {120, L"This function is not supported on this system."},
    {122, L"The data area passed to a system call is too small."},
    {123, L"The filename, directory name, or volume label syntax is incorrect."},
    {145, L"The directory is not empty."},
    {170, L"The requested resource is in use."},
    {183, L"Cannot create a file when that file already exists."},
    {234, L"More data is available."},
    {259, L"No more data is available."},
    {267, L"The directory name is invalid."},
    {1008, L"An attempt was made to reference a token that does not exist."},
    {1010, L"The configuration registry key is invalid."},
    {1223, L"The operation was canceled by the user."},
    {1300, L"Not all privileges or groups referenced are assigned to the caller."},
    {1314, L"A required privilege is not held by the client."},
    {1812, L"The specified image file did not contain a resource section."},
    {1813, L"The specified resource type cannot be found in the image file."},
    {1814, L"The specified resource name cannot be found in the image file."},
    {1815, L"The specified resource language ID cannot be found in the image file."},
};

// HRESULTs of their own (E_NOTIMPL, E_NOINTERFACE, E_POINTER, E_ABORT, E_FAIL, E_UNEXPECTED).
constexpr known_text hresult_texts[] = {
    {0x80004001u, L"Not implemented"},   {0x80004002u, L"No such interface supported"},
    {0x80004003u, L"Invalid pointer"},   {0x80004004u, L"Operation aborted"},
    {0x80004005u, L"Unspecified error"}, {0x8000FFFFu, L"Catastrophic failure"},
};

}  // namespace

system_text_table::system_text_table(std::uint16_t user_language) : user_language_(user_language) {
    for (const auto& [code, text] : win32_texts) {
        set(code, std::wstring(text) + L"\r\n");
        if (code != 0) set(0x80070000u | code, std::wstring(text) + L"\r\n");
    }
    for (const auto& [code, text] : hresult_texts) set(code, std::wstring(text) + L"\r\n");
}

void system_text_table::set(std::uint32_t code, std::wstring text, std::uint16_t language) {
    texts_[{language, code}] = std::move(text);
}

void system_text_table::remove(std::uint32_t code) {
    std::erase_if(texts_, [code](const auto& entry) { return entry.first.second == code; });
}

bool system_text_table::installed(std::uint16_t language) const {
    const auto first = texts_.lower_bound({language, 0});
    return first != texts_.end() && first->first.first == language;
}

std::error_code system_text_table::format_message(std::uint32_t code, std::uint16_t language, std::wstring& text) {
    if (language == 0) {
        for (const auto candidate : {user_language_, english_us}) {
            if (const auto found = texts_.find({candidate, code}); found != texts_.end()) {
                text = found->second;
                return {};
            }
        }
        return win_error(errc::mr_mid_not_found);
    }
    if (!installed(language)) return win_error(errc::resource_lang_not_found);
    const auto found = texts_.find({language, code});
    if (found == texts_.end()) return win_error(errc::mr_mid_not_found);
    text = found->second;
    return {};
}

}  // namespace os::native
