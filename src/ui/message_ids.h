// Ids of the program's own message texts. Ids below 59500 are the system's historic numbers;
// 59500 and up name texts that never had a number of their own.
#pragma once

namespace nelvix::ui {

enum MessageId : int {
    kMsgAppTitle = 57344, ///< "KAV Nelvix", the caption of ordinary boxes

    kMsgTextTooLong = 59394,
    kMsgTooManyRows = 59395,
    kMsgCabinetInvalid = 59398,
    kMsgOutOfMemory = 59399, ///< shown by its own fixed box, never from the table
    kMsgBadPathName = 59401,
    kMsgTooManyComments = 59406,
    kMsgAttrSameExtension = 59407,
    kMsgAttrCreateError = 59408,
    kMsgAttrReadError = 59409,
    kMsgAttrMismatch = 59411,
    kMsgAttrOverwriteForeign = 59412,
    kMsgPatternTooLong = 59413,
    kMsgGlobalFindCounts = 59416, ///< %1 files searched, %2 hits
    kMsgTooManyDirectories = 59438,
    kMsgSettingsTitle = 59439,
    kMsgProgramFilter = 59441,
    kMsgFileNotFound = 59440,
    kMsgBrowseTitle = 59442,

    kMsgShortOfMemory = 59500,
    kMsgNearLimit = 59501,
    kMsgRecordBufferFull = 59502,
    kMsgMacroWriteError = 59503,
    kMsgBadFileName = 59504,
    kMsgFileExistsOverwrite = 59505,
    kMsgUserToolInUse = 59506,
    kMsgDataReadError = 59507,
    kMsgDataInvalid = 59508,
    kMsgDataWriteError = 59509,
    kMsgSpinLibraryMissing = 59510,
    kMsgFileReadError = 59511,
    kMsgFileWriteError = 59512,
    kMsgIntegerRange = 59513, ///< %1 lowest, %2 highest
    kMsgIntegerExpected = 59514,
    kMsgInvalidFileName = 59515,    ///< default text of a failed save
    kMsgOpenDocumentFailed = 59516, ///< default text of a failed open
    kMsgSaveAsTitle = 59517,
    kMsgUntitled = 59518,
    kMsgGlobalFindTitle = 59519,
    kMsgHtmlSearchTitle = 59520,
    kMsgNotARegularFile = 59521,  ///< a save onto a folder, device, FIFO or socket
    kMsgSettingsNotSaved = 59522, ///< the settings store exists but cannot be read whole
};

/// The fixed out-of-memory text and its two captions.
inline constexpr const char* kOutOfMemoryTextUtf8 =
    "メモリ不足です。他のアプリケーションを終了させて、\nメモリを増やしてから再度実行してください"
    "。";
inline constexpr const char* kOutOfMemoryCaptionUtf8 = "KAV Mirol";
inline constexpr const char* kWholeFileOutOfMemoryCaptionUtf8 = "Vandu";

} // namespace nelvix::ui
