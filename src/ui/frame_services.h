// The dialogs and windows that the main frame's commands ask of the platform: the global find
// dialog, a run's progress window, the font dialog, the help viewer. Texts are Shift-JIS.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/shell_open.h"

namespace nelvix::ui {

/// The fields of the global find dialog.
struct GlobalFindValues {
    std::string pattern;
    std::string fileBox;          ///< as typed: a pattern list, or an absolute specification
    std::string currentDirectory; ///< native form in Shift-JIS, ending in '/'
    bool caseSensitive = false;
    bool regularExpression = false;
    bool widthSensitive = false;
    bool nonTextFiles = false; ///< "非ﾃｷｽﾄﾌｧｲﾙも検索する"
    bool subdirectories = false;
    bool record = false; ///< "操作を記録する"
    bool operator==(const GlobalFindValues&) const = default;
};

class GlobalFindDialog {
public:
    virtual ~GlobalFindDialog() = default;
    /// Shows the dialog with `initial` and the two histories (most recent first); nothing when
    /// the person cancels. The dialog runs the OK checks of the core before it closes.
    virtual std::optional<GlobalFindValues> Ask(const GlobalFindValues& initial,
                                                const std::vector<std::string>& patternHistory,
                                                const std::vector<std::string>& specHistory) = 0;
};

/// Lines `firstLine` .. `firstLine` + `lineCount` - 1 of a progress window shown together
/// under a title.
struct ProgressGroup {
    std::string title;
    std::size_t firstLine = 0;
    std::size_t lineCount = 0;
    bool operator==(const ProgressGroup&) const = default;
};

/// The modeless window of a long run: a caption, lines of "label value", and a stop button.
class ProgressWindow {
public:
    virtual ~ProgressWindow() = default;
    /// Shows the window; the values start empty.
    void Open(std::string_view caption, const std::vector<std::string>& labels,
              std::string_view stopButton) {
        OpenGroups(caption, labels, {}, stopButton);
    }
    /// As Open, with some lines framed in groups.
    virtual void OpenGroups(std::string_view caption, const std::vector<std::string>& labels,
                            const std::vector<ProgressGroup>& groups,
                            std::string_view stopButton) = 0;
    /// The text shown after line `line`'s label. Cheap: a window may show it later.
    virtual void SetValue(std::size_t line, std::string_view text) = 0;
    /// True once the stop button was pressed since Open.
    virtual bool StopRequested() = 0;
    virtual void Close() = 0;
};

/// One "label value" line of a counts dialog; an empty value shows a blank.
struct CountLine {
    std::string label;
    std::string value;
    bool operator==(const CountLine&) const = default;
};
struct CountGroup {
    std::string title;
    std::vector<CountLine> lines;
    bool operator==(const CountGroup&) const = default;
};
/// What a counts dialog shows: lines, then groups of lines, and one "OK" button.
struct CountsReport {
    std::string caption;
    std::vector<CountLine> lines;
    std::vector<CountGroup> groups;
    bool operator==(const CountsReport&) const = default;
};

/// The modal dialog that reports the counts of a finished run.
class CountsDialog {
public:
    virtual ~CountsDialog() = default;
    virtual void Show(const CountsReport& report) = 0;
};

/// A font as the font dialog yields it.
struct FontChoice {
    std::string faceName;             ///< Shift-JIS
    std::int32_t pointSizeTenths = 0; ///< tenths of a point
    std::int32_t weight = 400;
    bool italic = false;
    bool operator==(const FontChoice&) const = default;
};

class FontDialog {
public:
    virtual ~FontDialog() = default;
    /// Offers fixed-pitch fonts only, starting from `current`; nothing on cancel.
    virtual std::optional<FontChoice> AskFixedPitchFont(const FontChoice& current) = 0;
};

class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    /// Shows the program's help at the topic of a command (or a dialog's help id); 0 the
    /// contents.
    virtual void ShowTopic(int helpId) = 0;
};

/// The services of the frame's commands together.
struct FrameServices {
    GlobalFindDialog& globalFindDialog;
    ProgressWindow& progressWindow;
    FontDialog& fontDialog;
    HelpViewer& helpViewer;
    ShellOpener& shellOpener;
    CountsDialog& countsDialog;
    /// The screen's logical dots per vertical inch (96 without a screen).
    int dotsPerInch = 96;
};

} // namespace nelvix::ui
