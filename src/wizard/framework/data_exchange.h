// Data exchange between a dialog's controls and its members: one direction per call, triggered by
// CDialog::UpdateData.  A failed validation stops the exchange (the rest of DoDataExchange does not
// run): its message has been shown and the control has the focus.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wizard {

class CDialog;

// The framework's own message of a text that is too long (%1: the maximum).
inline constexpr std::wstring_view too_long_message = L"Enter no more than %1 characters.";

class data_exchange {
public:
    data_exchange(CDialog& dialog, bool saving) noexcept : dialog_(dialog), saving_(saving) {}

    [[nodiscard]] bool saving() const noexcept { return saving_; }
    [[nodiscard]] CDialog& dialog() const noexcept { return dialog_; }

    // The control's text <-> value.
    void text(int id, std::wstring& value);
    // Saving: a value longer than `maximum` characters fails with the framework's message.
    // Loading: the edit control is limited to `maximum` characters (EM_LIMITTEXT).
    void max_chars(int id, const std::wstring& value, std::size_t maximum);
    // A check box's state (0 unchecked, 1 checked) <-> value.
    void check(int id, int& state);
    // The radio group starting at `first`: the index of the checked button (-1 none) <-> value.
    void radio(int first, int& index);

    // Stops the exchange after the validation message has been shown; focuses `id`.
    [[noreturn]] void fail(int id);

private:
    CDialog& dialog_;
    bool saving_;
};

// Thrown by data_exchange::fail and caught by CDialog::UpdateData only.
struct validation_failed {};

}  // namespace wizard
