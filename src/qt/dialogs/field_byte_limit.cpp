// The byte limit of text fields.
#include "qt/dialogs/field_byte_limit.h"

#include <algorithm>

namespace nelvix::qt {

FittedText FitToBytes(const QString& before, const QString& after, std::size_t maxBytes,
                      const ByteCount& bytes) {
    if (bytes(after) <= maxBytes)
        return {after, static_cast<int>(after.size())};
    // The inserted stretch lies between the longest common head and the longest common tail.
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    QString inserted = after.mid(head, after.size() - head - tail);
    const QString left = after.left(head);
    const QString right = after.right(tail);
    while (!inserted.isEmpty() && bytes(left + inserted + right) > maxBytes) {
        qsizetype cut = inserted.size() - 1;
        if (cut > 0 && inserted[cut].isLowSurrogate() && inserted[cut - 1].isHighSurrogate())
            --cut;
        inserted.truncate(cut);
    }
    return {left + inserted + right, static_cast<int>(head + inserted.size())};
}

} // namespace nelvix::qt
