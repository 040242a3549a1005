// Case folding and the width-folding table from full-width characters to their half-width bytes.
#include "pattern/char_compare.h"

#include <array>
#include <cstddef>

namespace nelvix {

namespace {

// Every code that folds lies in 0x8140..0x8396, so one byte per code of that span is the table;
// 0 means the code stays as it is.
constexpr CharCode kFirstFolding = 0x8140;
constexpr CharCode kLastFolding = 0x8396;
using WidthTable = std::array<Byte, kLastFolding - kFirstFolding + 1>;

// The full-width forms of the printable ASCII bytes 0x20..0x7E, in byte order.
constexpr CharCode kFullWidthAscii[] = {
    0x8140, 0x8149, 0x8168, 0x8194, 0x8190, 0x8193, 0x8195, 0x8166, // SP ! " # $ % & '
    0x8169, 0x816A, 0x8196, 0x817B, 0x8143, 0x817C, 0x8144, 0x815E, // ( ) * + , - . /
    0x824F, 0x8250, 0x8251, 0x8252, 0x8253, 0x8254, 0x8255, 0x8256, // 0..7
    0x8257, 0x8258, 0x8146, 0x8147, 0x8183, 0x8181, 0x8184, 0x8148, // 8 9 : ; < = > ?
    0x8197, 0x8260, 0x8261, 0x8262, 0x8263, 0x8264, 0x8265, 0x8266, // @ A..G
    0x8267, 0x8268, 0x8269, 0x826A, 0x826B, 0x826C, 0x826D, 0x826E, // H..O
    0x826F, 0x8270, 0x8271, 0x8272, 0x8273, 0x8274, 0x8275, 0x8276, // P..W
    0x8277, 0x8278, 0x8279, 0x816D, 0x818F, 0x816E, 0x814F, 0x8151, // X Y Z [ \ ] ^ _
    0x8165, 0x8281, 0x8282, 0x8283, 0x8284, 0x8285, 0x8286, 0x8287, // ` a..g
    0x8288, 0x8289, 0x828A, 0x828B, 0x828C, 0x828D, 0x828E, 0x828F, // h..o
    0x8290, 0x8291, 0x8292, 0x8293, 0x8294, 0x8295, 0x8296, 0x8297, // p..w
    0x8298, 0x8299, 0x829A, 0x816F, 0x8162, 0x8170, 0x8150,         // x y z { | } ~
};
static_assert(std::size(kFullWidthAscii) == 0x7E - 0x20 + 1);

// The half-width form of each katakana ァ..ン (0x8340..0x837E, 0x8380..0x8393) in code order;
// the hiragana ぁ..ん (0x829F..0x82F1) run in the same order. Voiced and semi-voiced letters
// share their plain letter's form.
constexpr Byte kKanaHalfWidth[] = {
    0xA7, 0xB1, 0xA8, 0xB2, 0xA9, 0xB3, 0xAA, 0xB4, 0xAB, 0xB5,       // ァア..ォオ
    0xB6, 0xB6, 0xB7, 0xB7, 0xB8, 0xB8, 0xB9, 0xB9, 0xBA, 0xBA,       // カガ..コゴ
    0xBB, 0xBB, 0xBC, 0xBC, 0xBD, 0xBD, 0xBE, 0xBE, 0xBF, 0xBF,       // サザ..ソゾ
    0xC0, 0xC0, 0xC1, 0xC1, 0xAF, 0xC2, 0xC2, 0xC3, 0xC3, 0xC4, 0xC4, // タダチヂッツヅテデトド
    0xC5, 0xC6, 0xC7, 0xC8, 0xC9,                                     // ナ..ノ
    0xCA, 0xCA, 0xCA, 0xCB, 0xCB, 0xCB, 0xCC, 0xCC, 0xCC, 0xCD, 0xCD, 0xCD, // ハバパ..ヘベペ
    0xCE, 0xCE, 0xCE,                                                       // ホボポ
    0xCF, 0xD0, 0xD1, 0xD2, 0xD3,                                           // マミムメモ
    0xAC, 0xD4, 0xAD, 0xD5, 0xAE, 0xD6,                                     // ャヤュユョヨ
    0xD7, 0xD8, 0xD9, 0xDA, 0xDB,                                           // ラ..ロ
    0xDC, 0xDC, 0xB2, 0xB4, 0xA6, 0xDD,                                     // ヮワヰヱヲン
};
static_assert(std::size(kKanaHalfWidth) == 83);

constexpr CharCode kFirstKatakana = 0x8340;
constexpr CharCode kKatakanaGap = 0x837F; // no character: ミ is 0x837E, ム 0x8380
constexpr CharCode kFirstHiragana = 0x829F;

struct Special {
    CharCode code;
    Byte halfWidth;
};
constexpr Special kKanaSpecials[] = {
    {0x8394, 0xB3}, // ヴ
    {0x8395, 0xB6}, // ヵ
    {0x8396, 0xB9}, // ヶ
    {0x8142, 0xA1}, // 。
    {0x8175, 0xA2}, // 「
    {0x8176, 0xA3}, // 」
    {0x8141, 0xA4}, // 、
    {0x8145, 0xA5}, // ・
    {0x815B, 0xB0}, // ー
    {0x814A, 0xDE}, // ゛
    {0x814B, 0xDF}, // ゜
};

constexpr void Put(WidthTable& table, CharCode code, Byte halfWidth) {
    // The ASCII table comes first: a kana entry never replaces one of its entries.
    Byte& slot = table[code - kFirstFolding];
    if (slot == 0)
        slot = halfWidth;
}

constexpr WidthTable BuildWidthTable() {
    WidthTable table{};
    for (std::size_t i = 0; i < std::size(kFullWidthAscii); ++i)
        Put(table, kFullWidthAscii[i], static_cast<Byte>(0x20 + i));
    for (std::size_t i = 0; i < std::size(kKanaHalfWidth); ++i) {
        const auto katakana = static_cast<CharCode>(kFirstKatakana + i);
        Put(table, katakana < kKatakanaGap ? katakana : static_cast<CharCode>(katakana + 1),
            kKanaHalfWidth[i]);
        Put(table, static_cast<CharCode>(kFirstHiragana + i), kKanaHalfWidth[i]);
    }
    for (const Special& special : kKanaSpecials)
        Put(table, special.code, special.halfWidth);
    return table;
}

constexpr WidthTable kWidthTable = BuildWidthTable();

// The table read backwards: ﾊ, for one, comes from は, ば, ぱ, ハ, バ and パ.
constexpr std::size_t kMaxFullWidthForms = 6;
struct FullWidthForms {
    std::array<std::array<CharCode, kMaxFullWidthForms>, 256> codes{};
    std::array<std::size_t, 256> count{};
};

constexpr FullWidthForms BuildFullWidthForms() {
    FullWidthForms forms;
    for (std::size_t i = 0; i < kWidthTable.size(); ++i) {
        const Byte halfWidth = kWidthTable[i];
        if (halfWidth != 0)
            forms.codes[halfWidth][forms.count[halfWidth]++] =
                static_cast<CharCode>(kFirstFolding + i);
    }
    return forms;
}

constexpr FullWidthForms kFullWidthForms = BuildFullWidthForms();

} // namespace

CharCode FoldWidth(CharCode code) {
    if (code < kFirstFolding || code > kLastFolding)
        return code;
    const Byte halfWidth = kWidthTable[code - kFirstFolding];
    return halfWidth != 0 ? halfWidth : code;
}

std::span<const CharCode> FullWidthFormsOf(Byte halfWidth) {
    return {kFullWidthForms.codes[halfWidth].data(), kFullWidthForms.count[halfWidth]};
}

CharCode FoldCase(CharCode code) {
    if (code < 0x100)
        return AsciiToLower(static_cast<Byte>(code));
    if (code >= 0x8260 && code <= 0x8279) // Ａ..Ｚ to ａ..ｚ
        return static_cast<CharCode>(code + 0x21);
    return code;
}

} // namespace nelvix
