// Detection over a whole text: the head decides the line end, and the encoding too unless it is
// plain ASCII, in which case the encoding is decided where the first byte of 0x80 or more (or
// the first ESC) stands, however far into the text that is.
#pragma once

#include <cstddef>
#include <optional>

#include "base/sjis.h"
#include "encoding/text_code.h"

namespace nelvix {

/// Blocks in which a plain file is read on; never the whole file.
inline constexpr std::size_t kDetectReadBytes = 256 * 1024;

/// Detection of an open file whose first `headLength` bytes (at most kExaminedHeadBytes) are
/// `head`; read on with pread from `fd` when the head is full and plain. A file that is ASCII
/// to its end, or that cannot be read on (a read error, a file cut short meanwhile), keeps the
/// head's decision.
Detection DetectOpenFile(int fd, const Byte* head, std::size_t headLength);

/// The detection of an open file (as DetectOpenFile, from its start) with its code overridden by
/// `codeSetting` ("CodeDecision"); nothing when the head cannot be read.
std::optional<Detection> DecideOpenFile(int fd, int codeSetting);

/// What the head alone decides. With `codeOpen` the head is full and plain ASCII: the line end
/// is decided, but the code is told only where the first byte of 0x80 or more (or ESC) stands,
/// which a reader finds as it reads the file (TextReader::ReadConverted).
struct HeadDecision {
    Detection detection;
    bool codeOpen = false;
};

/// As DecideOpenFile, without reading past the head.
std::optional<HeadDecision> DecideOpenHead(int fd, int codeSetting);

/// The same over a text held whole.
Detection DetectBuffer(const Byte* bytes, std::size_t length);

} // namespace nelvix
