#include "ui/qt/entry_form_layout.h"

#include "ui/form/channel_entry.h"
#include "ui/qt/entry_form_sync.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace kl40::qt {

namespace {

constexpr double kSmallestListPointSize = 6.0;
// Room a line edit keeps between its frame and its text, both sides together.
constexpr int kLineEditMargins = 6;

// The desktop's fixed-pitch font, or the first common one that really is
// fixed-pitch: some desktops name a "monospace" font whose glyphs are not all
// of one width, and the list's columns would not line up in it. Each font is
// looked at in `pointSize`, the size it is used in, so that no other size of
// it has to be loaded.
QFont fixedPitchFont(double pointSize) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(pointSize);
    if (QFontInfo(font).fixedPitch()) return font;
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Courier New"}) {
        QFont candidate(QString::fromLatin1(family));
        candidate.setStyleHint(QFont::TypeWriter);
        candidate.setPointSizeF(pointSize);
        if (QFontInfo(candidate).fixedPitch()) return candidate;
    }
    return font;
}

// A place on the form in twips: left, top, width, height.
struct Twips {
    int left, top, width, height;
};

QRect toPixels(const Twips& t) {
    const int left = TwipsToPixels(t.left);
    const int top = TwipsToPixels(t.top);
    return {left, top, TwipsToPixels(t.left + t.width) - left,
            TwipsToPixels(t.top + t.height) - top};
}

// A drop-down list keeps its reference place unless the style needs more
// room for its items; it then grows to the right. Returns the growth.
int placeGrowingRight(QComboBox& box, const Twips& place) {
    QRect rect = toPixels(place);
    const int growth = std::max(0, box.sizeHint().width() - rect.width());
    rect.setWidth(rect.width() + growth);
    box.setGeometry(rect);
    return growth;
}

// How much wider than `place` an editable list must be to show `widest`
// beside its arrow.
int editableGrowth(const QComboBox& box, const QString& widest, const QRect& place) {
    QStyleOptionComboBox option;
    option.initFrom(&box);
    option.editable = true;
    const QSize text(box.fontMetrics().horizontalAdvance(widest) + kLineEditMargins,
                     place.height());
    return std::max(
        0, box.style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, &box).width() -
               place.width());
}

// A check box whose caption sits left of the box; the box stays at the right
// edge of its reference place and a caption wider than the place grows to the
// left, so that no caption is clipped whatever the font.
void placeRightAligned(QCheckBox& box, const Twips& place) {
    QRect rect = toPixels(place);
    const int needed = box.sizeHint().width();
    if (needed > rect.width()) rect.setLeft(rect.right() + 1 - needed);
    box.setGeometry(rect);
}

} // namespace

void PlaceEntryFormWidgets(QWidget& form, EntryFormWidgets& w) {
    // Reference places of the controls. A drop-down list narrower than the
    // style needs for its items grows to the right, and the scan box beside
    // the tone list moves along with it.
    // The channel selector shows "100", the widest number typed into it,
    // beside its arrow; the fields right of it move along.
    QRect channel = toPixels({195, 1050, 540, 315});
    const int channelGrowth = editableGrowth(w.cboCh, QStringLiteral("100"), channel);
    channel.setWidth(channel.width() + channelGrowth);
    w.cboCh.setGeometry(channel);
    w.txtRx.setGeometry(toPixels({750, 1050, 885, 315}).translated(channelGrowth, 0));
    w.txtTx.setGeometry(toPixels({1650, 1050, 810, 315}).translated(channelGrowth, 0));
    // The tone list shows its widest tone, which is as wide as any typed one.
    QRect tones = toPixels({2505, 1050, 770, 315}).translated(channelGrowth, 0);
    QString widestTone;
    int widestToneWidth = 0;
    for (int i = 0; i < w.cboCTCSS.count(); ++i)
        if (const int width = w.cboCTCSS.fontMetrics().horizontalAdvance(w.cboCTCSS.itemText(i));
            width > widestToneWidth) {
            widestTone = w.cboCTCSS.itemText(i);
            widestToneWidth = width;
        }
    const int toneGrowth = editableGrowth(w.cboCTCSS, widestTone, tones);
    tones.setWidth(tones.width() + toneGrowth);
    w.cboCTCSS.setGeometry(tones);
    // The scan box has no caption; it is at least as wide as the style's box.
    QRect scan = toPixels({3300, 1095, 195, 285}).translated(channelGrowth + toneGrowth, 0);
    scan.setWidth(std::max(scan.width(), w.chkScan.sizeHint().width()));
    w.chkScan.setGeometry(scan);
    placeGrowingRight(w.cboToT, {6375, 855, 780, 315});
    placeRightAligned(w.chkScan_En, {5340, 1530, 1230, 255});
    placeRightAligned(w.chkDwn_Del, {5325, 1800, 1245, 255});
    placeRightAligned(w.chkScan_Prog, {4575, 2055, 1995, 255});
    placeRightAligned(w.chkDispl_Blnk, {5325, 2325, 1245, 255});
    placeRightAligned(w.chkInd_On, {4245, 2580, 2325, 255});
    // 285 high rather than 294, which would reach 9 twips into the box below.
    placeRightAligned(w.chkCTCSS_en, {4575, 2850, 1995, 285});
    placeRightAligned(w.chkBCO, {4665, 3135, 1905, 255});
    placeRightAligned(w.chkSilent, {4740, 3405, 1834, 255});
    placeRightAligned(w.chkTX_Inh, {4125, 3675, 2445, 255});
    placeRightAligned(w.chkHiLo, {5085, 3945, 1500, 270});
    w.cmdReset_Pers.setGeometry(toPixels({285, 3270, 780, 375}));
    w.cmdDelete.setGeometry(toPixels({1075, 3270, 780, 375}));
    w.cmdSave.setGeometry(toPixels({1865, 3270, 780, 375}));
    w.cmdPrint.setGeometry(toPixels({2655, 3270, 780, 375}));
    w.cmdExit.setGeometry(toPixels({1410, 3675, 780, 375}));
    w.lstFreq.setGeometry(toPixels({225, 1395, 3525, 1815}));
    placeGrowingRight(w.cboRadio, {6345, 480, 1140, 315});
    w.txtCh.setGeometry(toPixels({150, 3735, 105, 285}));

    // Headings over the two halves.
    w.lblChannelData.setGeometry(toPixels({225, 45, 3525, 420}));
    w.lblRadioOptions.setGeometry(toPixels({4125, 45, 3360, 420}));

    // Column headings, each centred over its field and ending just above it.
    const QRect columns = toPixels({0, 510, 0, 510});
    const auto over = [&](QLabel& label, const QRect& field) {
        const int width = label.sizeHint().width();
        label.setGeometry(field.center().x() + 1 - width / 2, columns.top(), width,
                          columns.height());
    };
    over(w.lblChannel, w.cboCh.geometry());
    over(w.lblReceive, w.txtRx.geometry());
    over(w.lblTransmit, w.txtTx.geometry());
    over(w.lblCTCSS, w.cboCTCSS.geometry());
    QStyleOptionButton box;
    box.initFrom(&w.chkScan);
    over(w.lblScan, w.chkScan.style()
                        ->subElementRect(QStyle::SE_CheckBoxIndicator, &box, &w.chkScan)
                        .translated(w.chkScan.pos()));
    // Lists grown for a wide font push the scan heading right; it stays in
    // the channel half, off its centre if it must.
    const int optionsLeft = toPixels({4125, 0, 0, 0}).left();
    if (w.lblScan.geometry().right() >= optionsLeft)
        w.lblScan.move(optionsLeft - w.lblScan.width(), w.lblScan.y());

    // Statements beside the option lists: the scan hold time sits under the
    // time-out, its value under the time-out's value.
    w.lblModel.setGeometry(toPixels({4125, 480, 2145, 315}));
    w.lblTimeout.setGeometry(toPixels({4125, 855, 2175, 315}));
    QStyleOptionComboBox combo;
    combo.initFrom(&w.cboToT);
    const QRect valueField = w.cboToT.style()->subControlRect(
        QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxEditField, &w.cboToT);
    const int valueEnd = w.cboToT.x() + valueField.left() + 1 +
                         w.lblScanHold.fontMetrics().horizontalAdvance(w.cboToT.currentText());
    const QRect hold = toPixels({4125, 1200, 0, 285});
    w.lblScanHold.setGeometry(hold.left(), hold.top(), valueEnd - hold.left(), hold.height());

    // Under the buttons.
    w.lblRange.setGeometry(toPixels({225, 4080, 3525, 270}));

    // The channel list's fixed-pitch font shrinks until the widest line a
    // channel can have fits beside the scroll bar.
    QFont listFont = fixedPitchFont(kFormPointSize);
    const QString widest = ShownListLine(FormatListLine("99,449.9999,449.9999,254.1,Y"));
    const int room = w.lstFreq.width() - 2 * w.lstFreq.frameWidth() -
                     w.lstFreq.style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 6;
    while (QFontMetrics(listFont).horizontalAdvance(widest) > room &&
           listFont.pointSizeF() > kSmallestListPointSize)
        listFont.setPointSizeF(listFont.pointSizeF() - 0.5);
    w.lstFreq.setFont(listFont);

    // The form's client area is the 8000 x 5000 twips form less its frame.
    form.setFixedSize(TwipsToPixels(7880), TwipsToPixels(4560));
}

} // namespace kl40::qt
