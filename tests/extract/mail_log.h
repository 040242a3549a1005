// A small log of a mail program's terminal session, the text the default rules are made for:
// three mails, each with its sender, its subject line "    題名：", its body, sometimes the
// continuation prompt, and the menu line that follows it.
#pragma once

#include <string>
#include <vector>

namespace nelvix::test {

/// UTF-8 lines without line ends; the comments give the line numbers from 0.
inline const std::vector<std::string>& MailLogUtf8() {
    static const std::vector<std::string> lines = {
        "電子メール（1:受信\u30002:送信\u30003:送信簿\u30000:その他\u3000E:終了）",    // 0
        "1",                                                                           // 1
        "差出人：山田",                                                                // 2
        "    題名：会議",                                                              // 3
        "本文一行目",                                                                  // 4
        "続き (改行で表示\u3000E:終了)",                                               // 5
        "",                                                                            // 6
        "本文二行目",                                                                  // 7
        "受信後 (1:削除  2:保存  3:返信  4:返信＋削除  5:転送  6:転送＋削除  E:終了)", // 8
        "差出人：佐藤",                                                                // 9
        "    題名：報告",                                                              // 10
        "本文",                                                                        // 11
        "受信後 (1:削除  2:保存  3:返信  4:返信＋削除  5:転送  6:転送＋削除  E:終了)", // 12
        "差出人：鈴木",                                                                // 13
        "    題名：予定",                                                              // 14
        "続き (改行で表示\u3000E:終了)",                                               // 15
        "来週の予定",                                                                  // 16
        "金曜日に打ち合わせ",                                                          // 17
        "電子メール（1:受信\u30002:送信\u30003:送信簿\u30000:その他\u3000E:終了）",    // 18
    };
    return lines;
}

/// The lines the default rules keep: each mail from the line before its subject to the line
/// before its menu, without the continuation prompts and the lines after them.
inline std::vector<std::string> MailLogExtractedUtf8() {
    const std::vector<std::string>& log = MailLogUtf8();
    std::vector<std::string> kept;
    for (const int line : {2, 3, 4, 7, 9, 10, 11, 13, 14, 17})
        kept.push_back(log[static_cast<std::size_t>(line)]);
    return kept;
}

} // namespace nelvix::test
