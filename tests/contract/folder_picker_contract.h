// The folder-picker port's contract: what the shell and the double must both answer, for the
// process and path calls and for a picker driven from its own events.
#pragma once

#include "contract/port_suite.h"
#include "os/folder_picker.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace contract {

class folder_picker_subject : public port_subject {
public:
    [[nodiscard]] virtual os::folder_picker& picker() = 0;

    // A new empty folder `name` in `parent` (in a scratch folder of the subject when `parent` is
    // empty), removed with the subject; its absolute path.
    [[nodiscard]] virtual std::wstring make_folder(std::wstring_view parent, std::wstring_view name) = 0;

    // The user presses OK or Cancel on an open picker, taken up once the current event returns.
    virtual void press_ok(os::window_handle picker) = 0;
    virtual void press_cancel(os::window_handle picker) = 0;
    // What an open picker shows.
    [[nodiscard]] virtual std::wstring edit_text(os::window_handle edit) = 0;
    [[nodiscard]] virtual bool edit_text_all_selected(os::window_handle edit) = 0;
    [[nodiscard]] virtual bool ok_enabled(os::window_handle picker) = 0;
};

// Picker events that a test fills in; every selection report is kept.
class recorded_events final : public os::folder_picker_events {
public:
    std::function<void(os::window_handle)> on_initialized;
    std::function<bool(os::window_handle, std::wstring_view)> on_validation_failed;
    std::vector<std::optional<std::wstring>> selections;
    std::vector<std::wstring> validations;
    bool initialised = false;

    void initialized(os::window_handle picker) override {
        initialised = true;
        if (on_initialized) on_initialized(picker);
    }
    void selection_changed(os::window_handle, const std::optional<std::wstring>& path) override {
        selections.push_back(path);
    }
    bool validation_failed(os::window_handle picker, std::wstring_view typed) override {
        validations.emplace_back(typed);
        return on_validation_failed ? on_validation_failed(picker, typed) : false;
    }
};

class FolderPickerContract : public port_suite<folder_picker_subject> {
protected:
    os::folder_picker& picker() { return subject().picker(); }
};

}  // namespace contract
