// The global find dialog's own rules: the checks made when OK is pressed, and the file box after
// another directory was chosen.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/limits.h"
#include "ui/frame_services.h"

namespace nelvix {

/// The file box after a directory change that dropped an absolute specification.
inline constexpr char kAllFilesSpecBytes[] = "*.*";
inline constexpr std::string_view kAllFilesSpec{kAllFilesSpecBytes, sizeof kAllFilesSpecBytes - 1};

enum class GlobalFindField { None, Pattern, FileBox };

/// What OK leads to: the values are taken, or the dialog stays open with the focus on `focus`
/// after message `messageId` (when not 0) or a beep.
struct GlobalFindCheck {
    bool ok = true;
    int messageId = 0;
    bool beep = false;
    GlobalFindField focus = GlobalFindField::None;
    bool operator==(const GlobalFindCheck&) const = default;
};

/// The OK checks, pattern first, then the file box.
GlobalFindCheck CheckGlobalFindValues(const ui::GlobalFindValues& values);

/// "*.*" when the box holds an absolute specification (a leading '/', also after an opening
/// double quote), which would otherwise keep naming the old directory; else the box unchanged.
std::string FileBoxAfterDirectoryChange(std::string_view fileBox);

} // namespace nelvix
