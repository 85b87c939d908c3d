#pragma once
// Where the entry form's widgets stand. Every control sits at its reference
// position in twips, converted at 15 twips per device-independent pixel; a
// list or caption that needs more room in the font at hand grows, and what
// stands beside it moves along.

#include "ui/qt/entry_form_widgets.h"

namespace kl40::qt {

// Twips to device-independent pixels, rounded (15 twips to a pixel at 96 dpi).
constexpr int TwipsToPixels(int twips) {
    return (twips * 2 + 15) / 30;
}

// Places the widgets of `form` and fixes its size. The widgets' sizes depend
// on their captions and items, so those are filled in first.
void PlaceEntryFormWidgets(QWidget& form, EntryFormWidgets& w);

} // namespace kl40::qt
