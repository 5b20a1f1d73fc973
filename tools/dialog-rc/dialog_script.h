// The resource-script form of the dialog templates: DIALOGEX statements that windres and rc compile
// into the same templates the data describes.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "res/dialog_templates.h"

namespace dialog_rc {

// `text` as a quoted resource-script string in UTF-8: quotes doubled, backslashes and line breaks
// escaped.  Throws std::invalid_argument for other control characters and broken surrogates, which
// a resource script cannot carry faithfully.
[[nodiscard]] std::string quoted(std::wstring_view text);

// The whole script: the code-page pragma, the neutral language, the side bitmap read from
// `bitmap_file`, then one DIALOGEX statement per template.  Throws std::invalid_argument as `quoted` does.
[[nodiscard]] std::string dialog_script(std::span<const res::dialog_template> templates, std::string_view bitmap_file);

}  // namespace dialog_rc
