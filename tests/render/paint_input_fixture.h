// A text laid out one row per line (or cut at a given width) and the paint input over it, for
// the colouring and painting tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/sjis.h"
#include "render/comment_tables.h"
#include "render/text_paint_input.h"

namespace nelvix::test {

struct PaintFixture {
    std::string text;
    std::vector<std::uint32_t> rowStarts;
    std::vector<std::string> userKeywords;
    std::vector<std::string> cKeywords{"int", "if", "#if", "#include", "__inline", "char"};
    std::vector<std::string> cppKeywords{"inline", "class"};
    std::vector<StringMark> stringMarks;
    std::vector<std::uint32_t> lineMarks;
    CommentTables tables;
    TextPaintInput input;

    /// Rows end after each CR LF and after every `width` bytes.
    explicit PaintFixture(std::string sjis, std::uint32_t width = 1000) : text(std::move(sjis)) {
        std::uint32_t start = 0;
        while (start < text.size()) {
            rowStarts.push_back(start);
            std::uint32_t at = start;
            while (at < text.size() && at - start < width) {
                if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') {
                    at += 2;
                    break;
                }
                ++at;
            }
            start = at;
        }
    }

    /// The input with every pointer and span filled in; call after changing the members.
    TextPaintInput& Input() {
        input.text = reinterpret_cast<const Byte*>(text.data());
        input.textLength = static_cast<std::uint32_t>(text.size());
        input.rowStarts = rowStarts.data();
        input.rowCount = static_cast<std::uint32_t>(rowStarts.size());
        input.keywords = {userKeywords, cKeywords, cppKeywords};
        input.stringMarks = stringMarks;
        input.lineMarks = lineMarks;
        input.commentTables = &tables;
        return input;
    }
};

} // namespace nelvix::test
