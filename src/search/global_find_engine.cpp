// The global find engine: chunked search of one file, its result lines, options and histories.
#include "search/global_find_engine.h"

#include <algorithm>
#include <cstring>

#include "base/native_path.h"
#include "encoding/detect.h"
#include "encoding/file_convert.h"
#include "encoding/text_detection.h"
#include "files/posix_file.h"
#include "pattern/compiled_pattern.h"
#include "search/chunk_reading.h"
#include "search/global_find_state.h"
#include "search/result_line.h"
#include "ui/messages.h"
#include "ui/platform.h"

namespace nelvix {

std::string_view FileNamePart(std::string_view sjisPath) {
    const std::size_t slash = sjisPath.rfind('/');
    return slash == std::string_view::npos ? sjisPath : sjisPath.substr(slash + 1);
}

bool GlobalFindEngine::FileState::ReadChunk() {
    // The chunk before was counted up to its last match; its rest is counted once, here.
    if (chunkLength > 0)
        linesBeforeChunk =
            lineBase + CountChunkLineEnds(chunk + countedTo, chunkLength - countedTo);
    chunkStartsLine = chunkPosition == 0 || (chunkLength >= 2 && chunk[chunkLength - 2] == kCr &&
                                             chunk[chunkLength - 1] == kLf);
    searchOffset = 0;
    countedTo = 0;
    lineStart = 0;
    lineScannedTo = 0;
    chunkLength = 0;
    textLength = 0;
    // The buffer is the same for every chunk: what was learnt of the last one is void.
    regexCarry.Forget();
    std::optional<std::size_t> got = reader.ReadAt(chunkPosition, chunk, kChunkBytes);
    if (!got)
        return false;
    if (nulAsFF)
        std::replace(chunk, chunk + *got, Byte{0}, Byte{0xFF});
    const std::size_t textRead = TextLengthBeforeNul(chunk, *got);
    if (*got == kChunkBytes) {
        chunk[kChunkBytes] = 0;
        chunkLength = FullChunkLength(chunk, kChunkBytes, textRead);
        // The next chunk starts with the line this one cut off.
        nextReadPosition = static_cast<std::int64_t>(chunkPosition + chunkLength);
    } else {
        chunkLength = *got;
        nextReadPosition = -1;
    }
    chunk[chunkLength] = 0;
    textLength = std::min(textRead, chunkLength);
    lineBase = linesBeforeChunk;
    return true;
}

std::size_t GlobalFindEngine::FileState::AdvanceAt(std::size_t offset,
                                                   std::size_t patternLength) const {
    if (!stepByCharacter)
        return patternLength;
    return offset + 1 < textLength && IsLeadByte(chunk[offset]) ? 2 : 1;
}

bool GlobalFindEngine::FileState::IsLineStart(std::size_t offset) const {
    if (offset == 0)
        return chunkStartsLine;
    return offset >= 2 && chunk[offset - 2] == kCr && chunk[offset - 1] == kLf;
}

std::size_t GlobalFindEngine::FileState::NextLineStart(std::size_t offset) const {
    if (IsLineStart(offset))
        return offset;
    // From the byte before, so that a CR LF that `offset` splits is found.
    const Byte* from = chunk + (offset > 0 ? offset - 1 : 0);
    const Byte* end = chunk + textLength;
    while (from < end) {
        const void* hit = std::memchr(from, kCr, static_cast<std::size_t>(end - from));
        if (hit == nullptr)
            break;
        const Byte* cr = static_cast<const Byte*>(hit);
        if (cr[1] == kLf)
            return static_cast<std::size_t>(cr + 2 - chunk);
        from = cr + 1;
    }
    return textLength;
}

std::optional<std::size_t> GlobalFindEngine::FileState::SearchChunk() {
    // The matcher takes its text start for a line start, which a search offset just after a
    // match is not: "^a" would otherwise match again at each following "a" of the line.
    const std::size_t start = anchoredAtLineStart ? NextLineStart(searchOffset) : searchOffset;
    if (start >= textLength)
        return std::nullopt;
    std::optional<Match> match =
        compiled->Find(chunk + start, chunk + textLength, true, nullptr, &regexCarry);
    if (!match)
        return std::nullopt;
    return start + match->offset;
}

GlobalFindEngine::GlobalFindEngine(EngineEnvironment& environment) : m_environment(environment) {}

GlobalFindEngine::~GlobalFindEngine() = default;

const CompiledPattern& GlobalFindEngine::Compiled(std::string_view pattern,
                                                  const SearchOptions& options) {
    if (!m_compiled || !m_compiled->Serves(pattern, options))
        m_compiled = std::make_unique<CompiledPattern>(pattern, options);
    return *m_compiled;
}

bool GlobalFindEngine::OpenWorkFileCopy(std::unique_ptr<FileDescriptor>& file, OpenedText& text) {
    const WorkFileConversion conversion =
        ConvertOpenFileToWorkFile(m_environment.platform, file->Get(), text.length,
                                  m_environment.codeDecision, m_environment.workFilePath);
    if (!conversion)
        return true;
    text.nativePath = conversion.path;
    std::size_t length = 0;
    file.reset(new FileDescriptor(OpenRegularFileForReading(text.nativePath, length)));
    text.length = length;
    return file->IsOpen();
}

void GlobalFindEngine::ReadThroughConversion(int fd, std::uint64_t length) {
    TextReader& reader = m_file->reader;
    reader.ReadAsIs(fd);
    if (m_environment.workFilePath.empty())
        return;
    const std::optional<HeadDecision> head = DecideOpenHead(fd, m_environment.codeDecision);
    if (!head)
        return;
    // A plain head's code is told as the file is read, so that the file is read once.
    ui::Memory& memory = m_environment.platform.memory;
    if (head->codeOpen && reader.ReadConverted(memory, fd, length, head->detection, true))
        return;
    const std::optional<Detection> detection =
        head->codeOpen ? DecideOpenFile(fd, m_environment.codeDecision) : head->detection;
    if (!detection || NeedsNoConversion(detection->code, detection->lineEnd))
        return;
    // Without memory for the conversion the file is read as it is, as when a copy fails.
    if (!reader.ReadConverted(memory, fd, length, *detection))
        ui::ShowOutOfMemory(m_environment.platform);
}

std::optional<OpenedText> GlobalFindEngine::OpenFile(std::string_view sjisPath,
                                                     std::string_view pattern,
                                                     const SearchOptions& options, bool asFile) {
    EndFile();
    if (pattern.empty())
        return std::nullopt;
    if (!m_file) {
        m_file = std::make_unique<FileState>();
        m_file->resultLine.reserve(kResultLineBytes + 1);
    }
    OpenedText text;
    text.nativePath = SjisPathToNative(sjisPath);
    std::size_t length = 0;
    std::unique_ptr<FileDescriptor> file(
        new FileDescriptor(OpenRegularFileForReading(text.nativePath, length)));
    if (!file->IsOpen())
        return std::nullopt;
    text.length = length;
    // The file is opened once: its head decides here whether the search reads a conversion.
    if (asFile) {
        if (!OpenWorkFileCopy(file, text))
            return std::nullopt;
        m_file->reader.ReadAsIs(file->Get());
    } else {
        ReadThroughConversion(file->Get(), text.length);
    }
    const CompiledPattern& compiled = Compiled(pattern, options);
    if (!options.regularExpression && options.widthSensitive && options.multiText &&
        !compiled.QualifiesText(m_file->reader))
        return std::nullopt;

    FileState& f = *m_file;
    f.file = std::move(file);
    f.fileName.assign(sjisPath);
    f.compiled = &compiled;
    f.stepByCharacter = options.regularExpression || !options.widthSensitive || options.multiText;
    f.anchoredAtLineStart = options.regularExpression && pattern.front() == '^';
    f.nulAsFF = m_environment.findNoneTextFile;
    f.chunkPosition = 0;
    f.nextReadPosition = 0;
    f.linesBeforeChunk = 0;
    f.lineBase = 0;
    f.chunkLength = 0;
    f.needChunk = true;
    f.regexCarry.Forget();
    f.regexCarry.ResetSteps();
    return text;
}

std::optional<std::size_t> GlobalFindEngine::NextMatch(std::string_view pattern) {
    if (!m_file || !m_file->file)
        return std::nullopt;
    FileState& f = *m_file;
    for (;;) {
        if (f.needChunk) {
            if (Cancelled() || !f.ReadChunk())
                break;
            f.needChunk = false;
        }
        const bool tooShort = f.textLength < f.AdvanceAt(f.searchOffset, pattern.size());
        // Text that stops at a NUL ends the file. A full chunk that is short only because a
        // line longer than the chunk follows its one CR LF does not: the file goes on.
        if (tooShort && f.textLength < f.chunkLength)
            break;
        std::optional<std::size_t> match;
        if (!tooShort)
            match = f.SearchChunk();
        if (match) {
            // Counted from the previous match, not from the search offset, so that a line end
            // inside the previous match is not lost.
            f.lineBase += CountCrLf(f.chunk + f.countedTo, f.chunk + *match);
            f.countedTo = *match;
            // One character on from the match itself: measured at the search start instead, a
            // double-byte match after a single-byte start would resume on its trail byte.
            f.searchOffset = *match + f.AdvanceAt(*match, pattern.size());
            return match;
        }
        if (f.nextReadPosition < 0)
            break;
        f.chunkPosition = static_cast<std::uint64_t>(f.nextReadPosition);
        f.needChunk = true;
    }
    EndFile();
    return std::nullopt;
}

std::string_view GlobalFindEngine::BuildLine(std::size_t match, std::size_t patternLength,
                                             MatchOffsets* offsets) {
    FileState& f = *m_file;
    QuotedMatch quoted;
    quoted.text = f.chunk;
    quoted.textLength = f.textLength;
    // Only the bytes since the previous match (and the one before them, which may be the CR of
    // a CR LF) are looked at again, so that a long line with many matches is not scanned back
    // to its start for each of them.
    const std::size_t from = f.lineScannedTo > 0 ? f.lineScannedTo - 1 : 0;
    if (const std::size_t start = LineStartBefore(f.chunk + from, match - from))
        f.lineStart = from + start;
    f.lineScannedTo = match;
    quoted.lineStart = f.lineStart;
    quoted.match = match;
    quoted.patternLength = patternLength;
    BuildResultLine(f.resultLine, f.fileName, f.lineBase + 1, quoted);
    if (offsets != nullptr) {
        offsets->lineStart = f.chunkPosition + quoted.lineStart;
        offsets->match = f.chunkPosition + match;
    }
    return f.resultLine;
}

std::optional<std::string_view> GlobalFindEngine::FindFirstInFile(std::string_view sjisPath,
                                                                  std::string_view pattern,
                                                                  MatchOffsets* offsets) {
    SearchOptions options = m_options;
    options.multiText = m_environment.multiText;
    if (!OpenFile(sjisPath, pattern, options))
        return std::nullopt;
    return FindNextInFile(pattern, offsets);
}

std::optional<std::string_view> GlobalFindEngine::FindNextInFile(std::string_view pattern,
                                                                 MatchOffsets* offsets) {
    std::optional<std::size_t> match = NextMatch(pattern);
    if (!match)
        return std::nullopt;
    return BuildLine(*match, pattern.size(), offsets);
}

std::uint64_t GlobalFindEngine::MatcherSteps() const {
    return m_file ? m_file->regexCarry.Steps() : 0;
}

void GlobalFindEngine::EndFile() {
    if (m_file)
        m_file->file.reset();
}

bool GlobalFindEngine::KeepGoing(SearchProgress& progress) {
    return m_environment.platform.eventPump.PumpEvents() && !progress.StopRequested();
}

bool GlobalFindEngine::SearchFileIntoSink(std::string_view sjisPath, std::string_view pattern,
                                          ResultSink& sink, SearchProgress& progress,
                                          std::uint32_t& hits) {
    progress.ShowFileName(FileNamePart(sjisPath));
    std::optional<std::string_view> line = FindFirstInFile(sjisPath, pattern);
    if (!line)
        return KeepGoing(progress);
    while (line) {
        ++hits;
        progress.ShowHitCount(hits);
        if (!sink.Add(*line)) {
            EndFile();
            return false;
        }
        line = FindNextInFile(pattern);
        if (!KeepGoing(progress)) {
            EndFile();
            return false;
        }
    }
    return true;
}

std::optional<OpenedText>
GlobalFindEngine::WalkLineStarts(std::string_view sjisPath,
                                 const std::function<bool(std::uint64_t)>& lineStart) {
    constexpr std::string_view kCrLf = "\r\n";
    // The person's options stay as they are: the line ends are found by a plain search of its
    // own, which takes only the case option from them.
    SearchOptions options = m_options;
    options.regularExpression = false;
    options.widthSensitive = true;
    options.multiText = false;
    std::optional<OpenedText> text = OpenFile(sjisPath, kCrLf, options, true);
    if (!text)
        return std::nullopt;
    while (std::optional<std::size_t> match = NextMatch(kCrLf)) {
        const std::uint64_t next = m_file->chunkPosition + *match + kCrLf.size();
        if (next >= text->length || !lineStart(next))
            break;
    }
    EndFile();
    return text;
}

} // namespace nelvix
