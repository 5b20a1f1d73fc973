// Win32-only: the dialog templates the resource compiler made from the generated script are the
// templates of the data, field by field, and the frame's picture static finds the side bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>

#include "res/dialog_styles.h"
#include "res/dialog_templates.h"

namespace {

std::span<const std::byte> resource_bytes(std::uint16_t id, const wchar_t* type) {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), type);
    if (!found) return {};
    HGLOBAL loaded = LoadResource(nullptr, found);
    return {static_cast<const std::byte*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

// Reads a DLGTEMPLATEEX in order; reading past the end fails the test and gives zeros.
class template_reader {
public:
    explicit template_reader(std::span<const std::byte> bytes) : bytes_(bytes) {}

    template <typename T>
    T next() {
        T value{};
        if (offset_ + sizeof(T) > bytes_.size()) {
            ADD_FAILURE() << "template ends early at " << offset_;
            offset_ = bytes_.size();
            return value;
        }
        std::memcpy(&value, bytes_.data() + offset_, sizeof(T));
        offset_ += sizeof(T);
        return value;
    }
    std::wstring text() {
        std::wstring value;
        while (offset_ < bytes_.size())
            if (const auto unit = next<wchar_t>())
                value += unit;
            else
                break;
        return value;
    }
    // A name or an ordinal: ordinals come back as "#n".
    std::wstring name_or_ordinal() {
        if (offset_ + 2 <= bytes_.size() && next<std::uint16_t>() == 0xFFFF)
            return L"#" + std::to_wstring(next<std::uint16_t>());
        offset_ -= 2;
        return text();
    }
    void align_to_dword() { offset_ = std::min(bytes_.size(), (offset_ + 3) & ~std::size_t{3}); }
    void skip(std::size_t count) { offset_ = std::min(bytes_.size(), offset_ + count); }

private:
    std::span<const std::byte> bytes_;
    std::size_t offset_ = 0;
};

// Class names as the window manager compares them: without regard to case, and the predefined
// classes also as the ordinals a resource compiler may write for them.
std::wstring class_name(std::wstring name) {
    if (name == L"#128") return L"BUTTON";
    if (name == L"#129") return L"EDIT";
    if (name == L"#130") return L"STATIC";
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return name;
}

TEST(DialogResources, EveryCompiledTemplateIsItsData) {
    for (const auto& expected : res::dialog_templates()) {
        SCOPED_TRACE(expected.id);
        const auto bytes = resource_bytes(expected.id, MAKEINTRESOURCEW(5));  // RT_DIALOG
        ASSERT_FALSE(bytes.empty());
        template_reader in(bytes);
        EXPECT_EQ(in.next<std::uint16_t>(), 1);       // dlgVer
        EXPECT_EQ(in.next<std::uint16_t>(), 0xFFFF);  // signature of the extended form
        in.next<std::uint32_t>();                     // help id
        EXPECT_EQ(in.next<std::uint32_t>(), expected.extended_style);
        EXPECT_EQ(in.next<std::uint32_t>(), expected.style);
        const auto count = in.next<std::uint16_t>();
        ASSERT_EQ(count, expected.controls.size());
        EXPECT_EQ(in.next<std::int16_t>(), 0);
        EXPECT_EQ(in.next<std::int16_t>(), 0);
        EXPECT_EQ(in.next<std::int16_t>(), expected.width);
        EXPECT_EQ(in.next<std::int16_t>(), expected.height);
        EXPECT_EQ(in.name_or_ordinal(), L"");  // no menu
        EXPECT_EQ(in.name_or_ordinal(), L"");  // the dialog class
        EXPECT_EQ(in.text(), expected.title);
        EXPECT_EQ(in.next<std::uint16_t>(), expected.point_size);
        in.next<std::uint16_t>();  // weight
        in.next<std::uint16_t>();  // italic, charset
        EXPECT_EQ(in.text(), expected.font);
        for (const auto& control : expected.controls) {
            SCOPED_TRACE(control.id);
            in.align_to_dword();
            in.next<std::uint32_t>();  // help id
            EXPECT_EQ(in.next<std::uint32_t>(), control.extended_style);
            EXPECT_EQ(in.next<std::uint32_t>(), control.style);
            EXPECT_EQ(in.next<std::int16_t>(), control.x);
            EXPECT_EQ(in.next<std::int16_t>(), control.y);
            EXPECT_EQ(in.next<std::int16_t>(), control.width);
            EXPECT_EQ(in.next<std::int16_t>(), control.height);
            EXPECT_EQ(in.next<std::uint32_t>(), static_cast<std::uint32_t>(control.id));
            EXPECT_EQ(class_name(in.name_or_ordinal()), class_name(std::wstring(control.class_name)));
            const auto text = in.name_or_ordinal();
            if (control.image != 0) {
                EXPECT_EQ(text, L"#" + std::to_wstring(control.image));
            } else {
                EXPECT_EQ(text, control.text);
            }
            in.skip(in.next<std::uint16_t>());  // creation data
        }
    }
}

TEST(DialogResources, TheSideBitmapIsA256ColourPictureOf87By171Pixels) {
    const auto bytes = resource_bytes(res::side_bitmap, MAKEINTRESOURCEW(2));  // RT_BITMAP
    ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
    BITMAPINFOHEADER header;
    std::memcpy(&header, bytes.data(), sizeof header);
    EXPECT_EQ(header.biWidth, 87);
    EXPECT_EQ(header.biHeight, 171);
    EXPECT_EQ(header.biBitCount, 8);
}

INT_PTR CALLBACK ignore_messages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

struct window_destroyer {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
using unique_window = std::unique_ptr<std::remove_pointer_t<HWND>, window_destroyer>;

TEST(DialogResources, TheFramesPictureStaticShowsTheSideBitmap) {
    const unique_window frame(CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(res::dialog::frame),
                                                 nullptr, ignore_messages, 0));
    ASSERT_NE(frame, nullptr) << GetLastError();
    HWND picture = nullptr;
    for (HWND child = GetWindow(frame.get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & res::style::ss_typemask) == SS_BITMAP) picture = child;
    ASSERT_NE(picture, nullptr);
    EXPECT_NE(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
    RECT size{};
    GetClientRect(picture, &size);
    EXPECT_EQ(size.right, 87);  // SS_REALSIZEIMAGE: the static takes the bitmap's size
    EXPECT_EQ(size.bottom, 171);
}

}  // namespace
