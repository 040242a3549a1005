// Result lines gathered into one append end a run exactly where lines appended one by one end
// it: the same line is refused, with the same message, at the text limit, the row limit and a
// block that cannot grow.
#include "commands/result_document_sink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_frame_windows.h"
#include "text/document_list.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"
#include "ui/message_ids.h"

namespace nelvix {
namespace {

struct SinkCase {
    const char* name;
    std::size_t lineBytes;      ///< of the text after the tag, before its CR LF
    bool tabs;                  ///< tabs widen the rows the lines take
    std::size_t failAboveBytes; ///< the memory refuses blocks above this; 0 never
    int expectedMessage;        ///< the message that ends the run
};

/// What a run told the document: the line Add refused (1-based), the text and rows it kept.
struct Outcome {
    std::size_t refusedLine = 0;
    std::string text;
    std::uint32_t rows = 0;
    std::vector<int> messages;
};

std::string ResultLine(std::size_t n, const SinkCase& c) {
    std::string line = "/logs/f" + std::to_string(n / 100) + ".txt(" + std::to_string(n) + "): ";
    for (std::size_t i = 0; line.size() < c.lineBytes; ++i)
        line += c.tabs && i % 9 == 0 ? '\t' : static_cast<char>('a' + (n + i) % 26);
    return line + "\r\n";
}

class GatheredLines : public testing::TestWithParam<SinkCase> {
protected:
    Outcome Run(bool gathered) {
        const SinkCase& c = GetParam();
        fake.memory.failAboveBytes = c.failAboveBytes;
        fake.messageBox.shown.clear();
        CKespoDoc* document = windows.CreateUntitledDocument();
        ResultDocumentSink sink(*document, documents);
        Outcome outcome;
        for (std::size_t n = 1; n < 200'000 && outcome.refusedLine == 0; ++n) {
            const std::string line = ResultLine(n, c);
            if (gathered ? !sink.Add(line) : !AddOneByOne(*document, line))
                outcome.refusedLine = n;
        }
        sink.ShowAppended();
        outcome.text = std::string(document->TextView());
        outcome.rows = document->Rows().Count();
        outcome.messages = fake.messageBox.ShownIds();
        fake.memory.failAboveBytes = 0;
        return outcome;
    }

    /// How a line went into a result before lines were gathered.
    static bool AddOneByOne(CKespoDoc& document, const std::string& line) {
        HintArgument argument;
        argument.text = reinterpret_cast<const Byte*>(line.c_str());
        document.UpdateAllViews(UpdateHint::AppendText, argument);
        return !document.AppendLimitReached();
    }

    ui::FakePlatform fake;
    DocumentEnvironment environment{fake.platform};
    DocumentList documents{environment};
    test::FakeFrameWindows windows{fake.platform, documents};
};

TEST_P(GatheredLines, EndWhereLinesOneByOneEnd) {
    const Outcome oneByOne = Run(false);
    const Outcome gathered = Run(true);
    ASSERT_NE(oneByOne.refusedLine, 0u);
    EXPECT_EQ(gathered.refusedLine, oneByOne.refusedLine);
    EXPECT_EQ(gathered.rows, oneByOne.rows);
    EXPECT_EQ(gathered.messages, oneByOne.messages);
    EXPECT_EQ(gathered.messages, std::vector<int>{GetParam().expectedMessage});
    EXPECT_TRUE(gathered.text == oneByOne.text)
        << gathered.text.size() << " bytes kept for " << oneByOne.text.size();
}

INSTANTIATE_TEST_SUITE_P(
    Limits, GatheredLines,
    testing::Values(SinkCase{"TextLimit", 150, false, 0, ui::kMsgTextTooLong},
                    SinkCase{"RowLimitOfWrappedLines", 60, true, 0, ui::kMsgTooManyRows},
                    SinkCase{"BlockThatCannotGrow", 100, false, 1'000'000, ui::kMsgOutOfMemory}),
    [](const testing::TestParamInfo<SinkCase>& row) { return std::string(row.param.name); });

} // namespace
} // namespace nelvix
