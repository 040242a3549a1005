// Fuzzes the document's load filter: the document's LoadBytes and the chunked filter with random
// chunk cuts must give the same text, and that text must keep the document's invariants.
#include <algorithm>
#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "fuzz_check.h"
#include "text/byte_filter.h"
#include "text/text_document.h"
#include "ui/fake_platform.h"

namespace {

using nelvix::fuzz::Check;

using nelvix::Byte;

/// No NUL except as a trail byte, no CR outside CR LF, no lead byte without its trail, and a
/// trail byte is never CR.
void CheckInvariants(const Byte* text, std::size_t length) {
    std::size_t i = 0;
    while (i < length) {
        const Byte b = text[i];
        if (nelvix::IsLeadByte(b)) {
            Check(i + 1 < length);
            Check(text[i + 1] != nelvix::kCr);
            i += 2;
        } else if (b == nelvix::kCr) {
            Check(i + 1 < length && text[i + 1] == nelvix::kLf);
            i += 2;
        } else {
            Check(b != 0);
            ++i;
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static nelvix::ui::FakePlatform fake;
    static nelvix::DocumentEnvironment environment{fake.platform};
    static std::unique_ptr<nelvix::CKespoDoc> document = nelvix::CKespoDoc::Create(environment);

    // The first byte seeds the chunk cuts; the rest is the file.
    if (size == 0)
        return 0;
    const unsigned seed = data[0];
    const Byte* input = data + 1;
    const std::size_t length = size - 1;

    document->LoadBytes(input, length);
    const Byte* text = document->Text();
    const std::size_t textLength = document->TextLength();
    CheckInvariants(text, textLength);
    Check(textLength <= length);
    const bool changed = textLength != length || std::memcmp(text, input, length) != 0;
    Check(document->IsAlteredOnLoad() == changed);
    Check(document->CanSave() == !changed);

    std::vector<Byte> out(length);
    nelvix::ByteFilter filter(out.data(), out.size());
    std::minstd_rand random(seed + 1);
    std::size_t offset = 0;
    while (offset < length) {
        // Mostly short chunks, so that cuts fall on every kind of byte.
        std::size_t chunk = random() % 8 == 0 ? random() % (length + 1) : random() % 4;
        chunk = std::min(chunk, length - offset);
        filter.Feed(input + offset, chunk);
        offset += chunk;
    }
    filter.Finish();
    Check(filter.Stored() == textLength);
    Check(textLength == 0 || std::memcmp(out.data(), text, textLength) == 0);
    Check(filter.Altered() == changed);
    Check(nelvix::LastCharOffsetOf(static_cast<std::uint32_t>(filter.Stored()),
                                   filter.LastUnitIsPair()) == document->LastCharOffset());

    fake.messageBox.shown.clear();
    return 0;
}
