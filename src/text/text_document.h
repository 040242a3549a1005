// CKespoDoc: one open text (a file, or an untitled result list) as Shift-JIS with CR LF.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_block.h"
#include "base/limits.h"
#include "text/display_format.h"
#include "text/row_table.h"
#include "text/update_hint.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

inline constexpr std::uint32_t kTextBlockStep = 32'768;
inline constexpr std::size_t kLoadBufferBytes = 30'720;
inline constexpr std::size_t kMaxMarks = 100;
inline constexpr std::size_t kMaxStringMarkBytes = 40;
/// The line mark of the first line, which has no line end before it.
inline constexpr std::uint32_t kFirstLineMark = 0xFFFFFFFE;

struct StringMark {
    std::uint32_t offset = 0;
    std::uint32_t length = 0;
    std::string text; ///< 1..40 bytes of Shift-JIS
};

class StagedFile;

/// Reading and writing the attribute file beside a text; absent until that module is wired in.
class DocumentAttributes {
public:
    virtual ~DocumentAttributes() = default;
    /// Reports its own failures; opening goes on regardless.
    virtual void Read(CKespoDoc& document, std::string_view sjisPath) = 0;
    /// Prepares what a save of the text to `sjisPath` does to the attribute file (its new bytes
    /// staged in `staged`, or its removal) without changing any file yet. False, after its own
    /// message, when the save must not go on.
    virtual bool Prepare(CKespoDoc& document, std::string_view sjisPath, StagedFile& staged) = 0;
};

/// What a document needs of the program around it.
struct DocumentEnvironment {
    ui::Platform& platform;
    // Every other member has an initializer, so that `DocumentEnvironment{platform}` names all
    // that is needed.
    /// Native path of this process's work file; empty: files are read unconverted.
    std::string workFilePath{};
    int codeDecision = 0; ///< the "CodeDecision" setting
    DisplayFormat format{};
    DocumentAttributes* attributes = nullptr;
    std::function<void(std::string_view sjisPath)> addToRecentFiles{};
    /// Refreshes the window bar after a document was renamed by Save As or closed.
    std::function<void()> refreshWindowBar{};
};

/// Where loading takes its bytes from: a file or memory (defined by the document).
class LoadSource;

enum class GrowResult : int { Fits = 0, Grown = 1, OutOfMemory = 2, TooLarge = 3 };

enum class NearLimit : int { None = 0, Rows = 1, Bytes = 2 };

class CKespoDoc {
public:
    /// Nothing when the first text block cannot be had.
    static std::unique_ptr<CKespoDoc> Create(DocumentEnvironment& environment);
    ~CKespoDoc();
    CKespoDoc(const CKespoDoc&) = delete;
    CKespoDoc& operator=(const CKespoDoc&) = delete;

    /// Loads a file (converted through the work file when needed); false after the load-failure
    /// report (the file cannot be opened, is not a regular file, or a read failed). A file too
    /// long or a text block that cannot grow is reported but still opens, cut or empty. The
    /// document keeps the path absolute (AbsoluteSjisPath), so that its title, tags, the recent
    /// files and the cabinet name the file from any working folder.
    bool OnOpenDocument(std::string_view sjisPath);
    /// Writes the text as held and its attribute file together: both are replaced, or neither
    /// file changes. False after the report: "無効なﾌｧｲﾙ名です。" for a name that cannot be
    /// created, the write-error message for a write that failed, message 59521 for a name that
    /// holds something other than a regular file, or the attribute file's own message.
    bool OnSaveDocument(std::string_view sjisPath);
    /// Runs the byte filter over bytes already in memory, as loading a file does: the length
    /// limit with its message, the text block, the altered flag (set afresh) and the Loaded
    /// hint.
    void LoadBytes(const Byte* bytes, std::size_t length);

    /// The Save command (57603): false at once when CanSave() is false; saves in place when the
    /// file exists and can be read and written, else behaves as Save As.
    bool Save();
    /// Save As (57604): asks for a name, proposing ProposedSaveName(); false on cancel or when
    /// the save failed, every file then as it was and the document under its old name.
    bool SaveAs();
    /// The enable rule of Save: neither opened read-only nor altered on load.
    bool CanSave() const { return !m_readOnly && !m_alteredOnLoad; }
    /// The path; for an untitled document its title cut to 8 bytes (whole characters), then at
    /// the first of " #%;/\", with ".txt" for the plain-text document type.
    std::string ProposedSaveName() const;

    /// Makes the block hold `bytesNeeded` + 2 bytes. On OutOfMemory the old block stays; on
    /// Grown the caller tells the views (TextMoved) when it keeps the pointer elsewhere.
    GrowResult GrowText(std::uint32_t bytesNeeded);
    NearLimit CheckNearLimit(std::uint32_t rowsToAdd, std::uint32_t bytesToAdd) const;
    std::uint32_t RowOfLine(std::uint32_t line) const { return m_rows.RowOfLine(line); }
    std::uint32_t LineOfRow(std::uint32_t row) const { return m_rows.LineOfRow(row); }

    void AddView(DocumentView& view);
    void RemoveView(DocumentView& view);
    /// The view that carries out changes every view is told of (appending text), so that they
    /// happen once; null without views.
    const DocumentView* FirstView() const { return m_views.empty() ? nullptr : m_views.front(); }
    void UpdateAllViews(UpdateHint hint, const HintArgument& argument = {});
    /// Takes a new copy of the format settings and sends FormatCopied, which lays the text out
    /// again. Without `layOutAgain`, and when the font stays, the views only redraw (hint 33):
    /// colours and marks need no new layout.
    void SetFormatSettings(const DisplayFormat& format, bool layOutAgain = true);

    const Byte* Text() const { return m_text.get(); }
    Byte* MutableText() { return m_text.get(); }
    std::uint32_t TextLength() const { return m_textLength; }
    /// Sets the length of the text (at most the capacity) and works out its last character.
    void SetTextLength(std::uint32_t length);
    std::uint32_t LastCharOffset() const { return m_lastCharOffset; }
    std::uint32_t Capacity() const { return m_capacity; }
    std::string_view TextView() const;

    /// The layout of the text, shared by its views; the views' layout keeps it.
    RowTable& Rows() { return m_rows; }
    const RowTable& Rows() const { return m_rows; }

    std::vector<StringMark>& StringMarks() { return m_stringMarks; }
    const std::vector<StringMark>& StringMarks() const { return m_stringMarks; }
    std::vector<std::uint32_t>& LineMarks() { return m_lineMarks; }
    const std::vector<std::uint32_t>& LineMarks() const { return m_lineMarks; }
    const DisplayFormat& Format() const { return m_format; }

    const std::string& PathName() const { return m_path; } ///< Shift-JIS; empty when untitled
    const std::string& Title() const { return m_title; }
    void SetTitle(std::string sjisTitle) { m_title = std::move(sjisTitle); }
    /// Keeps the path as given; the title becomes its file-name part.
    void SetPathName(std::string sjisPath);

    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool readOnly) { m_readOnly = readOnly; }
    bool IsAlteredOnLoad() const { return m_alteredOnLoad; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    DocumentEnvironment& Environment() { return m_environment; }

    /// Set when an append was refused or filled the row table, after its message: a run that
    /// fills this document stops there instead of meeting the same message for every further
    /// line.
    bool AppendLimitReached() const { return m_appendLimitReached; }
    void NoteAppendLimitReached() { m_appendLimitReached = true; }

private:
    explicit CKespoDoc(DocumentEnvironment& environment);
    /// The load steps over `length` bytes that `source` delivers; false when a read failed.
    bool Load(std::uint64_t length, LoadSource& source);
    /// DoSave: with no name asks for one; false when cancelled or the save failed.
    bool DoSave(const std::string* sjisPath);

    DocumentEnvironment& m_environment;
    std::unique_ptr<Byte, FreeDeleter> m_text;
    std::uint32_t m_textLength = 0;
    std::uint32_t m_lastCharOffset = 0;
    std::uint32_t m_capacity = 0;
    RowTable m_rows;
    std::vector<StringMark> m_stringMarks;
    std::vector<std::uint32_t> m_lineMarks;
    DisplayFormat m_format;
    std::vector<DocumentView*> m_views;
    std::string m_path;
    std::string m_title;
    bool m_readOnly = false;
    bool m_alteredOnLoad = false;
    bool m_modified = false;
    bool m_appendLimitReached = false;
};

} // namespace nelvix
