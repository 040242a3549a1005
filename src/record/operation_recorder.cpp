// Recording one command into the buffer, replaying the buffer, and the user-tool slots.
#include "record/operation_recorder.h"

#include <cassert>
#include <cstring>
#include <utility>

#include "base/cp932.h"
#include "base/native_path.h"
#include "record/command_table.h"
#include "record/macro_file.h"
#include "ui/messages.h"

namespace nelvix {
namespace {

void PutInt32(Byte* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<Byte>(bits >> (8 * i));
}

/// The name cut to the label width on a character boundary, a lower-case first letter raised.
std::string LabelOfName(std::string_view sjisName) {
    const auto* text = reinterpret_cast<const Byte*>(sjisName.data());
    std::size_t cut = 0;
    while (cut < sjisName.size()) {
        const std::size_t next = NextCharOffset(text, sjisName.size(), cut);
        if (next > kUserToolLabelBytes)
            break;
        cut = next;
    }
    std::string label(sjisName.substr(0, cut));
    if (!label.empty())
        label[0] = static_cast<char>(AsciiToUpper(static_cast<Byte>(label[0])));
    return label;
}

bool IsUserToolSlot(int slot) {
    return slot >= 1 && static_cast<std::size_t>(slot) <= kUserToolSlots;
}

} // namespace

OperationRecorder::OperationRecorder(ui::Platform& platform, std::string nativeHome,
                                     std::array<std::string, 5>& userTools)
    : m_platform(platform), m_nativeHome(std::move(nativeHome)),
      m_sjisProgramPath(NativePathToSjis(m_nativeHome) + "/nelvix.exe"), m_userTools(userTools) {}

bool OperationRecorder::ProbeMemory() {
    if (!AllocateBlock(kMemoryProbeBytes)) {
        ui::ShowMessage(m_platform, ui::kMsgShortOfMemory);
        return false;
    }
    return true;
}

OperationRecorder::Block OperationRecorder::AllocateBlock(std::size_t bytes) {
    return Block(static_cast<Byte*>(m_platform.memory.Allocate(bytes)));
}

bool OperationRecorder::EnsureBuffer() {
    if (!m_buffer)
        m_buffer = AllocateBlock(kRecordBufferBytes);
    return m_buffer != nullptr;
}

std::span<const Byte> OperationRecorder::Records() const {
    if (!m_buffer)
        return {};
    return {m_buffer.get(), m_recordBytes};
}

void OperationRecorder::StartRecording() {
    if (m_replaying)
        return;
    if (!EnsureBuffer()) {
        ui::ShowMessage(m_platform, ui::kMsgShortOfMemory);
        return;
    }
    m_recordCount = 0;
    m_recordBytes = 0;
    m_macroName.clear();
    m_recording = true;
}

void OperationRecorder::StopRecording() {
    m_recording = false;
}

bool OperationRecorder::RecordOperation(std::int32_t type, int commandId, const Byte* data,
                                        std::size_t length) {
    assert((data != nullptr || length == 0) && "a record's data must come with its bytes");
    if (!m_recording || !m_buffer)
        return false;
    const std::size_t room = kRecordBufferBytes - m_recordBytes;
    if (room < kCommandRecordHeadBytes || length > room - kCommandRecordHeadBytes) {
        ui::ShowMessage(m_platform, ui::kMsgRecordBufferFull);
        m_recording = false;
        return false;
    }
    const bool coded = type == kCommandRecordType || type == kCodedRecordType;
    Byte* out = m_buffer.get() + m_recordBytes;
    PutInt32(out, type);
    PutInt32(out + 4, coded ? CommandCode(commandId) : commandId);
    PutInt32(out + 8, static_cast<std::int32_t>(length));
    if (length > 0)
        std::memcpy(out + kCommandRecordHeadBytes, data, length);
    m_recordBytes += kCommandRecordHeadBytes + length;
    ++m_recordCount;
    return true;
}

void OperationRecorder::RecordCommand(bool recordCheck, int commandId, const Byte* data,
                                      std::size_t length) {
    if (m_replaying)
        return;
    bool startedHere = false;
    if (!m_recording && recordCheck) {
        if (!ProbeMemory())
            return;
        StartRecording();
        startedHere = m_recording;
    }
    RecordOperation(kCommandRecordType, commandId, data, length);
    if (startedHere)
        StopRecording();
}

void OperationRecorder::Replay(CommandDispatcher& dispatcher,
                               std::optional<std::string_view> sjisMacroName) {
    if (m_replaying) {
        m_platform.beeper.Beep();
        return;
    }
    if (sjisMacroName && !LoadMacro(*sjisMacroName))
        return;
    if (!HasRecord()) {
        m_platform.beeper.Beep();
        return;
    }
    // Cleared however the loop ends, so the commands never stay in their replay mode.
    struct ReplayScope {
        OperationRecorder& recorder;
        ~ReplayScope() {
            recorder.m_currentRecord = {};
            recorder.m_replaying = false;
        }
    } scope{*this};
    m_replaying = true;
    RunRecords(dispatcher);
}

void OperationRecorder::RunRecords(CommandDispatcher& dispatcher) {
    const std::span<const Byte> records = Records();
    std::size_t offset = 0;
    for (std::size_t index = 0; index < m_recordCount; ++index) {
        const std::optional<CommandRecord> record = ReadCommandRecord(records, offset);
        if (!record)
            return;
        if (record->type == kCommandRecordType) {
            m_currentRecord = record->data;
            dispatcher.RunCommand(CommandOfCode(record->code));
            m_currentRecord = {};
        } else if (dispatcher.HasActiveView()) {
            return;
        }
    }
}

bool OperationRecorder::UserToolEnabled(int slot) const {
    return IsUserToolSlot(slot) && !m_userTools[static_cast<std::size_t>(slot - 1)].empty();
}

std::string OperationRecorder::UserToolLabel(int slot) const {
    const std::string& name = m_userTools[static_cast<std::size_t>(slot - 1)];
    if (name.empty())
        return Sjis("ﾕｰｻﾞﾂｰﾙ") + std::to_string(slot);
    return LabelOfName(name);
}

std::string OperationRecorder::UserToolMenuText(int slot) const {
    if (!IsUserToolSlot(slot))
        return {};
    return UserToolLabel(slot) + "\tCtrl+" + std::to_string(slot);
}

std::string OperationRecorder::UserToolTip(int slot) const {
    if (!UserToolEnabled(slot))
        return {};
    return UserToolLabel(slot);
}

void OperationRecorder::RunUserTool(CommandDispatcher& dispatcher, int slot) {
    if (!UserToolEnabled(slot) || !ProbeMemory())
        return;
    // A copy: a replayed command may rebind the slot while the name is in use.
    const std::string name = m_userTools[static_cast<std::size_t>(slot - 1)];
    Replay(dispatcher, name);
}

void OperationRecorder::CheckUserTools() {
    for (std::string& name : m_userTools)
        if (!name.empty() && MacroExists(name) != 1)
            name.clear();
}

} // namespace nelvix
