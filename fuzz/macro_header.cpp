// Fuzzes the macro file: the header parser, the record walk, the image round trip, and a
// replay of whatever records a loaded file holds.
#include <array>
#include <span>
#include <string>

#include "fuzz_check.h"
#include "record/command_table.h"
#include "record/macro_file.h"
#include "record/operation_recorder.h"
#include "ui/fake_platform.h"

namespace {

using nelvix::fuzz::Check;

/// Reads every byte of each replayed record, so a record reaching past the buffer shows up
/// under AddressSanitizer.
class TouchingDispatcher final : public nelvix::CommandDispatcher {
public:
    explicit TouchingDispatcher(const nelvix::OperationRecorder& recorder) : m_recorder(recorder) {}
    void RunCommand(int commandId) override {
        Check(commandId == nelvix::kCmdGlobalFind || commandId == nelvix::kCmdLineExtraction ||
              commandId == nelvix::kCmdGlobalExtraction || commandId == nelvix::kCmdUnusedSlot);
        Check(m_recorder.IsReplaying());
        for (nelvix::Byte b : m_recorder.CurrentReplayRecord())
            sum += b;
        ++runs;
    }
    bool HasActiveView() const override { return (sum & 1) != 0; }

    unsigned sum = 0;
    std::size_t runs = 0;

private:
    const nelvix::OperationRecorder& m_recorder;
};

void WalkRecords(std::span<const nelvix::Byte> records) {
    std::size_t offset = 0;
    while (const auto record = nelvix::ReadCommandRecord(records, offset)) {
        Check(record->data.data() >= records.data());
        Check(record->data.data() + record->data.size() <= records.data() + records.size());
        Check(offset <= records.size());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const nelvix::Byte> bytes(data, size);
    WalkRecords(bytes);

    const auto header = nelvix::ParseMacroHeader(data, size);
    bool whole = false;
    if (header) {
        Check(header->comment.size() <= nelvix::kMacroCommentMaxBytes);
        const auto headerBytes = static_cast<std::size_t>(header->headerSize);
        const auto recordBytes = static_cast<std::size_t>(header->recordBytes);
        Check(headerBytes <= size);
        whole = size - headerBytes >= recordBytes;
        if (whole) {
            const auto image =
                nelvix::BuildMacroImage(*header, bytes.subspan(headerBytes, recordBytes));
            const auto back = nelvix::ParseMacroHeader(image.data(), image.size());
            Check(back && back->comment == header->comment &&
                  back->recordCount == header->recordCount &&
                  back->recordBytes == header->recordBytes);
        }
    }

    nelvix::ui::FakePlatform fake;
    std::array<std::string, 5> tools;
    nelvix::OperationRecorder recorder(fake.platform, "/nonexistent", tools);
    const bool loaded = recorder.LoadMacroImage(bytes);
    Check(loaded == whole);
    TouchingDispatcher dispatcher(recorder);
    recorder.Replay(dispatcher);
    Check(!recorder.IsReplaying());
    if (loaded)
        Check(dispatcher.runs <= static_cast<std::size_t>(header->recordCount));
    return 0;
}
