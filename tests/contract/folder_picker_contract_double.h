// The folder-picker contract's subject on the scripted double, for the native and the Windows
// contract programs.
#pragma once

#include "contract/folder_picker_contract.h"

#include "os/native/folder_picker_double.h"
#include "os/native/user_interface_double.h"
#include "vd/win_path.h"

namespace contract {

class folder_picker_double_subject final : public folder_picker_subject {
public:
    os::folder_picker& picker() override { return double_; }

    std::wstring make_folder(std::wstring_view parent, std::wstring_view name) override {
        constexpr std::wstring_view scratch = L"C:\\Users\\tester\\AppData\\Local\\Temp\\contract";
        const std::wstring folder = vd::path::join(parent.empty() ? scratch : parent, name);
        double_.add_folder(folder);
        return folder;
    }
    void press_ok(os::window_handle) override { double_.press_ok(); }
    void press_cancel(os::window_handle) override { double_.cancel(); }
    std::wstring edit_text(os::window_handle) override { return double_.last_session().edit_text; }
    bool edit_text_all_selected(os::window_handle) override { return double_.last_session().edit_text_all_selected; }
    bool ok_enabled(os::window_handle) override { return double_.last_session().ok_enabled; }

private:
    os::native::scripted_ui ui_;
    os::native::folder_picker_double double_{ui_};
};

inline subject_factory<folder_picker_subject> folder_picker_double_factory() {
    return factory_of<folder_picker_subject, folder_picker_double_subject>("Double");
}

}  // namespace contract
