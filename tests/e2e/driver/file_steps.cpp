// Win32-only: the driver's steps on files of the machine under test: keep one open as another
// process would (so that the program under test cannot replace it), read back a shell link, and
// print a file's attributes as Windows reports them.
#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <cwchar>

#include "output.h"
#include "session.h"

namespace e2e {

namespace {

// A COM interface pointer released at the end of its scope.
template <class Interface>
class com_ptr {
public:
    com_ptr() = default;
    com_ptr(const com_ptr&) = delete;
    com_ptr& operator=(const com_ptr&) = delete;
    ~com_ptr() {
        if (p_) p_->Release();
    }
    [[nodiscard]] Interface* operator->() const noexcept { return p_; }
    [[nodiscard]] Interface** out() noexcept { return &p_; }
    [[nodiscard]] void** out_void() noexcept { return reinterpret_cast<void**>(&p_); }

private:
    Interface* p_ = nullptr;
};

// The thread's apartment for the length of one step.
class com_apartment {
public:
    com_apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;
    ~com_apartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    [[nodiscard]] HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};

std::wstring hex(unsigned long value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"0x%08lX", value);
    return text;
}

}  // namespace

// Opened for reading and shared with nobody: every other open of the file, for reading, writing
// or deleting it, fails with a sharing violation until the driver ends.
bool hold_file(session& s, const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return fail(L"cannot open " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
    s.held_files.emplace_back(file);
    print_line(L"holding file " + quoted(path));
    return true;
}

bool read_link(const std::wstring& path) {
    const com_apartment apartment;
    if (FAILED(apartment.result()))
        return fail(L"no COM apartment: " + hex(static_cast<unsigned long>(apartment.result())));
    com_ptr<IShellLinkW> link;
    HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.out_void());
    if (FAILED(result)) return fail(L"no shell link object: " + hex(static_cast<unsigned long>(result)));
    com_ptr<IPersistFile> file;
    result = link->QueryInterface(IID_IPersistFile, file.out_void());
    if (SUCCEEDED(result)) result = file->Load(path.c_str(), STGM_READ);
    if (FAILED(result)) return fail(L"cannot read the link " + path + L": " + hex(static_cast<unsigned long>(result)));
    wchar_t target[MAX_PATH] = L"";
    wchar_t folder[MAX_PATH] = L"";
    wchar_t arguments[MAX_PATH] = L"";
    // The raw path: a link keeps the target as it was set, without resolving it again.
    link->GetPath(target, MAX_PATH, nullptr, SLGP_RAWPATH);
    link->GetWorkingDirectory(folder, MAX_PATH);
    link->GetArguments(arguments, MAX_PATH);
    print_line(L"link " + quoted(path) + L" target " + quoted(target) + L" folder " + quoted(folder) + L" arguments " +
               quoted(arguments));
    return true;
}

bool print_attributes(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return fail(L"no attributes of " + path + L" (error " + std::to_wstring(GetLastError()) + L")");
    print_line(L"attributes " + quoted(path) + L" " + hex(attributes));
    return true;
}

}  // namespace e2e
