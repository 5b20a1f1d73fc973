// How the folder and shortcut pages ask the user for a folder: the shell's folder picker in the
// program, a scripted choice in tests.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace wizard {

struct FolderPickers {
    // The chosen absolute folder, or empty when the user cancelled.
    using InstallFolder =
        std::function<std::wstring(const std::wstring& initial, std::wstring_view tail, const std::wstring& title)>;
    // The chosen absolute folder (empty when cancelled) and its path relative to the Start menu's
    // Programs folder's parent (empty when the two are equal).
    using MenuFolder = std::function<std::pair<std::wstring, std::wstring>(
        const std::wstring& initial, std::wstring_view tail, const std::wstring& title)>;

    InstallFolder installFolder;
    MenuFolder menuFolder;
};

}  // namespace wizard
