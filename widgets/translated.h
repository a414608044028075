// The desktop program's view of the texts the Qt-free layers mark with
// K470_TR_NOOP (list entries, the driver's messages, status texts): the same
// text in the user's language, or as it stands when no translation has it.
#pragma once

#include <QString>
#include <string_view>

namespace k470::gui {

// The context the marked texts are filed under.
inline constexpr char kCoreTextContext[] = "k470";

QString Translated(std::string_view text);

}  // namespace k470::gui
