// The texts of the program's own messages. They are written here in UTF-8 and turned into
// Shift-JIS once, the first time each is asked for.
#include "ui/message_table.h"

#include <map>
#include <mutex>

#include "base/cp932.h"
#include "base/sjis.h"
#include "ui/message_ids.h"

namespace nelvix::ui {
namespace {

struct Entry {
    int id;
    std::string_view utf8;
};

constexpr Entry kTable[] = {
    {kMsgAppTitle, "KAV Nelvix"},
    {kMsgTextTooLong, "文字数オーバーのため処理できません。"},
    {kMsgTooManyRows, "行数オーバーです。"},
    {kMsgCabinetInvalid, "キャビネットファイルの内容が不正のため読み込めません。"},
    {kMsgOutOfMemory, kOutOfMemoryTextUtf8},
    {kMsgBadPathName, "パス名（ファイル名）が不正です。"},
    {kMsgTooManyComments, "コメント \"/*\"、\"*/\" の個数が許容最大数を越えました。"
                          "これらのコメント部が正しい色で表示されない可能性があります。"},
    {kMsgAttrSameExtension, "テキストファイルの拡張子が属性ファイルの拡張子と同じであるため、"
                            "属性ファイルを作成できません。"},
    {kMsgAttrCreateError, "属性ファイルの作成でエラーが発生したため、属性情報は保存できません。"},
    {kMsgAttrReadError, "属性ファイルの読み込みでエラーが発生したため、属性情報は読み込めません。"},
    {kMsgAttrMismatch, "属性ファイルの情報がテキストファイルの情報と一致しないため、"
                       "属性情報を読み込めません。"},
    {kMsgAttrOverwriteForeign, "属性ファイルとは形式が相違する同じ名前のファイルが存在します。"
                               "上書きしますが、よろしいですか？"},
    {kMsgPatternTooLong, "文字列が長すぎます。"},
    {kMsgGlobalFindCounts, "検索したﾌｧｲﾙの数： %1\n\n見つかった個数   ： %2"},
    {kMsgTooManyDirectories, "ディレクトリ数が多すぎてサブディレクトリを検索できません。"},
    {kMsgSettingsTitle, "設定"},
    {kMsgFileNotFound, "指定のファイルがありません。"},
    {kMsgProgramFilter, "ﾌﾟﾛｸﾞﾗﾑ|*.exe;*.com;*.bat|すべてのﾌｧｲﾙ(*.*)|*.*||"},
    {kMsgBrowseTitle, "参照"},
    {kMsgShortOfMemory, "メモリ不足です。"},
    {kMsgNearLimit, "行数、または文字数が許容最大値近くになりました。処理を中断します。"},
    {kMsgRecordBufferFull,
     "記録バッファのサイズを越えるため操作を記録できません。記録を中止します。"},
    {kMsgMacroWriteError,
     "マクロファイルの書き込みでエラーが発生しました。データは保存できません。"},
    {kMsgBadFileName, "ファイル名が不正です。"},
    {kMsgFileExistsOverwrite, "同名のファイルが既に存在します。上書きしますか？"},
    {kMsgUserToolInUse, "この番号のユーザツールはすでに使用されています。上書きしますか？"},
    {kMsgDataReadError, "データファイルの読み込みでエラーが発生しました。"
                        "対応するデータはデフォルト値となります。"},
    {kMsgDataInvalid, "データファイルの内容が不正です。データは読み飛ばされます。"},
    {kMsgDataWriteError, "データファイルの書き込みでエラーが発生しました。"
                         "対応するデータは保存できません。"},
    {kMsgSpinLibraryMissing, "MUSCRL32.DLLが見つかりません。"},
    {kMsgFileReadError, "ファイルの読み込みでエラーが発生しました。"},
    {kMsgFileWriteError, "ファイルの書き込みでエラーが発生しました。"},
    {kMsgIntegerRange, "%1 から %2 までの整数を入力してください。"},
    {kMsgIntegerExpected, "整数を入力してください。"},
    {kMsgInvalidFileName, "無効なﾌｧｲﾙ名です。"},
    {kMsgOpenDocumentFailed, "ﾄﾞｷｭﾒﾝﾄを開くことに失敗しました。"},
    {kMsgSaveAsTitle, "名前を付けて保存"},
    {kMsgUntitled, "無題"},
    {kMsgGlobalFindTitle, "グローバル検索"},
    {kMsgHtmlSearchTitle, "ＨＴＭＬ検索"},
    {kMsgNotARegularFile,
     "指定の名前はディレクトリやデバイスなどで通常のファイルではないため、保存できません。"},
    {kMsgSettingsNotSaved, "設定ファイルの読み込みでエラーが発生したため、設定は保存できません。"},
};

} // namespace

std::string_view MessageTextUtf8(int id) {
    for (const Entry& entry : kTable)
        if (entry.id == id)
            return entry.utf8;
    return {};
}

const std::string& MessageText(int id) {
    static std::mutex mutex;
    static std::map<int, std::string> converted;
    std::lock_guard lock(mutex);
    auto it = converted.find(id);
    if (it == converted.end())
        it = converted.emplace(id, Sjis(MessageTextUtf8(id))).first;
    return it->second;
}

std::string FormatMessage(std::string_view sjisTemplate,
                          std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(sjisTemplate.size());
    const auto* bytes = reinterpret_cast<const Byte*>(sjisTemplate.data());
    std::size_t i = 0;
    while (i < sjisTemplate.size()) {
        if (IsLeadByte(bytes[i]) && i + 1 < sjisTemplate.size()) {
            out.append(sjisTemplate.substr(i, 2));
            i += 2;
            continue;
        }
        if (bytes[i] == '%' && i + 1 < sjisTemplate.size() && bytes[i + 1] >= '1' &&
            bytes[i + 1] <= '9') {
            std::size_t index = static_cast<std::size_t>(bytes[i + 1] - '1');
            if (index < args.size())
                out.append(*(args.begin() + index));
            i += 2;
            continue;
        }
        out.push_back(sjisTemplate[i]);
        ++i;
    }
    return out;
}

} // namespace nelvix::ui
