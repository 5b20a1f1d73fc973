// The scripted double as a subject of the user-interface contract (both builds run it).
#pragma once

#include "contract/user_interface_contract.h"
#include "os/native/user_interface_double.h"

namespace contract {

// The buttons MessageBoxW shows for a type, from left to right.
inline std::vector<int> buttons_of(std::uint32_t type) {
    namespace id = os::id;
    switch (type & os::mb::button_mask) {
        case os::mb::ok:
            return {id::ok};
        case os::mb::ok_cancel:
            return {id::ok, id::cancel};
        case os::mb::abort_retry_ignore:
            return {id::abort, id::retry, id::ignore};
        case os::mb::yes_no_cancel:
            return {id::yes, id::no, id::cancel};
        case os::mb::yes_no:
            return {id::yes, id::no};
        case os::mb::retry_cancel:
            return {id::retry, id::cancel};
        case os::mb::cancel_try_continue:
            return {id::cancel, id::try_again, id::continue_};
        default:
            return {};
    }
}

class scripted_subject final : public user_interface_subject {
public:
    os::user_interface& ui() override { return ui_; }
    os::window_handle create_window(std::uint32_t style, std::uint32_t extended_style,
                                    os::window_handle parent) override {
        return ui_.add_window({style, extended_style, parent, false});
    }
    void activate(os::window_handle window) override { ui_.set_active(window); }
    void destroy_window(os::window_handle window) override { ui_.destroy(window); }
    void press_on_next_box(int button) override {
        last_ = {};
        ui_.answer_next([this, button](const os::native::shown_box& box) {
            last_ = {true,
                     box.owner,
                     box.caption.value_or(L"Error"),  // the system's caption for a box without one
                     box.text,
                     buttons_of(box.type),
                     box.type & os::mb::icon_mask,
                     (box.type & os::mb::rtl_reading) != 0,
                     true};
            return button;
        });
    }
    observed_box last_box() override { return last_; }

private:
    os::native::scripted_ui ui_;
    observed_box last_;
};

inline subject_factory<user_interface_subject> scripted_factory() {
    return factory_of<user_interface_subject, scripted_subject>("ScriptedUi");
}

}  // namespace contract
