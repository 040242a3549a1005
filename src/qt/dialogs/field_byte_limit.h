// Text fields whose contents the core keeps in a fixed number of Shift-JIS bytes: an edit that
// would pass the limit keeps only as much of the typed or pasted text as fits, in whole
// characters, as a Windows edit control with a text limit does.
#pragma once

#include <QString>

#include <cstddef>
#include <functional>

namespace nelvix::qt {

/// The bytes a text takes in the core.
using ByteCount = std::function<std::size_t(const QString&)>;

struct FittedText {
    QString text;
    int cursor = 0; ///< just after what was kept of the inserted text
};

/// `after` is `before` with one stretch replaced; when `after` takes more than `maxBytes`, the
/// inserted stretch is cut from its end, a whole character at a time, until the text fits.
/// `before` is taken to fit already.
FittedText FitToBytes(const QString& before, const QString& after, std::size_t maxBytes,
                      const ByteCount& bytes);

} // namespace nelvix::qt
