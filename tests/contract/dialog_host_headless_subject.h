// The headless dialog host as a subject of the dialog-host contract (both builds run it): the
// user's side is the headless system's own.
#pragma once

#include "contract/dialog_host_contract.h"
#include "res/dialog_templates.h"
#include "wizard/framework/headless_dialog_system.h"

namespace contract {

class headless_subject final : public dialog_host_subject {
public:
    headless_subject() : system_(&probe::find_template) {
        // The icons the program carries: 128 and 141 to 162 without 159.
        system_.set_icon_catalog([](std::uint16_t id) { return id == 128 || (id >= 141 && id <= 162 && id != 159); });
    }

    wizard::dialog_system& system() override { return system_; }
    int run_modal(wizard::CDialog& dialog, script user) override {
        system_.on_modal(dialog.TemplateId(), std::move(user));
        return dialog.DoModal();
    }

    void click(wizard::CDialog& dialog, int id) override { system_.click(dialog, id); }
    void choose_list_item(wizard::CDialog& dialog, int id, int position) override {
        system_.choose_list_item(dialog, id, position);
    }
    void type_text(wizard::CDialog& dialog, int id, const std::wstring& text) override {
        system_.type_text(dialog, id, text);
    }
    void press_escape(wizard::CDialog& dialog) override { system_.press_escape(dialog); }
    void system_command(wizard::CDialog& dialog, unsigned command) override { system_.system_command(dialog, command); }
    void open_system_menu(wizard::CDialog& dialog) override { system_.open_system_menu(dialog); }

    int focused_control(wizard::CDialog& dialog) override { return system_.focused_control(dialog); }
    std::vector<menu_entry> system_menu(wizard::CDialog& dialog) override {
        std::vector<menu_entry> menu;
        for (const auto& item : system_.window(dialog).system_menu())
            menu.push_back({item.command, item.text, item.separator, item.enabled});
        return menu;
    }
    std::size_t text_limit(wizard::CDialog& dialog, int id) override { return system_.window(dialog).text_limit(id); }
    int dropped_width(wizard::CDialog& dialog, int id) override { return system_.window(dialog).dropped_width(id); }
    int list_item_image(wizard::CDialog& dialog, int id, int position) override {
        const auto* control = system_.window(dialog).find(id);
        if (control == nullptr || position < 0 || position >= static_cast<int>(control->items.size())) return -1;
        return control->items[static_cast<std::size_t>(position)].image;
    }
    list_images images(wizard::CDialog& dialog, int id) override {
        const auto* control = system_.window(dialog).find(id);
        if (control == nullptr || !control->images) return {};
        return {control->images->width, control->images->height, control->images->count};
    }
    os::icon_handle big_icon(wizard::CDialog& dialog) override { return system_.window(dialog).big_icon(); }
    os::icon_handle load_icon(std::uint16_t id) override { return os::icon_handle{0x20000u + id}; }
    wizard::rect to_pixels(wizard::CDialog&, int x, int y, int width, int height) override {
        const auto& units = system_.metrics();
        const int left = wizard::headless::mul_div(x, units.base_x, 4);
        const int top = wizard::headless::mul_div(y, units.base_y, 8);
        return {left, top, left + wizard::headless::mul_div(width, units.base_x, 4),
                top + wizard::headless::mul_div(height, units.base_y, 8)};
    }

private:
    wizard::headless_dialog_system system_;
};

inline subject_factory<dialog_host_subject> headless_factory() {
    return factory_of<dialog_host_subject, headless_subject>("Headless");
}

}  // namespace contract
