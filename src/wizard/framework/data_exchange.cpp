// Data exchange between controls and members.
#include "wizard/framework/data_exchange.h"

#include "vd/format_message.h"
#include "wizard/framework/dialog.h"

#include <algorithm>
#include <cstdint>

namespace wizard {

namespace {
constexpr std::uint32_t too_long_box_type = 0x30;  // MB_OK | MB_ICONEXCLAMATION
}

void data_exchange::text(int id, std::wstring& value) {
    auto& host = dialog_.Host();
    if (saving_)
        value = host.text(id);
    else
        host.set_text(id, value);
}

void data_exchange::max_chars(int id, const std::wstring& value, std::size_t maximum) {
    if (!saving_) {
        dialog_.Host().limit_text(id, maximum);
        return;
    }
    if (value.size() <= maximum) return;
    const std::wstring count = std::to_wstring(maximum);
    const std::wstring_view inserts[] = {count};
    dialog_.System().message_box(vd::format_message(too_long_message, inserts).text, too_long_box_type);
    fail(id);
}

void data_exchange::check(int id, int& state) {
    auto& host = dialog_.Host();
    if (saving_)
        state = host.is_checked(id) ? 1 : 0;
    else
        host.set_check(id, state != 0);
}

void data_exchange::radio(int first, int& index) {
    auto& host = dialog_.Host();
    const auto group = host.radio_group(first);
    if (saving_) {
        const auto checked = std::find_if(group.begin(), group.end(), [&](int id) { return host.is_checked(id); });
        index = checked == group.end() ? -1 : static_cast<int>(checked - group.begin());
        return;
    }
    for (std::size_t i = 0; i < group.size(); ++i) host.set_check(group[i], static_cast<int>(i) == index);
}

void data_exchange::fail(int id) {
    dialog_.Host().set_focus(id);
    throw validation_failed{};
}

}  // namespace wizard
