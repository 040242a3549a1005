// The operation record of a global find: what a recorded run hands to the recorder and what a
// replay runs again without the dialog.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/limits.h"
#include "base/sjis.h"

namespace nelvix {

/// The parameters of one global find run.
struct GlobalFindParameters {
    bool subdirectories = false;
    bool caseSensitive = false;
    std::string pattern;       ///< Shift-JIS
    std::string specification; ///< the full search specification, Shift-JIS
    bool widthSensitive = false;
    bool regularExpression = false;
    bool operator==(const GlobalFindParameters&) const = default;
};

/// u32 subdirectories, u32 case, pattern NUL, specification NUL, u32 width, u32 regular
/// expression; integers little-endian as in the macro file. Each string ends at its first NUL,
/// so that the record always reads back as it was written.
std::vector<Byte> SerializeGlobalFindRecord(const GlobalFindParameters& parameters);

/// The parameters of a record; a record that ends before the width field (or the regular
/// expression field) reads 0 for it. Nothing when the record is shorter than its first two
/// integers, a string has no NUL, or a string is longer than the dialog allows.
std::optional<GlobalFindParameters> ParseGlobalFindRecord(std::span<const Byte> record);

} // namespace nelvix
