// Rectangles in pixels, as the dialog manager gives them: left and top inside, right and bottom
// outside the rectangle.
#pragma once

#include <algorithm>

namespace wizard {

struct rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    [[nodiscard]] constexpr int width() const noexcept { return right - left; }
    [[nodiscard]] constexpr int height() const noexcept { return bottom - top; }
    [[nodiscard]] constexpr bool empty() const noexcept { return right <= left || bottom <= top; }
    [[nodiscard]] constexpr rect moved_to(int x, int y) const noexcept { return {x, y, x + width(), y + height()}; }
    [[nodiscard]] constexpr rect moved_by(int dx, int dy) const noexcept {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    friend constexpr bool operator==(const rect&, const rect&) = default;
};

// UnionRect: the smallest rectangle holding both; an empty rectangle adds nothing.
[[nodiscard]] constexpr rect united(const rect& a, const rect& b) noexcept {
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

}  // namespace wizard
