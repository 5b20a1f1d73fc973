// The user-interface hooks: how the library learns the application's title, icon and owner window
// and reaches its modeless switch without depending on the application.
//
// One set per process, owned by wWinMain and handed to whatever shows the library's boxes.  The
// program calls the hooks from its user-interface thread only; they are not locked.  The title's
// parts (the application name, the sources of the product title and of the program stem) are
// locked, because the sources may be asked while they are replaced.
#pragma once

#include <functional>
#include <mutex>
#include <string>

#include "os/user_interface.h"

namespace vd {

// The owner of a message box and the top-level window disabled while the box is up.
struct owner_choice {
    os::window_handle owner = os::window_handle::none;
    os::window_handle top = os::window_handle::none;
};

class ui_hooks {
public:
    using title_hook = std::function<std::wstring()>;
    using icon_hook = std::function<os::icon_handle()>;
    using owner_hook = std::function<owner_choice()>;
    using enable_modeless_hook = std::function<void(bool)>;
    using text_source = std::function<std::wstring()>;

    ui_hooks() = default;
    ui_hooks(const ui_hooks&) = delete;
    ui_hooks& operator=(const ui_hooks&) = delete;

    // Each setter replaces the hook; the previous callable is destroyed.  An empty callable empties
    // the slot.
    void set_title(title_hook hook);
    void set_icon(icon_hook hook);
    void set_owner(owner_hook hook);
    void set_enable_modeless(enable_modeless_hook hook);

    // The slots; an empty std::function when the hook is not set.
    [[nodiscard]] const title_hook& title() const noexcept { return title_; }
    [[nodiscard]] const icon_hook& icon() const noexcept { return icon_; }
    [[nodiscard]] const owner_hook& owner() const noexcept { return owner_; }
    [[nodiscard]] const enable_modeless_hook& enable_modeless() const noexcept { return enable_modeless_; }

    // The application object's name, published when it sets it; an empty name withdraws it.
    void set_application_name(std::wstring name);
    [[nodiscard]] std::wstring application_name() const;
    // The product title of the running module and the program's stem (either may be empty: skipped).
    void set_title_sources(text_source product_title, text_source program_stem);
    // The application name when one is published, else the product title when not empty, else the
    // program stem (empty when none of them gives a text).
    [[nodiscard]] std::wstring default_title() const;
    // The same without the application name: what a box uses when the title hook is empty.
    [[nodiscard]] std::wstring fallback_title() const;

private:
    title_hook title_;
    icon_hook icon_;
    owner_hook owner_;
    enable_modeless_hook enable_modeless_;

    mutable std::mutex titleLock_;
    std::wstring applicationName_;
    text_source productTitle_;
    text_source programStem_;
};

}  // namespace vd
