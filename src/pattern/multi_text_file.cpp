// The multi-text AND / OR test over a whole file, read in 65,536-byte pieces.
#include <cstring>
#include <memory>

#include "encoding/text_reader.h"
#include "files/posix_file.h"
#include "pattern/multi_text.h"
#include "pattern/multi_text_marks.h"

namespace nelvix {

namespace {

constexpr std::size_t kPieceBytes = 65'536;

// A piece ends after its last line end (CR, or CR LF). Without any CR it is taken whole, but a
// lead byte left at its end goes to the next piece, so that the next piece starts a character.
std::size_t PieceCut(const Byte* piece, std::size_t length) {
    const void* cr = memrchr(piece, kCr, length);
    if (cr != nullptr) {
        std::size_t cut = static_cast<std::size_t>(static_cast<const Byte*>(cr) - piece) + 1;
        if (cut < length && piece[cut] == kLf)
            ++cut;
        return cut;
    }
    std::size_t i = 0;
    while (i + 1 < length)
        i += IsLeadByte(piece[i]) ? 2 : 1;
    return i + 1 == length && IsLeadByte(piece[i]) ? i : length;
}

} // namespace

bool MultiTextFileTest(const std::string& nativePath, std::string_view pattern,
                       bool caseSensitive) {
    const MultiTextTerms parsed =
        ParseMultiTextOperators(SplitMultiText(pattern, kMaxMultiTextWords));
    if (!NeedsTermMarks(parsed))
        return true;
    MultiTextMarks marks(parsed, caseSensitive);
    return FileQualifies(nativePath, marks);
}

bool FileQualifies(const std::string& nativePath, MultiTextMarks& marks) {
    std::size_t fileLength = 0;
    const FileDescriptor file = OpenRegularFileForReading(nativePath, fileLength);
    if (!file.IsOpen()) {
        marks.Clear();
        return true;
    }
    TextReader reader;
    reader.ReadAsIs(file.Get());
    return TextQualifies(reader, marks);
}

bool TextQualifies(TextReader& reader, MultiTextMarks& marks) {
    marks.Clear();
    const auto piece = std::make_unique<Byte[]>(kPieceBytes);
    std::uint64_t position = 0;
    std::size_t kept = 0;
    while (!marks.AllMarked()) {
        const auto read = reader.ReadAt(position, piece.get() + kept, kPieceBytes - kept);
        if (!read)
            return true; // as a file that cannot be opened: the search itself decides
        position += *read;
        const std::size_t filled = kept + *read;
        const bool atEnd = filled < kPieceBytes;
        const std::size_t cut = atEnd ? filled : PieceCut(piece.get(), filled);
        marks.Mark(piece.get(), piece.get() + cut);
        if (atEnd)
            break;
        kept = filled - cut;
        std::memmove(piece.get(), piece.get() + cut, kept);
    }
    return marks.Qualifies();
}

} // namespace nelvix
