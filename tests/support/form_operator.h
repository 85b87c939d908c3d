#pragma once
// Drives the data-entry form's widgets as an operator does: keys go to the
// widget that has the focus, check boxes are clicked on their indicator, list
// lines on their rectangle, list items chosen with the keyboard.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QtTest>

namespace kl40::test {

class FormOperator {
public:
    explicit FormOperator(QWidget& form) : form_(form) {}

    template <class W = QWidget> W* get(const char* name) const {
        W* widget = form_.findChild<W*>(QString::fromLatin1(name));
        if (widget == nullptr) qFatal("no widget %s", name);
        return widget;
    }
    static QWidget* focused() { return QApplication::focusWidget(); }

    static void type(const QString& keys) { QTest::keyClicks(focused(), keys); }
    static void press(Qt::Key key) { QTest::keyClick(focused(), key); }
    // Tab, then let the form finish the focus moves it makes afterwards.
    static void tab() {
        press(Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    void focus(const char* name) const {
        get(name)->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
    }
    void tick(const char* name) const {
        auto* box = get<QCheckBox>(name);
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
    }
    void clickLine(int row) const {
        auto* list = get<QListWidget>("lstFreq");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(row)).center());
        QCoreApplication::processEvents();
    }
    // To the first item (Home, or Up in a box that takes text), then Down to
    // the item.
    static void choose(QComboBox* box, const QString& item) {
        if (box->isEditable()) {
            if (box->currentIndex() < 0) QTest::keyClick(box, Qt::Key_Down);
            for (int n = box->count(); n > 0 && box->currentIndex() > 0; --n)
                QTest::keyClick(box, Qt::Key_Up);
        } else {
            QTest::keyClick(box, Qt::Key_Home);
        }
        for (int i = box->findText(item); i > 0; --i)
            QTest::keyClick(box, Qt::Key_Down);
    }
    void choose(const char* name, const QString& item) const { choose(get<QComboBox>(name), item); }

    // Selector, receive, transmit, tone, scan box, and Tab out of the scan
    // box, which stores the channel.
    void enterChannel(const QString& channel, const QString& rx, const QString& tx,
                      const QString& tone, bool scan) const {
        focus("cboCh");
        get<QComboBox>("cboCh")->lineEdit()->selectAll();
        type(channel);
        tab();
        type(rx);
        tab();
        type(tx);
        tab();
        choose(qobject_cast<QComboBox*>(focused()), tone);
        tab();
        if (scan) press(Qt::Key_Space);
        tab();
    }

private:
    QWidget& form_;
};

} // namespace kl40::test
