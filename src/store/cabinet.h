// The cabinet object: the display block and user keywords in use and as last saved, and the
// built-in C and C++ keyword tables.
#pragma once

#include <string>
#include <vector>

#include "store/cabinet_image.h"
#include "store/display_block.h"

namespace nelvix::ui {
struct Platform;
}

namespace nelvix {

/// The cabinet file's name inside the program home.
inline constexpr char kCabinetFileName[] = "nelvix.cab";
/// A cabinet path this long or longer is not used.
inline constexpr std::size_t kMaxCabinetPathBytes = 250;

class Cabinet {
public:
    /// The defaults, in the current and the saved copy.
    Cabinet();

    /// Reads the file whole (an empty path cannot be read). False after "ファイルの読み込みで
    /// エラーが発生しました。" when it cannot be read, or after message 59398 when its content is
    /// refused; the defaults then stay. When accepted, the block and keywords go into both
    /// copies.
    bool Open(ui::Platform& platform, const std::string& nativePath);
    /// The start-up's read. A first start finds no cabinet in the home: it takes a copy of
    /// `<systemDir>/nelvix.cab` when there is one, else keeps the defaults without a message.
    /// A cabinet that is there (or was copied) is read as Open reads it, messages included.
    /// False when no cabinet was taken.
    bool OpenAtStart(ui::Platform& platform, const std::string& nativePath,
                     const std::string& nativeSystemDir);
    /// Writes the saved copy and a record for each document with a path, replacing the file in
    /// one step and creating its folder when missing. False after "ファイルの書き込みでエラーが
    /// 発生しました。"; the old file then stays whole.
    bool Save(ui::Platform& platform, const std::string& nativePath,
              const std::vector<CabinetDocument>& documents);
    /// Takes the current copy as the saved one, then saves; false as Save.
    bool ConfirmSettings(ui::Platform& platform, const std::string& nativePath,
                         const std::vector<CabinetDocument>& documents);

    /// The display format in use, typed; SetFormat keeps the block's words it does not hold.
    DisplayFormat Format() const { return FormatOf(m_current); }
    void SetFormat(const DisplayFormat& format) { StoreFormat(m_current, format); }
    DisplayFormat SavedFormat() const { return FormatOf(m_saved); }

    /// The blocks as stored, for the cabinet file and its tests.
    DisplayBlock& Current() { return m_current; }
    const DisplayBlock& Current() const { return m_current; }
    const DisplayBlock& Saved() const { return m_saved; }
    std::vector<std::string>& CurrentKeywords() { return m_currentKeywords; }
    const std::vector<std::string>& CurrentKeywords() const { return m_currentKeywords; }
    const std::vector<std::string>& SavedKeywords() const { return m_savedKeywords; }

    /// The built-in C keywords (81, Shift-JIS), in the order they are tried.
    static const std::vector<std::string>& CKeywords();
    /// The built-in C++ keywords (15, Shift-JIS), in the order they are tried.
    static const std::vector<std::string>& CppKeywords();

private:
    DisplayBlock m_current;
    DisplayBlock m_saved;
    std::vector<std::string> m_currentKeywords;
    std::vector<std::string> m_savedKeywords;
};

/// `<home>/nelvix.cab`; empty when `nativeHome` is empty or the path would be 250 bytes or
/// longer.
std::string CabinetPath(const std::string& nativeHome);

} // namespace nelvix
