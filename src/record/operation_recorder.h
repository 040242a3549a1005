// The operation recorder: the one recorded operation of the run, its replay, its macro files and
// the five user-tool slots that replay a macro file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/limits.h"
#include "base/sjis.h"
#include "record/command_table.h"
#include "ui/platform.h"

namespace nelvix {

inline constexpr std::size_t kRecordBufferBytes = 61440;
inline constexpr std::size_t kMemoryProbeBytes = 0x20000;
inline constexpr std::int32_t kCommandRecordType = 512;
inline constexpr std::int32_t kCodedRecordType = 256;
inline constexpr std::size_t kMacroListMax = 100;
inline constexpr int kCmdReplay = 32809;
inline constexpr int kCmdSaveOperation = 32810;
inline constexpr int kCmdRecallOperation = 32811;
/// Bytes of a macro name shown in a menu or a tip.
inline constexpr std::size_t kUserToolLabelBytes = 40;

/// Runs a command as its menu item would; the main frame implements it.
class CommandDispatcher {
public:
    virtual ~CommandDispatcher() = default;
    virtual void RunCommand(int commandId) = 0;
    virtual bool HasActiveView() const = 0;
};

struct MacroEntry {
    std::string name;    ///< Shift-JIS, as LoadMacro takes it
    std::string comment; ///< Shift-JIS
    bool deleted = false;
};

class OperationRecorder {
public:
    /// `nativeHome`: the program home; `userTools`: the five user-tool slots of the settings
    /// record (Shift-JIS names), which outlive the recorder.
    OperationRecorder(ui::Platform& platform, std::string nativeHome,
                      std::array<std::string, kUserToolSlots>& userTools);

    /// Obtains and releases 128 KiB; false, after "メモリ不足です。", when that fails.
    bool ProbeMemory();

    /// Clears the buffer and accepts records. Refused while a replay runs (it walks the
    /// buffer), and when the buffer cannot be allocated ("メモリ不足です。").
    void StartRecording();
    void StopRecording();
    bool IsRecording() const { return m_recording; }
    bool IsReplaying() const { return m_replaying; }
    /// The enable rule of replaying and saving: the buffer holds a record.
    bool HasRecord() const { return m_recordCount > 0; }

    /// Appends one record while recording; false when not recording, and on overflow, where
    /// it shows the buffer message and stops recording (the records stored so far stay).
    bool RecordOperation(std::int32_t type, int commandId, const Byte* data, std::size_t length);
    /// The three steps a command with the "操作を記録する" check runs; nothing during a replay.
    void RecordCommand(bool recordCheck, int commandId, const Byte* data, std::size_t length);

    /// The data of the record being replayed; empty outside a replay.
    std::span<const Byte> CurrentReplayRecord() const { return m_currentRecord; }

    /// Replays the buffer, loading `sjisMacroName` first when given (a failed load stops
    /// silently); an empty buffer beeps. A replay asked for while one runs (a replayed command
    /// that replays) is refused with a beep, so a macro can never replay itself for ever.
    void Replay(CommandDispatcher& dispatcher,
                std::optional<std::string_view> sjisMacroName = std::nullopt);

    /// Loads macro file `sjisName` of the program home into the buffer. False, with the name
    /// forgotten and the buffer as it was, when the name is invalid, the file is missing,
    /// unreadable, shorter than its header says or its header is invalid, memory ran out, or
    /// a replay runs.
    bool LoadMacro(std::string_view sjisName);
    /// Takes the records of a whole macro file image; false leaves the buffer as it was.
    bool LoadMacroImage(std::span<const Byte> image);
    /// Writes the buffer to macro file `sjisName` with `sjisComment` (cut to 100 bytes);
    /// false, after the macro write message, when the name is invalid or the write failed.
    bool SaveMacro(std::string_view sjisName, std::string_view sjisComment);
    /// Removes macro file `sjisName` of the program home; false when the name cannot be a macro
    /// file of the home or the file could not be removed.
    bool DeleteMacro(std::string_view sjisName);
    /// The valid macro files of the program home, sorted by name, at most 100.
    std::vector<MacroEntry> ListMacros() const;
    /// 0 no such file, 1 the file exists, 2 the name cannot be a macro file of the home.
    int MacroExists(std::string_view sjisName) const;
    /// The macro last loaded or saved; empty when none.
    const std::string& MacroName() const { return m_macroName; }
    const std::string& Comment() const { return m_comment; }

    /// Slot 1..5 holds a name; false for any other slot number.
    bool UserToolEnabled(int slot) const;
    /// Shift-JIS, e.g. "Find1\tCtrl+3" or "ﾕｰｻﾞﾂｰﾙ3\tCtrl+3"; empty for a bad slot number.
    std::string UserToolMenuText(int slot) const;
    /// The slot's name as the menu shows it, without the key; empty for an empty slot.
    std::string UserToolTip(int slot) const;
    /// Replays the slot's macro file after the memory probe; an empty slot does nothing.
    void RunUserTool(CommandDispatcher& dispatcher, int slot);
    /// Start-up check: empties a slot whose file is gone or whose joined path is 260 bytes or
    /// longer (or whose name cannot be a macro file at all).
    void CheckUserTools();

private:
    struct FreeBlock {
        void operator()(Byte* block) const { std::free(block); }
    };
    using Block = std::unique_ptr<Byte, FreeBlock>;

    bool EnsureBuffer();
    Block AllocateBlock(std::size_t bytes);
    /// The native path of macro `sjisName`; nothing when the name is invalid.
    std::optional<std::string> MacroPath(std::string_view sjisName) const;
    std::span<const Byte> Records() const;
    void RunRecords(CommandDispatcher& dispatcher);
    std::string UserToolLabel(int slot) const;

    ui::Platform& m_platform;
    std::string m_nativeHome;
    std::string m_sjisProgramPath;
    std::array<std::string, 5>& m_userTools;
    Block m_buffer;
    bool m_recording = false;
    bool m_replaying = false;
    std::size_t m_recordCount = 0;
    std::size_t m_recordBytes = 0;
    std::span<const Byte> m_currentRecord;
    std::string m_macroName;
    std::string m_comment;
};

/// The save dialog's name check: false ("ファイル名が不正です。") for a name with a directory
/// part, an empty name, and a name MacroExists calls invalid.
bool IsValidMacroName(const OperationRecorder& recorder, std::string_view sjisName);

} // namespace nelvix
