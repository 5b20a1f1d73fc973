// The hook set: setters replace and destroy, and the default title's order of sources.
#include "vd/ui_hooks.h"

#include <gtest/gtest.h>

#include <memory>

#include "os/native/user_interface_double.h"
#include "vd/ui_hooks_defaults.h"

namespace {

using vd::ui_hooks;

TEST(UiHooks, SettingAHookDestroysThePreviousCallable) {
    ui_hooks hooks;
    auto token = std::make_shared<int>(0);
    const std::weak_ptr<int> watch = token;

    // Each slot keeps its callable alive until it is replaced or emptied.
    hooks.set_title([token] { return std::wstring(L"first"); });
    hooks.set_icon([token] { return os::icon_handle{128}; });
    hooks.set_owner([token] { return vd::owner_choice{}; });
    hooks.set_enable_modeless([token](bool) {});
    token.reset();
    ASSERT_FALSE(watch.expired());

    hooks.set_title([] { return std::wstring(L"second"); });
    hooks.set_icon({});
    hooks.set_owner({});
    EXPECT_FALSE(watch.expired());  // the modeless switch still holds it
    hooks.set_enable_modeless({});
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(hooks.title()(), L"second");
    EXPECT_FALSE(hooks.icon());
}

TEST(UiHooks, TheDefaultTitleTakesTheFirstSourceThatGivesText) {
    os::native::scripted_ui ui;
    ui_hooks hooks;
    struct row {
        const wchar_t* application_name;
        const wchar_t* product_title;
        const wchar_t* program_stem;
        const wchar_t* title;
    };
    for (const auto& [name, product, stem, title] : {
             row{L"Installation – Lignotek 7.08r", L"Install 2.04a", L"LignotekSetup",
                 L"Installation – Lignotek 7.08r"},
             row{L"", L"Install 2.04a", L"LignotekSetup", L"Install 2.04a"},
             row{L"", L"", L"LignotekSetup", L"LignotekSetup"},
             row{L"", L"", L"", L""},
         }) {
        hooks.set_application_name(name);
        hooks.set_title_sources([p = std::wstring(product)] { return p; }, [s = std::wstring(stem)] { return s; });
        EXPECT_EQ(hooks.default_title(), title);
        // Installed as the title hook, it answers the same.
        vd::install_default_ui_hooks(hooks, ui);
        EXPECT_EQ(hooks.title()(), title);
    }
}

TEST(UiHooks, EachSetIsItsOwn) {
    // Two programs' worth of hooks (two tests, or a test beside the program's) do not see each other.
    ui_hooks first;
    ui_hooks second;
    first.set_application_name(L"Installation – Lignotek 7.08r");
    first.set_title([] { return std::wstring(L"first"); });
    EXPECT_EQ(second.application_name(), L"");
    EXPECT_FALSE(second.title());
    EXPECT_EQ(second.default_title(), L"");
}

}  // namespace
