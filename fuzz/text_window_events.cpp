// Fuzzes the text window with random key, mouse, command, append and size events over a random
// text: the caret must stay on a character boundary inside the text, a stream selection inside
// it, and painting and copying must read nothing out of range.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "fuzz_check.h"
#include "ui/fake_platform.h"
#include "ui/recording_surface.h"
#include "view/text_window.h"

namespace {

using nelvix::fuzz::Check;

using namespace nelvix;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool Empty() const { return m_at >= m_size; }
    std::uint8_t Next() { return m_at < m_size ? m_data[m_at++] : 0; }
    /// Bytes as a document holds them: lines end with CR LF, and no lead byte stands before a
    /// CR.
    std::string Line(std::size_t length) {
        std::string line;
        for (std::size_t i = 0; i < length && !Empty(); ++i) {
            const std::uint8_t b = Next();
            line += static_cast<char>(b == kCr || b == kLf ? 'a' : b);
        }
        if (!line.empty() && IsLeadByte(static_cast<Byte>(line.back())))
            line.back() = 'a';
        return line + "\r\n";
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_at = 0;
};

void CheckWindow(const CKespoDoc& document, const CKespoEV& window) {
    const LayoutText text = LayoutTextOf(document);
    std::vector<bool> starts(text.length + 1, false);
    for (std::uint32_t at = 0; at < text.length; at = NextChar(text, at))
        starts[at] = true;
    starts[text.length] = true;
    const std::uint32_t caret = window.CaretOffset();
    Check(caret <= document.TextLength() && starts[caret]);
    Check(window.CaretRow() <= document.Rows().Count());
    Check(window.CaretColumn() <= window.Rules().charsPerLine);
    if (const auto stream = window.StreamSelection()) {
        Check(stream->first < stream->second && stream->second <= document.TextLength());
        Check(starts[stream->first] && starts[stream->second]);
    }
    const std::string selected = window.SelectionText();
    Check(selected.size() <= document.TextLength() + 2 * (document.Rows().Count() + 1u));
}

constexpr std::array<Key, 12> kKeys = {Key::Left,   Key::Right, Key::Up,     Key::Down,
                                       Key::Home,   Key::End,   Key::PageUp, Key::PageDown,
                                       Key::Escape, Key::C,     Key::Insert, Key::F2};
constexpr std::array<int, 7> kCommands = {kCmdCopy,         kCmdAppendCopy, kCmdSelectAll,
                                          kCmdToggleMark,   kCmdNextMark,   kCmdPreviousMark,
                                          kCmdClearAllMarks};
constexpr std::size_t kMaxEvents = 200;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input input(data, size);
    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    const auto pixelX = [](std::uint8_t b) { return static_cast<int>(b) * 3 - 40; };
    const auto pixelY = [](std::uint8_t b) { return static_cast<int>(b) - 40; };
    const std::uint8_t layout = input.Next();
    environment.format.charsPerLine = 10 + input.Next() % 60;
    environment.format.tabColumns = 2 + layout % 8;
    ViewSettings settings;
    settings.wordWrap = (layout & 0x10) != 0;
    settings.freeCursor = (layout & 0x20) != 0;
    ui::RecordingSurface surface;
    NullTextWindowHost host;
    std::unique_ptr<CKespoDoc> document = CKespoDoc::Create(environment);
    if (!document)
        return 0;
    CKespoEV window(*document, fake.platform, surface, host, settings);
    window.OnSize(320, 160);
    window.SetCaretSettings({input.Next() % 12u, (layout & 0x40) != 0});
    std::string text;
    for (std::uint8_t lines = input.Next() % 24; lines > 0; --lines)
        text += input.Line(input.Next() % 40);
    if ((layout & 0x80) != 0 && !text.empty())
        text.resize(text.size() - 2);
    document->LoadBytes(reinterpret_cast<const Byte*>(text.data()), text.size());

    for (std::size_t events = 0; events < kMaxEvents && !input.Empty(); ++events) {
        const std::uint8_t op = input.Next();
        const std::uint8_t a = input.Next();
        const std::uint8_t b = input.Next();
        switch (op % 12) {
        case 0:
            window.OnKeyDown(kKeys[a % kKeys.size()], {(b & 1) != 0, (b & 2) != 0});
            break;
        case 1:
            window.OnLeftButtonDown(pixelX(a), pixelY(b), (op & 0x80) != 0);
            break;
        case 2:
            window.OnMouseMove(pixelX(a), pixelY(b), (op & 0x80) != 0);
            break;
        case 3:
            window.OnLeftButtonUp();
            break;
        case 4:
            window.OnDragTimer(pixelX(a), pixelY(b));
            break;
        case 5:
            window.SelectWordAt(pixelX(a), pixelY(b));
            break;
        case 6:
            window.OnCommand(kCommands[a % kCommands.size()]);
            break;
        case 7: {
            const std::string line = input.Line(a % 16);
            HintArgument argument{reinterpret_cast<const Byte*>(line.data()), line.size(), nullptr};
            document->UpdateAllViews(UpdateHint::AppendLength, argument);
            break;
        }
        case 8: {
            // Inserting inside the text happens only at line starts, where no character is cut.
            const std::string line = input.Line(a % 8);
            const std::uint32_t at = document->Rows().Count() == 0
                                         ? 0
                                         : document->Rows().Start(b % document->Rows().Count());
            if (at == 0 || (at >= 2 && document->Text()[at - 1] == kLf))
                window.InsertText(at, reinterpret_cast<const Byte*>(line.data()), line.size(),
                                  (op & 0x80) != 0);
            break;
        }
        case 9:
            window.SelectRange(static_cast<std::uint32_t>(a) * 7,
                               static_cast<std::uint32_t>(b) * 9);
            break;
        case 10:
            window.OnSize(a * 3, b);
            break;
        case 11:
            window.OnPaint({0, 0, 320, 160});
            surface.ClearOperations();
            break;
        }
        CheckWindow(*document, window);
    }
    return 0;
}
