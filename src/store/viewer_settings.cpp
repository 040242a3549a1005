// Filling the viewer's settings from the record and the cabinet.
#include "store/viewer_settings.h"

namespace nelvix {

ViewSettings ViewSettingsOf(const Settings& settings, const Cabinet& cabinet) {
    const DisplayFormat format = cabinet.Format();
    ViewSettings view;
    view.leftMarginTenthsMm = settings.leftMgnLM;
    view.topMarginTenthsMm = settings.topMgnLM;
    view.lineNumbering = format.lineNumbering ? 1 : 0;
    view.freeCursor = format.freeCursor;
    view.wordWrap = format.wordWrap;
    view.displayRulerBar = settings.displayRulerBar;
    view.displayLineBar = settings.displayLineBar;
    view.colorAreaComment = settings.colorAreaComment;
    view.userKeyWordWithDelimiter = settings.userKeyWordWithDelimiter;
    view.keywords = {cabinet.CurrentKeywords(), Cabinet::CKeywords(), Cabinet::CppKeywords()};
    return view;
}

RulerSettings RulerSettingsOf(const Settings& settings) {
    RulerSettings rulers;
    rulers.displayRulerBar = settings.displayRulerBar;
    rulers.displayLineBar = settings.displayLineBar;
    rulers.rulerCursorColor = settings.rulerCursorColor;
    rulers.rulerBackColor = settings.rulerBackColor;
    rulers.figureRuler = settings.figureRuler;
    rulers.lineFigureColor = settings.lineFigureColor;
    rulers.lineCursorColorref = settings.lineCursorColorref;
    rulers.lineBackColorref = settings.lineBackColorref;
    rulers.leftMgnLM = settings.leftMgnLM;
    rulers.topMgnLM = settings.topMgnLM;
    return rulers;
}

CaretSettings CaretSettingsOf(const Settings& settings) {
    return {static_cast<std::uint32_t>(settings.scrollLineCount), settings.copySelection};
}

TextFindSettings TextFindSettingsOf(const Settings& settings) {
    return {settings.colorFoundLine, settings.plusInvert, settings.multiText,
            settings.enableSelFindByBox};
}

} // namespace nelvix
