// The owner window rule: active window's root owner, else the first captioned root owner of the
// thread's windows, at its last active popup.
#include "vd/active_owner.h"

#include <gtest/gtest.h>

#include <functional>

#include "os/native/user_interface_double.h"

namespace {

using os::window_handle;
using os::native::scripted_ui;
namespace ws = os::ws;

constexpr std::uint32_t frame = ws::overlapped_window | ws::visible;
constexpr std::uint32_t captioned_popup = ws::popup | ws::caption | ws::visible;
constexpr std::uint32_t bare_popup = ws::popup | ws::visible;                    // a tooltip or a splash
constexpr std::uint32_t bordered_popup = ws::popup | 0x00800000u | ws::visible;  // WS_BORDER alone is no caption

struct row {
    const char* name;
    // Builds the windows and answers the window the rule must find.
    std::function<window_handle(scripted_ui&)> arrange;
};

TEST(ActiveOwnerWindow, FollowsTheRule) {
    for (const auto& [name, arrange] : {
             row{"no windows", [](scripted_ui&) { return window_handle::none; }},
             row{"active popup of a frame",
                 [](scripted_ui& ui) {
                     const auto main = ui.add_window({frame});
                     const auto dialog = ui.add_window({captioned_popup, 0, main});
                     ui.set_active(dialog);
                     return dialog;
                 }},
             row{"active frame after its dialog",
                 [](scripted_ui& ui) {
                     const auto main = ui.add_window({frame});
                     const auto dialog = ui.add_window({captioned_popup, 0, main});
                     ui.set_active(dialog);
                     ui.set_active(main);
                     return main;
                 }},
             row{"no active window: the first captioned root owner",
                 [](scripted_ui& ui) {
                     ui.add_window({bare_popup});
                     const auto main = ui.add_window({frame});
                     ui.add_window({frame});
                     return main;
                 }},
             row{"no active window: a captionless popup leads to its captioned owner",
                 [](scripted_ui& ui) {
                     const auto main = ui.add_window({frame});
                     const auto dialog = ui.add_window({captioned_popup, 0, main});
                     ui.add_window({bare_popup, 0, main});
                     ui.set_active(dialog);
                     ui.set_active(window_handle::none);
                     return dialog;  // the frame's last active popup
                 }},
             row{"only captionless windows",
                 [](scripted_ui& ui) {
                     ui.add_window({bare_popup});
                     ui.add_window({bordered_popup});
                     return window_handle::none;
                 }},
             row{"only windows of another thread",
                 [](scripted_ui& ui) {
                     ui.add_window({frame, 0, window_handle::none, true});
                     return window_handle::none;
                 }},
         }) {
        scripted_ui ui;
        const auto expected = arrange(ui);
        EXPECT_EQ(vd::active_owner_window(ui), expected) << name;
    }
}

}  // namespace
