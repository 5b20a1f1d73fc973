// Tests of the user-interface hooks share the process's one hook set: this sandbox empties it for a
// test and gives the previous hooks and title sources back afterwards.
#pragma once

#include <string>

#include "vd/ui_hooks.h"
#include "vd/ui_hooks_defaults.h"

namespace vd::testing_support {

class hooks_sandbox {
public:
    hooks_sandbox()
        : title_(hooks().title()),
          icon_(hooks().icon()),
          owner_(hooks().owner()),
          modeless_(hooks().enable_modeless()),
          name_(application_name()) {
        hooks().set_title({});
        hooks().set_icon({});
        hooks().set_owner({});
        hooks().set_enable_modeless({});
        set_application_name({});
        set_title_sources({}, {});
    }
    hooks_sandbox(const hooks_sandbox&) = delete;
    hooks_sandbox& operator=(const hooks_sandbox&) = delete;
    ~hooks_sandbox() {
        hooks().set_title(title_);
        hooks().set_icon(icon_);
        hooks().set_owner(owner_);
        hooks().set_enable_modeless(modeless_);
        set_application_name(name_);
        set_title_sources({}, {});
    }

private:
    static ui_hooks& hooks() { return ui_hooks::instance(); }
    ui_hooks::title_hook title_;
    ui_hooks::icon_hook icon_;
    ui_hooks::owner_hook owner_;
    ui_hooks::enable_modeless_hook modeless_;
    std::wstring name_;
};

}  // namespace vd::testing_support
