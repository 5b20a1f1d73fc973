// Win32-only: shell links saved and read through CLSID_ShellLink, with COM initialised for the
// calling thread around each operation.
#include "os/win32/shell_links_win32.h"

#include "os/win32/unique_handle.h"

#include <windows.h>
#include <objbase.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <array>
#include <string>

namespace os::win32 {

namespace {

template <class Interface>
struct com_traits {
    using type = Interface*;
    static type invalid() noexcept { return nullptr; }
    static void close(type object) noexcept { object->Release(); }
};

// An interface pointer released when its owner ends (IUnknown::Release).
template <class Interface>
using unique_com = unique_any<com_traits<Interface>>;

// CoInitializeEx(COINIT_APARTMENTTHREADED) balanced by CoUninitialize when it succeeded (S_OK or
// S_FALSE); any other answer leaves COM alone.
class com_apartment {
public:
    com_apartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~com_apartment() {
        if (ok()) CoUninitialize();
    }
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;
    [[nodiscard]] bool ok() const noexcept { return result_ == S_OK || result_ == S_FALSE; }
    [[nodiscard]] HRESULT result() const noexcept { return result_; }

private:
    HRESULT result_;
};

HRESULT make_link(unique_com<IShellLinkW>& link, unique_com<IPersistFile>& file) {
    HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                  reinterpret_cast<void**>(link.put()));
    if (FAILED(hr)) return hr;
    return link.get()->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()));
}

}  // namespace

std::int32_t shell_links_adapter::save_link(std::wstring_view link_path, const shell_link& link) {
    com_apartment com;
    if (!com.ok()) return com.result();
    const std::wstring path(link_path), target(link.target), folder(link.working_folder);
    HRESULT hr = S_OK;
    {
        unique_com<IShellLinkW> shell_link;
        unique_com<IPersistFile> file;
        hr = make_link(shell_link, file);
        if (SUCCEEDED(hr)) {
            (void)shell_link.get()->SetPath(target.c_str());
            (void)shell_link.get()->SetWorkingDirectory(folder.c_str());
            hr = file.get()->Save(path.c_str(), TRUE);
        }
    }  // both interfaces are released before COM is uninitialised
    return hr;
}

std::int32_t shell_links_adapter::read_link(std::wstring_view link_path, shell_link& link) {
    com_apartment com;
    if (!com.ok()) return com.result();
    const std::wstring path(link_path);
    HRESULT hr = S_OK;
    {
        unique_com<IShellLinkW> shell_link;
        unique_com<IPersistFile> file;
        hr = make_link(shell_link, file);
        if (SUCCEEDED(hr)) hr = file.get()->Load(path.c_str(), STGM_READ);
        std::array<wchar_t, MAX_PATH> target{}, folder{};
        if (SUCCEEDED(hr)) hr = shell_link.get()->GetPath(target.data(), MAX_PATH, nullptr, SLGP_RAWPATH);
        if (SUCCEEDED(hr)) hr = shell_link.get()->GetWorkingDirectory(folder.data(), MAX_PATH);
        if (SUCCEEDED(hr)) link = {target.data(), folder.data()};
    }
    return hr;
}

}  // namespace os::win32
