#include "ui/qt/entry_form_view.h"

#include "entry/channel_entry.h"
#include "ui/channel_list_columns.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtDebug>

#include <algorithm>
#include <exception>
#include <string>
#include <vector>

namespace kl40::qt {

namespace {

// The desktop's fixed-pitch font, or the first common one that really is
// fixed-pitch: some desktops name a "monospace" font whose glyphs are not all
// of one width, and the list's columns would not line up in it.
QFont fixedPitchFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(font).fixedPitch()) return font;
    for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Courier New"}) {
        QFont candidate(QString::fromLatin1(family));
        candidate.setStyleHint(QFont::TypeWriter);
        if (QFontInfo(candidate).fixedPitch()) return candidate;
    }
    return font;
}

constexpr int kEnter = 13;
constexpr int kBackspace = 8;
constexpr int kTab = 9;

// The layout was designed for an 8-point dialog font with Arial's widths;
// where Arial is missing the font matcher picks a metric-compatible or at
// least a sans-serif face.
constexpr double kFormPointSize = 8.0;
constexpr double kHeadingPointSize = 13.5;
constexpr double kSmallestListPointSize = 6.0;
// Room a line edit keeps between its frame and its text, both sides together.
constexpr int kLineEditMargins = 6;

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

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Focus changes that the form does not see as leaving or entering a control:
// a drop-down list opening, a menu, another window (a message box) activating.
bool isControlFocusChange(const QEvent& event) {
    const Qt::FocusReason reason = static_cast<const QFocusEvent&>(event).reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

void mirror(QLineEdit& widget, const TextBox& field) {
    const QString text = qs(field.text());
    // Setting the same text again would move the cursor while the operator types.
    if (widget.text() != text) widget.setText(text);
    widget.setEnabled(field.enabled());
}

void mirrorItems(QComboBox& widget, const std::vector<std::string>& items) {
    bool same = widget.count() == static_cast<int>(items.size());
    for (int i = 0; same && i < widget.count(); ++i)
        same = widget.itemText(i) == qs(items[static_cast<std::size_t>(i)]);
    if (same) return;
    widget.clear();
    for (const std::string& item : items)
        widget.addItem(qs(item));
}

void mirror(QComboBox& widget, const ComboBox& field) {
    mirrorItems(widget, field.items());
    const QString text = qs(field.text());
    int index = field.listIndex();
    if (widget.isEditable()) {
        // Free text that spells an item shows that item as current, so the
        // combo box does not select it on its own (and report it as chosen)
        // when the edit loses the focus. Choosing it still runs the click,
        // because the field itself has no item selected.
        if (index < 0) index = widget.findText(text);
        QLineEdit* edit = widget.lineEdit();
        const int cursor = edit->cursorPosition();
        const bool sameText = edit->text() == text;
        if (widget.currentIndex() != index) widget.setCurrentIndex(index);
        if (edit->text() != text) edit->setText(text);
        if (sameText) edit->setCursorPosition(cursor);
    } else if (widget.currentIndex() != index) {
        widget.setCurrentIndex(index);
    }
    widget.setEnabled(field.enabled());
}

void mirror(QCheckBox& widget, const CheckBox& field) {
    widget.setChecked(field.checked());
    widget.setEnabled(field.enabled());
}

void mirror(QPushButton& widget, const Button& field) {
    widget.setText(qs(field.caption()));
    widget.setEnabled(field.enabled());
}

// A list line as shown: in columns, for the list's fixed-pitch font.
QString shownLine(const std::string& line) {
    return qs(ChannelListColumns(line));
}

void mirror(QListWidget& widget, const ListBox& field) {
    const auto& lines = field.lines();
    bool same = widget.count() == field.count();
    for (int i = 0; same && i < widget.count(); ++i)
        same = widget.item(i)->text() == shownLine(lines[static_cast<std::size_t>(i)]);
    if (!same) {
        widget.clear();
        for (const std::string& line : lines)
            widget.addItem(shownLine(line));
    }
    const int index = field.listIndex();
    if (index >= 0) {
        widget.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
        widget.scrollToItem(widget.item(index));
    } else {
        widget.clearSelection();
        widget.setCurrentItem(nullptr);
    }
    widget.setToolTip(qs(field.toolTip()));
}

// The scan box shows its background colour while it holds the focus; the
// button-face colour is the style's own.
void mirrorBackground(QCheckBox& widget, const CheckBox& field) {
    const bool own = field.backColor() != CheckBox::kButtonFace;
    const QColor colour = QColor::fromRgb(field.backColor());
    if (own == widget.autoFillBackground() &&
        (!own || widget.palette().color(QPalette::Window) == colour))
        return;
    widget.setAutoFillBackground(own);
    QPalette palette = widget.parentWidget() ? widget.parentWidget()->palette() : QPalette();
    if (own) palette.setColor(QPalette::Window, colour);
    widget.setPalette(palette);
}

// A check box whose caption sits left of the box; the box stays at the right
// edge of its reference place and a caption wider than the place grows to the
// left, so that no caption is clipped whatever the font.
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

void placeRightAligned(QCheckBox& box, const Twips& place) {
    QRect rect = toPixels(place);
    const int needed = box.sizeHint().width();
    if (needed > rect.width()) rect.setLeft(rect.right() + 1 - needed);
    box.setGeometry(rect);
}

} // namespace

int CharacterCode(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return kEnter;
    case Qt::Key_Backspace:
        return kBackspace;
    case Qt::Key_Tab:
        return (mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)) ? -1 : kTab;
    default:
        break;
    }
    if (key >= Qt::Key_Escape) return -1; // navigation, editing and function keys
    if (mods & Qt::ControlModifier) {
        if (key >= Qt::Key_A && key <= Qt::Key_Z) return key - Qt::Key_A + 1;
        return -1;
    }
    const QString text = event.text();
    if (text.isEmpty()) return -1;
    return text.at(0).unicode();
}

EntryFormView::EntryFormView(Workspace& ws, EntryForm& form, UndoHistory* history, QWidget* parent)
    : QWidget(parent), ws_(ws), form_(form), history_(history), lblChannelData_(this),
      lblRadioOptions_(this), lblChannel_(this), lblReceive_(this), lblTransmit_(this),
      lblCTCSS_(this), lblScan_(this), lblModel_(this), lblTimeout_(this), lblScanHold_(this),
      lblRange_(this), cboCh_(this), txtRx_(this), txtTx_(this), cboCTCSS_(this), chkScan_(this),
      cboToT_(this), chkScan_En_(this), chkDwn_Del_(this), chkScan_Prog_(this),
      chkDispl_Blnk_(this), chkInd_On_(this), chkCTCSS_en_(this), chkBCO_(this), chkSilent_(this),
      chkTX_Inh_(this), cmdReset_Pers_(this), cmdPrint_(this), cmdExit_(this), lstFreq_(this),
      cmdDelete_(this), cboRadio_(this), txtCh_(this), chkHiLo_(this), cmdSave_(this) {
    setObjectName("Freq_Input");
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(kFormPointSize);
    setFont(font);

    setUpControls();
    refresh(); // captions and lists before the layout measures them
    placeControls();
    connectActions();
}

EntryFormView::~EntryFormView() {
    // Widgets losing the focus while they are destroyed must not reach the
    // form's handlers.
    for (QObject* watched :
         {static_cast<QObject*>(&cboCh_), static_cast<QObject*>(&chkScan_),
          static_cast<QObject*>(&txtCh_), static_cast<QObject*>(&txtRx_),
          static_cast<QObject*>(&txtTx_), static_cast<QObject*>(lstFreq_.viewport())})
        watched->removeEventFilter(this);
}

void EntryFormView::setUpControls() {
    const EntryFields& f = ws_.form;
    const std::pair<QWidget*, const char*> names[] = {
        {&cboCh_, "cboCh"},
        {&txtRx_, "txtRx"},
        {&txtTx_, "txtTx"},
        {&cboCTCSS_, "cboCTCSS"},
        {&chkScan_, "chkScan"},
        {&cboToT_, "cboToT"},
        {&chkScan_En_, "chkScan_En"},
        {&chkDwn_Del_, "chkDwn_Del"},
        {&chkScan_Prog_, "chkScan_Prog"},
        {&chkDispl_Blnk_, "chkDispl_Blnk"},
        {&chkInd_On_, "chkInd_On"},
        {&chkCTCSS_en_, "chkCTCSS_en"},
        {&chkBCO_, "chkBCO"},
        {&chkSilent_, "chkSilent"},
        {&chkTX_Inh_, "chkTX_Inh"},
        {&cmdReset_Pers_, "cmdReset_Pers"},
        {&cmdPrint_, "cmdPrint"},
        {&cmdExit_, "cmdExit"},
        {&lstFreq_, "lstFreq"},
        {&cmdDelete_, "cmdDelete"},
        {&cboRadio_, "cboRadio"},
        {&txtCh_, "txtCh"},
        {&chkHiLo_, "chkHiLo"},
        {&cmdSave_, "cmdSave"},
    };
    // The tab order is the order of the table above.
    for (std::size_t i = 0; i < std::size(names); ++i) {
        names[i].first->setObjectName(QString::fromLatin1(names[i].second));
        if (i > 0) setTabOrder(names[i - 1].first, names[i].first);
    }

    // The channel selector takes free text; typed text never becomes an item
    // and is not completed to one.
    cboCh_.setEditable(true);
    cboCh_.setInsertPolicy(QComboBox::NoInsert);
    cboCh_.setCompleter(nullptr);
    cboCh_.setMaxVisibleItems(20);
    // The tone list takes a typed tone as typed: the store checks it, and
    // neither a completer nor the list's keyboard search puts another tone
    // in its place.
    cboCTCSS_.setEditable(true);
    cboCTCSS_.setInsertPolicy(QComboBox::NoInsert);
    cboCTCSS_.setCompleter(nullptr);
    cboCTCSS_.setMaxVisibleItems(16);

    for (QCheckBox* box : {&chkScan_En_, &chkDwn_Del_, &chkScan_Prog_, &chkDispl_Blnk_, &chkInd_On_,
                           &chkCTCSS_en_, &chkBCO_, &chkSilent_, &chkTX_Inh_, &chkHiLo_})
        box->setLayoutDirection(Qt::RightToLeft);
    chkScan_En_.setText(qs(f.chkScan_En.caption()));
    chkDwn_Del_.setText(qs(f.chkDwn_Del.caption()));
    chkScan_Prog_.setText(qs(f.chkScan_Prog.caption()));
    chkDispl_Blnk_.setText(qs(f.chkDispl_Blnk.caption()));
    chkInd_On_.setText(qs(f.chkInd_On.caption()));
    chkCTCSS_en_.setText(qs(f.chkCTCSS_en.caption()));
    chkBCO_.setText(qs(f.chkBCO.caption()));
    chkSilent_.setText(qs(f.chkSilent.caption()));
    chkTX_Inh_.setText(qs(f.chkTX_Inh.caption()));
    chkHiLo_.setText(qs(f.chkHiLo.caption()));

    cmdPrint_.setText(QStringLiteral("Print"));
    cmdExit_.setText(QStringLiteral("Exit"));
    cmdDelete_.setText(QStringLiteral("Delete"));
    cmdSave_.setText(QStringLiteral("Save"));
    for (QPushButton* button : {&cmdReset_Pers_, &cmdPrint_, &cmdExit_, &cmdDelete_, &cmdSave_})
        button->setAutoDefault(false);

    // The store reads the channel number from this field, which the form
    // fills from the selector; the operator never types into it.
    txtCh_.hide();

    lstFreq_.setSelectionMode(QAbstractItemView::SingleSelection);
    lstFreq_.setUniformItemSizes(true);

    QFont heading = font();
    heading.setPointSizeF(kHeadingPointSize);
    lblChannelData_.setText(QStringLiteral("Channel Data"));
    lblRadioOptions_.setText(QStringLiteral("Radio Options"));
    for (QLabel* label : {&lblChannelData_, &lblRadioOptions_}) {
        label->setFont(heading);
        label->setAlignment(Qt::AlignCenter);
    }
    // The frequency headings take two lines, so each stays over its own field.
    lblChannel_.setText(QStringLiteral("Channel"));
    lblReceive_.setText(QStringLiteral("Receive\nin MHz"));
    lblTransmit_.setText(QStringLiteral("Transmit\nin MHz"));
    lblCTCSS_.setText(QStringLiteral("CTCSS"));
    lblScan_.setText(QStringLiteral("Scan"));
    for (QLabel* label : {&lblChannel_, &lblReceive_, &lblTransmit_, &lblCTCSS_, &lblScan_})
        label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    lblModel_.setText(QStringLiteral("KL40 Model Type"));
    lblTimeout_.setText(QStringLiteral("Tx Time-out-Timer in mins"));
    lblScanHold_.setText(QStringLiteral("Scan Hold Timer in secs   2.00"));
    for (QLabel* label : {&lblModel_, &lblTimeout_, &lblScanHold_})
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblRange_.setText(QStringLiteral("Frequency range 400MHz to 450MHz only"));
    lblRange_.setAlignment(Qt::AlignCenter);
    nameControls();
}

void EntryFormView::nameControls() {
    // Buttons and option boxes are named by their captions (the store
    // button's changes with it); the other controls by the labels over or
    // beside them, which are their buddies.
    const std::pair<QLabel*, QWidget*> labelled[] = {
        {&lblChannel_, &cboCh_},  {&lblReceive_, &txtRx_}, {&lblTransmit_, &txtTx_},
        {&lblCTCSS_, &cboCTCSS_}, {&lblScan_, &chkScan_},  {&lblTimeout_, &cboToT_},
        {&lblModel_, &cboRadio_},
    };
    for (const auto& [label, control] : labelled) {
        label->setBuddy(control);
        control->setAccessibleName(label->text().simplified());
    }
    cboCh_.lineEdit()->setAccessibleName(lblChannel_.text());
    cboCTCSS_.lineEdit()->setAccessibleName(lblCTCSS_.text());
    txtCh_.setAccessibleName(lblChannel_.text()); // the selector's copy, never shown
    // The list has no label of its own: it is the channel half's list.
    lstFreq_.setAccessibleName(lblChannelData_.text());
    lstFreq_.setAccessibleDescription(qs(ws_.form.lstFreq.toolTip()));
}

void EntryFormView::placeControls() {
    // Reference places of the controls. A drop-down list narrower than the
    // style needs for its items grows to the right, and the scan box beside
    // the tone list moves along with it.
    // The channel selector shows "100", the widest number typed into it,
    // beside its arrow; the fields right of it move along.
    QRect channel = toPixels({195, 1050, 540, 315});
    const int channelGrowth = editableGrowth(cboCh_, QStringLiteral("100"), channel);
    channel.setWidth(channel.width() + channelGrowth);
    cboCh_.setGeometry(channel);
    txtRx_.setGeometry(toPixels({750, 1050, 885, 315}).translated(channelGrowth, 0));
    txtTx_.setGeometry(toPixels({1650, 1050, 810, 315}).translated(channelGrowth, 0));
    // The tone list shows its widest tone, which is as wide as any typed one.
    QRect tones = toPixels({2505, 1050, 770, 315}).translated(channelGrowth, 0);
    QString widestTone;
    for (int i = 0; i < cboCTCSS_.count(); ++i)
        if (cboCTCSS_.fontMetrics().horizontalAdvance(cboCTCSS_.itemText(i)) >
            cboCTCSS_.fontMetrics().horizontalAdvance(widestTone))
            widestTone = cboCTCSS_.itemText(i);
    const int toneGrowth = editableGrowth(cboCTCSS_, widestTone, tones);
    tones.setWidth(tones.width() + toneGrowth);
    cboCTCSS_.setGeometry(tones);
    // The scan box has no caption; it is at least as wide as the style's box.
    QRect scan = toPixels({3300, 1095, 195, 285}).translated(channelGrowth + toneGrowth, 0);
    scan.setWidth(std::max(scan.width(), chkScan_.sizeHint().width()));
    chkScan_.setGeometry(scan);
    placeGrowingRight(cboToT_, {6375, 855, 780, 315});
    placeRightAligned(chkScan_En_, {5340, 1530, 1230, 255});
    placeRightAligned(chkDwn_Del_, {5325, 1800, 1245, 255});
    placeRightAligned(chkScan_Prog_, {4575, 2055, 1995, 255});
    placeRightAligned(chkDispl_Blnk_, {5325, 2325, 1245, 255});
    placeRightAligned(chkInd_On_, {4245, 2580, 2325, 255});
    // 285 high rather than 294, which would reach 9 twips into the box below.
    placeRightAligned(chkCTCSS_en_, {4575, 2850, 1995, 285});
    placeRightAligned(chkBCO_, {4665, 3135, 1905, 255});
    placeRightAligned(chkSilent_, {4740, 3405, 1834, 255});
    placeRightAligned(chkTX_Inh_, {4125, 3675, 2445, 255});
    placeRightAligned(chkHiLo_, {5085, 3945, 1500, 270});
    cmdReset_Pers_.setGeometry(toPixels({285, 3270, 780, 375}));
    cmdDelete_.setGeometry(toPixels({1075, 3270, 780, 375}));
    cmdSave_.setGeometry(toPixels({1865, 3270, 780, 375}));
    cmdPrint_.setGeometry(toPixels({2655, 3270, 780, 375}));
    cmdExit_.setGeometry(toPixels({1410, 3675, 780, 375}));
    lstFreq_.setGeometry(toPixels({225, 1395, 3525, 1815}));
    placeGrowingRight(cboRadio_, {6345, 480, 1140, 315});
    txtCh_.setGeometry(toPixels({150, 3735, 105, 285}));

    // Headings over the two halves.
    lblChannelData_.setGeometry(toPixels({225, 45, 3525, 420}));
    lblRadioOptions_.setGeometry(toPixels({4125, 45, 3360, 420}));

    // Column headings, each centred over its field and ending just above it.
    const QRect columns = toPixels({0, 510, 0, 510});
    const auto over = [&](QLabel& label, const QRect& field) {
        const int width = label.sizeHint().width();
        label.setGeometry(field.center().x() + 1 - width / 2, columns.top(), width,
                          columns.height());
    };
    over(lblChannel_, cboCh_.geometry());
    over(lblReceive_, txtRx_.geometry());
    over(lblTransmit_, txtTx_.geometry());
    over(lblCTCSS_, cboCTCSS_.geometry());
    QStyleOptionButton box;
    box.initFrom(&chkScan_);
    over(lblScan_, chkScan_.style()
                       ->subElementRect(QStyle::SE_CheckBoxIndicator, &box, &chkScan_)
                       .translated(chkScan_.pos()));
    // Lists grown for a wide font push the scan heading right; it stays in
    // the channel half, off its centre if it must.
    const int optionsLeft = toPixels({4125, 0, 0, 0}).left();
    if (lblScan_.geometry().right() >= optionsLeft)
        lblScan_.move(optionsLeft - lblScan_.width(), lblScan_.y());

    // Statements beside the option lists: the scan hold time sits under the
    // time-out, its value under the time-out's value.
    lblModel_.setGeometry(toPixels({4125, 480, 2145, 315}));
    lblTimeout_.setGeometry(toPixels({4125, 855, 2175, 315}));
    QStyleOptionComboBox combo;
    combo.initFrom(&cboToT_);
    const QRect valueField = cboToT_.style()->subControlRect(
        QStyle::CC_ComboBox, &combo, QStyle::SC_ComboBoxEditField, &cboToT_);
    const int valueEnd = cboToT_.x() + valueField.left() + 1 +
                         lblScanHold_.fontMetrics().horizontalAdvance(cboToT_.currentText());
    const QRect hold = toPixels({4125, 1200, 0, 285});
    lblScanHold_.setGeometry(hold.left(), hold.top(), valueEnd - hold.left(), hold.height());

    // Under the buttons.
    lblRange_.setGeometry(toPixels({225, 4080, 3525, 270}));

    // The channel list's fixed-pitch font shrinks until the widest line a
    // channel can have fits beside the scroll bar.
    QFont listFont = fixedPitchFont();
    listFont.setPointSizeF(kFormPointSize);
    const QString widest = shownLine(FormatListLine("99,449.9999,449.9999,254.1,Y"));
    const int room = lstFreq_.width() - 2 * lstFreq_.frameWidth() -
                     lstFreq_.style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 6;
    while (QFontMetrics(listFont).horizontalAdvance(widest) > room &&
           listFont.pointSizeF() > kSmallestListPointSize)
        listFont.setPointSizeF(listFont.pointSizeF() - 0.5);
    lstFreq_.setFont(listFont);

    // The form's client area is the 8000 x 5000 twips form less its frame.
    setFixedSize(TwipsToPixels(7880), TwipsToPixels(4560));
}

void EntryFormView::connectActions() {
    EntryFields& f = ws_.form;
    EntryForm& form = form_;

    // Lists: `activated` is the operator's choice only.
    connect(&cboCh_, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboCh.setListIndex(index); }); });
    connect(&cboCTCSS_, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboCTCSS.setListIndex(index); }); });
    connect(&cboToT_, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboToT.setListIndex(index); }); });
    connect(&cboRadio_, &QComboBox::activated, this,
            [this, &f](int index) { forward([&] { f.cboRadio.setListIndex(index); }); });
    const std::pair<QComboBox*, ComboBox*> editable[] = {{&cboCh_, &f.cboCh},
                                                         {&cboCTCSS_, &f.cboCTCSS}};
    for (const auto& [box, field] : editable) {
        connect(box->lineEdit(), &QLineEdit::textEdited, this,
                [this, field = field](const QString& text) {
                    forward([&] { field->editText(text.toStdString()); });
                });
    }

    // Text boxes. A frequency that arrives whole (pasted, dropped) keeps
    // what typing it would keep.
    const std::pair<QLineEdit*, TextBox*> texts[] = {
        {&txtCh_, &f.txtCh}, {&txtRx_, &f.txtRx}, {&txtTx_, &f.txtTx}};
    for (const auto& [edit, field] : texts) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, edit = edit, field = field](const QString& text) {
                    const qsizetype afterCursor = text.size() - edit->cursorPosition();
                    forward([this, edit, field, &text] {
                        field->setText(text.toStdString());
                        if (edit == &txtRx_) form_.txtRx_Change();
                        if (edit == &txtTx_) form_.txtTx_Change();
                    });
                    // What was dropped was left of the cursor: it stays after
                    // the text that was kept.
                    if (edit->text() != text)
                        edit->setCursorPosition(
                            static_cast<int>(edit->text().size() - afterCursor));
                });
    }

    // Check boxes: the operator's click sets the value, which runs the handler.
    const std::pair<QCheckBox*, CheckBox*> boxes[] = {{&chkScan_, &f.chkScan},
                                                      {&chkScan_En_, &f.chkScan_En},
                                                      {&chkDwn_Del_, &f.chkDwn_Del},
                                                      {&chkScan_Prog_, &f.chkScan_Prog},
                                                      {&chkDispl_Blnk_, &f.chkDispl_Blnk},
                                                      {&chkInd_On_, &f.chkInd_On},
                                                      {&chkCTCSS_en_, &f.chkCTCSS_en},
                                                      {&chkBCO_, &f.chkBCO},
                                                      {&chkSilent_, &f.chkSilent},
                                                      {&chkTX_Inh_, &f.chkTX_Inh},
                                                      {&chkHiLo_, &f.chkHiLo}};
    for (const auto& [box, field] : boxes) {
        connect(box, &QCheckBox::clicked, this, [this, field = field](bool checked) {
            forward([&] { field->setChecked(checked); });
        });
    }

    // Buttons.
    connect(&cmdReset_Pers_, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdReset_Pers_Click(); }); });
    connect(&cmdDelete_, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdDelete_Click(); }); });
    connect(&cmdSave_, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdSave_Click(); }); });
    connect(&cmdPrint_, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdPrint_Click(); }); });
    connect(&cmdExit_, &QPushButton::clicked, this,
            [this, &form] { forward([&] { form.cmdExit_Click(); }); });

    // Channel list: a click on a line, or the keyboard moving the selection.
    connect(&lstFreq_, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { listLineClicked(lstFreq_.row(item)); });
    connect(&lstFreq_, &QListWidget::currentRowChanged, this, [this, &f](int row) {
        // A mouse click is taken on release; a current line that is not
        // selected (the list taking the focus) is no choice.
        if (listMouseDown_ || row < 0 || !lstFreq_.item(row)->isSelected()) return;
        forward([&] { f.lstFreq.setListIndex(row); });
    });

    // Focus changes and key presses.
    for (QObject* watched :
         {static_cast<QObject*>(&cboCh_), static_cast<QObject*>(&chkScan_),
          static_cast<QObject*>(&txtCh_), static_cast<QObject*>(&txtRx_),
          static_cast<QObject*>(&txtTx_), static_cast<QObject*>(lstFreq_.viewport())})
        watched->installEventFilter(this);
}

template <class Action> void EntryFormView::forward(Action&& action) {
    try {
        if (history_ != nullptr)
            history_->record(action);
        else
            action();
    } catch (const std::exception& e) {
        // The handlers report their failures to the operator themselves; one
        // that still escapes must not unwind through the event loop.
        qWarning("KL40: an entry form handler failed: %s", e.what());
    }
    refresh();
}

void EntryFormView::listLineClicked(int row) {
    if (row < 0) return;
    if (listDoubleClick_) {
        listDoubleClick_ = false; // the second click of a double click runs nothing
        refresh();
        return;
    }
    ListBox& list = ws_.form.lstFreq;
    if (row == listIndexAtPress_ && row == list.listIndex())
        forward([&] { form_.lstFreq_Click(); }); // the same line again: click anyway
    else
        forward([&] { list.setListIndex(row); });
}

bool EntryFormView::filterListMouse(QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
        listMouseDown_ = true;
        listDoubleClick_ = false;
        listIndexAtPress_ = ws_.form.lstFreq.listIndex();
        break;
    case QEvent::MouseButtonDblClick:
        listMouseDown_ = true;
        listDoubleClick_ = true;
        break;
    case QEvent::MouseButtonRelease:
        listMouseDown_ = false;
        // A press and release on different lines selects nothing: show the
        // form's selection again once the list has handled the release.
        QMetaObject::invokeMethod(this, &EntryFormView::refresh, Qt::QueuedConnection);
        break;
    default:
        break;
    }
    return false;
}

bool EntryFormView::filterKey(QLineEdit& edit, QKeyEvent& event, void (EntryForm::*filter)(int&)) {
    // Select all, copy, cut and paste are the box's own; a paste is filtered
    // as the text changes.
    for (const auto key :
         {QKeySequence::SelectAll, QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste})
        if (event.matches(key)) return false;
    const int code = CharacterCode(event);
    if (code < 0) return false;
    int key = code;
    const Control focusBefore = ws_.form.focus;
    ws_.form.focus = Control::None;
    try {
        (form_.*filter)(key);
    } catch (const std::exception&) {
        // Failures inside the key filters are ignored; the key goes through.
        key = code;
    }
    const bool moved = ws_.form.focus != Control::None;
    if (!moved) ws_.form.focus = focusBefore;
    refresh();
    if (key == 0) return true;             // refused
    if (key == kTab && moved) return true; // the filter moved the focus itself
    if (key == code) return false;         // passed on unchanged
    if (key >= ' ') edit.insert(QString(QChar(key)));
    return true;
}

void EntryFormView::selectOnFocus(QLineEdit& edit, const QEvent& event) {
    // A mouse press places the cursor after the focus arrives, so a click
    // selects on its release; the keyboard and the form select at once.
    if (static_cast<const QFocusEvent&>(event).reason() == Qt::MouseFocusReason)
        selectOnRelease_ = &edit;
    else if (isControlFocusChange(event))
        edit.selectAll();
}

bool EntryFormView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lstFreq_.viewport()) return filterListMouse(*event);

    switch (event->type()) {
    case QEvent::KeyPress: {
        auto& key = static_cast<QKeyEvent&>(*event);
        if (watched == &txtCh_) return filterKey(txtCh_, key, &EntryForm::txtCh_KeyPress);
        if (watched == &txtRx_) return filterKey(txtRx_, key, &EntryForm::txtRx_KeyPress);
        if (watched == &txtTx_) return filterKey(txtTx_, key, &EntryForm::txtTx_KeyPress);
        break;
    }
    case QEvent::FocusIn:
        if (watched == &txtRx_ || watched == &txtTx_)
            selectOnFocus(watched == &txtRx_ ? txtRx_ : txtTx_, *event);
        if (watched == &chkScan_ && isControlFocusChange(*event)) {
            ++focusEvents_;
            forward([this] { form_.chkScan_GotFocus(); });
            --focusEvents_;
        }
        break;
    case QEvent::FocusOut:
        if (!isControlFocusChange(*event)) break;
        ++focusEvents_;
        if (watched == &cboCh_) forward([this] { form_.cboCh_LostFocus(); });
        if (watched == &chkScan_) forward([this] { form_.chkScan_LostFocus(); });
        --focusEvents_;
        break;
    case QEvent::MouseButtonRelease:
        // The click that gave a frequency box the focus selects its text,
        // unless the mouse selected part of it.
        if (watched == selectOnRelease_) {
            if (!selectOnRelease_->hasSelectedText()) selectOnRelease_->selectAll();
            selectOnRelease_ = nullptr;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* EntryFormView::widgetOf(Control control) {
    switch (control) {
    case Control::cboCh:
        return &cboCh_;
    case Control::txtRx:
        return &txtRx_;
    case Control::txtTx:
        return &txtTx_;
    case Control::cboCTCSS:
        return &cboCTCSS_;
    case Control::chkScan:
        return &chkScan_;
    case Control::cboToT:
        return &cboToT_;
    case Control::cboRadio:
        return &cboRadio_;
    case Control::txtCh:
        return &txtCh_;
    case Control::lstFreq:
        return &lstFreq_;
    case Control::None:
        break;
    }
    return nullptr;
}

void EntryFormView::applyFocus() {
    const Control wanted = ws_.form.focus;
    if (wanted == Control::None) return;
    // A move asked for while the focus is changing is made once the change
    // has finished, so that the change under way cannot undo it.
    if (focusEvents_ > 0) {
        if (!focusMoveQueued_) {
            focusMoveQueued_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    focusMoveQueued_ = false;
                    applyFocus();
                },
                Qt::QueuedConnection);
        }
        return;
    }
    // The request is carried out once; the operator moves the focus freely
    // until a handler asks again.
    ws_.form.focus = Control::None;
    QWidget* target = widgetOf(wanted);
    if (target != nullptr && !target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
    // The selector is given the focus for a new number: typing replaces it.
    if (target == &cboCh_) cboCh_.lineEdit()->selectAll();
}

void EntryFormView::refresh() {
    const EntryFields& f = ws_.form;
    const QSignalBlocker blockers[] = {QSignalBlocker(cboCh_),
                                       QSignalBlocker(txtRx_),
                                       QSignalBlocker(txtTx_),
                                       QSignalBlocker(cboCTCSS_),
                                       QSignalBlocker(chkScan_),
                                       QSignalBlocker(cboToT_),
                                       QSignalBlocker(chkScan_En_),
                                       QSignalBlocker(chkDwn_Del_),
                                       QSignalBlocker(chkScan_Prog_),
                                       QSignalBlocker(chkDispl_Blnk_),
                                       QSignalBlocker(chkInd_On_),
                                       QSignalBlocker(chkCTCSS_en_),
                                       QSignalBlocker(chkBCO_),
                                       QSignalBlocker(chkSilent_),
                                       QSignalBlocker(chkTX_Inh_),
                                       QSignalBlocker(cmdReset_Pers_),
                                       QSignalBlocker(lstFreq_),
                                       QSignalBlocker(cboRadio_),
                                       QSignalBlocker(txtCh_),
                                       QSignalBlocker(chkHiLo_),
                                       QSignalBlocker(cboCh_.lineEdit()),
                                       QSignalBlocker(cboCTCSS_.lineEdit())};

    if (windowTitle() != qs(f.caption)) setWindowTitle(qs(f.caption));
    mirror(cboCh_, f.cboCh);
    mirror(txtCh_, f.txtCh);
    mirror(txtRx_, f.txtRx);
    mirror(txtTx_, f.txtTx);
    mirror(cboCTCSS_, f.cboCTCSS);
    mirror(chkScan_, f.chkScan);
    mirrorBackground(chkScan_, f.chkScan);
    mirror(lstFreq_, f.lstFreq);
    mirror(cmdReset_Pers_, f.cmdReset_Pers);
    mirror(cboRadio_, f.cboRadio);
    mirror(cboToT_, f.cboToT);
    mirror(chkScan_En_, f.chkScan_En);
    mirror(chkDwn_Del_, f.chkDwn_Del);
    mirror(chkScan_Prog_, f.chkScan_Prog);
    mirror(chkDispl_Blnk_, f.chkDispl_Blnk);
    mirror(chkInd_On_, f.chkInd_On);
    mirror(chkCTCSS_en_, f.chkCTCSS_en);
    mirror(chkBCO_, f.chkBCO);
    mirror(chkSilent_, f.chkSilent);
    mirror(chkTX_Inh_, f.chkTX_Inh);
    mirror(chkHiLo_, f.chkHiLo);
    applyFocus();
    emit mirrored();
}

} // namespace kl40::qt
