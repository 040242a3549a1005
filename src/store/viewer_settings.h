// What the viewer reads of the settings record and the cabinet, gathered for the text windows
// and their rulers.
#pragma once

#include "find/text_find.h"
#include "render/ruler_settings.h"
#include "store/cabinet.h"
#include "store/settings.h"
#include "view/text_window.h"
#include "view/view_settings.h"

namespace nelvix {

/// The margins, ruler switches and colouring settings of the record, the layout switches of
/// the cabinet's current display block, and its keyword lists (which the cabinet keeps for
/// as long as the views live).
ViewSettings ViewSettingsOf(const Settings& settings, const Cabinet& cabinet);

RulerSettings RulerSettingsOf(const Settings& settings);

/// "ScrollLineCount" and "CopySelection" for the text windows' keys and mouse.
CaretSettings CaretSettingsOf(const Settings& settings);

/// "ColorFoundLine", "PlusInvert", "MultiText" and "EnableSelFindByBox" for find in a text.
TextFindSettings TextFindSettingsOf(const Settings& settings);

} // namespace nelvix
