// The print selection window and the Qt printer end to end: reports printed
// to PDF through the window's OK button, read back word by word with their
// positions (pdftotext -bbox) and rendered to pixels (pdftoppm).

#include "coding/options.h"
#include "support/scripted_platform.h"
#include "ui/form/channel_entry.h"
#include "ui/form/option_boxes.h"
#include "ui/qt/print_dialog_view.h"
#include "ui/qt/qt_print_targets.h"
#include "ui/qt/qt_printer.h"

#include "support/channel_slots.h"

#include <QFontInfo>
#include <QImage>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>
#include <string>
#include <vector>

namespace kl40::qt {
namespace {

constexpr double pt(double twips) {
    return twips / 20.0;
}

struct Word {
    QString text;
    int page = 0;
    double x = 0, y = 0, right = 0, bottom = 0;
};

struct Pdf {
    std::vector<Word> words;
    int pages = 0;
    double width = 0, height = 0;

    std::vector<Word> all(const QString& text) const {
        std::vector<Word> out;
        for (const Word& w : words)
            if (w.text == text) out.push_back(w);
        return out;
    }
    // The words on the line of `word`, left to right.
    std::vector<Word> lineOf(const Word& word) const {
        std::vector<Word> out;
        for (const Word& w : words)
            if (w.page == word.page && qAbs(w.y - word.y) < 1) out.push_back(w);
        return out;
    }
    QString textOf(const Word& word) const {
        QStringList parts;
        for (const Word& w : lineOf(word))
            parts << w.text;
        return parts.join(' ');
    }
    bool centred(const QString& firstWord) const {
        const auto line = lineOf(all(firstWord).at(0));
        return qAbs((line.front().x + line.back().right) / 2 - width / 2) < 1;
    }
};

QString Run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        qWarning() << program << "failed:" << process.errorString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

Pdf ReadPdf(const QString& file) {
    static const QRegularExpression tag(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" )re"
        R"re(xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    Pdf pdf;
    for (auto it = tag.globalMatch(Run("pdftotext", {"-bbox", file, "-"})); it.hasNext();) {
        const auto m = it.next();
        if (!m.captured(1).isEmpty()) {
            ++pdf.pages;
            pdf.width = m.captured(1).toDouble();
            pdf.height = m.captured(2).toDouble();
        } else {
            pdf.words.push_back({m.captured(7), pdf.pages, m.captured(3).toDouble(),
                                 m.captured(4).toDouble(), m.captured(5).toDouble(),
                                 m.captured(6).toDouble()});
        }
    }
    return pdf;
}

void ClickRadio(QRadioButton* button) {
    // At the indicator: the button is stretched wider than its caption.
    QStyleOptionButton option;
    option.initFrom(button);
    QTest::mouseClick(
        button, Qt::LeftButton, {},
        button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &option, button).center());
}

} // namespace

class PrintViewTest : public QObject {
    Q_OBJECT

    test::ScriptedPlatform platform;
    std::unique_ptr<Workspace> ws;
    std::unique_ptr<QTemporaryDir> dir;

    void store(const std::string& entry) {
        const int n = std::stoi(entry);
        test::SetEntry(*ws, n, entry);
        ws->form.lstFreq.addItem(FormatListLine(entry));
        if (n > ws->data.radio.channelCount) ws->data.radio.channelCount = n;
    }

    QPointer<PrintDialogView> open(PrintTarget& target) {
        QPointer<PrintDialogView> view = new PrintDialogView(*ws, target); // deletes itself
        view->show();
        if (!QTest::qWaitForWindowExposed(view)) qWarning("window not shown");
        return view;
    }

    // Chooses `option` (none when empty) and presses OK; the window closes.
    std::vector<QString> printViaWindow(const char* option, int copies = 1) {
        PdfPrintTarget target(dir->filePath("print.pdf"), copies);
        target.setPageSize(QPageSize(QPageSize::A4));
        QPointer<PrintDialogView> view = open(target);
        if (*option) ClickRadio(view->findChild<QRadioButton*>(option));
        QTest::mouseClick(view->findChild<QPushButton*>("OKButton"), Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!view) return target.files();
        view->close();
        return {QString("window stayed open")};
    }

private slots:
    void init() {
        ws = std::make_unique<Workspace>(platform);
        dir = std::make_unique<QTemporaryDir>();
        ws->data.radio.channelCount = 1;
        FillTimeoutList(ws->form.cboToT); // "2.00"
        ws->form.cboRadio.editText("KL40a-64");
        ws->form.chkScan_En.setChecked(true);
        ws->form.chkBCO.setChecked(true);
        store("5,435.1250,430.1250,88.5 ,Y");
        store("12,439.0000,439.0000,103.5,N");
    }

    // The channel table with real fonts: every frequency whole inside the
    // page, names and comments kept, each page headed and numbered.
    void channelTablePrintout() {
        for (int n = 20; n <= 90; ++n)
            store(std::to_string(n) + ",435.1250,430.1250,88.5 ,N");
        auto& named = ws->data.radio.channels[20];
        named->name = "Hilltop repeater";
        named->comment = "A comment long enough to need several lines in its column, with "
                         "Superlongwordthatcannotbreakanywhereatallinthiscolumnwidth.";
        const std::vector<QString> files = printViaWindow("optPrint_Table");
        QCOMPARE(files.size(), std::size_t{1});
        const Pdf pdf = ReadPdf(files.front());
        QCOMPARE(pdf.pages, 2);
        QCOMPARE(pdf.all("435.1250").size(), std::size_t{72}); // 71 here and channel 5
        for (const Word& w : pdf.all("435.1250"))
            QVERIFY(w.right < pdf.width);
        QCOMPARE(pdf.all("Untitled").size(), std::size_t{2});
        QCOMPARE(pdf.textOf(pdf.all("Page").at(1)), QString("Page 2 of 2"));
        QString comment;
        for (const Word& w : pdf.words)
            if (w.page == 1 && w.x >= pdf.all("Comment").at(0).x - 1) comment += w.text;
        QVERIFY(comment.contains("Superlongwordthatcannotbreak"));
        QVERIFY(comment.contains("columnwidth."));
    }

    void windowClosesWithoutPrinting() {
        PdfPrintTarget target(dir->filePath("x.pdf"), 1);
        for (const int way : {0, 1, 2}) {
            QPointer<PrintDialogView> view = open(target);
            QCOMPARE(view->windowTitle(), QString("Printout Selection"));
            QVERIFY(!view->isModal());
            QVERIFY(!(view->windowFlags() & Qt::WindowMinMaxButtonsHint));
            QVERIFY(view->findChild<QGroupBox*>("frPrint_Selection")->title().isEmpty());
            for (QRadioButton* option : view->findChildren<QRadioButton*>())
                QVERIFY(!option->isChecked());
            QCOMPARE(view->logic().PrintChoice, 0);
            ClickRadio(view->findChild<QRadioButton*>("optPrint_Config"));
            QCOMPARE(view->logic().PrintChoice, 3);
            if (way == 0)
                QTest::mouseClick(view->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
            if (way == 1) QTest::keyClick(view, Qt::Key_Escape);
            if (way == 2) view->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QVERIFY(view.isNull());
        }
        QVERIFY(target.files().empty());
        // OK with nothing chosen asks for a choice and keeps the window open.
        QCOMPARE(printViaWindow(""), std::vector<QString>{QString("window stayed open")});
    }

    void channelListColumns() {
        const auto files = printViaWindow("optPrint_Chan");
        QCOMPARE(files.size(), std::size_t{1});
        const Pdf pdf = ReadPdf(files[0]);
        QCOMPARE(pdf.pages, 1);
        QVERIFY(pdf.centred("KL40c")); // a PDF's printable area is the whole sheet
        QVERIFY(pdf.all("Configuration").empty());

        const auto headings = pdf.lineOf(pdf.all("Chan").at(0));
        const double headingX[] = {1550, 3254, 5182, 6713, 8420};
        QCOMPARE(headings.size(), std::size_t{5});
        for (std::size_t i = 0; i < 5; ++i)
            QVERIFY2(qAbs(headings[i].x - pt(headingX[i])) < 0.5, qPrintable(headings[i].text));

        // Channels 5 and 12 in the same columns: the line starts at 1723 and
        // the tabs put the fields at 2880, 4800, 6720 and 8640 twips.
        const double columnX[] = {1723, 2880, 4800, 6720, 8640};
        double lastY = headings[0].y;
        for (const QString row : {"5 435.1250 430.1250 88.5 Y", "12 439.0000 439.0000 103.5 N"}) {
            const auto line = pdf.lineOf(pdf.all(row.section(' ', 1, 1)).at(0));
            QCOMPARE(pdf.textOf(line[0]), row);
            for (std::size_t i = 0; i < 5; ++i)
                QVERIFY2(qAbs(line[i].x - pt(columnX[i])) < 0.5, qPrintable(line[i].text));
            QVERIFY(line[0].y > lastY);
            lastY = line[0].y;
        }
    }

    void optionsReport() {
        const auto files = printViaWindow("optPrint_Config");
        const Pdf pdf = ReadPdf(files.at(0));
        QCOMPARE(pdf.pages, 1);
        QVERIFY(pdf.all("KL40c").empty());
        QVERIFY(pdf.centred("Radio"));
        const QStringList expected{
            "Radio Model : KL40a-64",
            "Time out Timer : 2.00 minutes",
            "Scan Hold Time : 2.00 seconds",
            "Channel Scan : Enabled",
            "Down deletes scan channel : Disabled",
            "Self programmed scan channels : Disabled",
            "20 Sec Display Timer : Disabled",
            "Power LED is ON Indicator : Disabled",
            "Rx CTCSS mute : Disabled",
            "Transmit inhibit if channel busy : Enabled",
            "Silent Switch : Disabled",
            "Transmit inhibit if Open LED off : Disabled",
        };
        QStringList rows;
        for (const Word& colon : pdf.all(":")) { // labels at 1440 twips, values at 5400
            QVERIFY(qAbs(colon.x - pt(5400)) < 0.5);
            QVERIFY(qAbs(pdf.lineOf(colon).front().x - pt(1440)) < 0.5);
            rows << pdf.textOf(colon);
        }
        QCOMPARE(rows, expected);
    }

    void pageBreaksAndOverflow() {
        // A channel above 50 breaks the page once and repeats the heading;
        // with few lines the options report follows on the same page.
        store("60,440.5000,440.5000,none ,N");
        store("75,441.0000,441.0000,none ,N");
        Pdf pdf = ReadPdf(printViaWindow("optPrint_All").at(0));
        QCOMPARE(pdf.pages, 2);
        QCOMPARE(pdf.all("KL40c").size(), std::size_t{2});
        QCOMPARE(pdf.all("440.5000").at(0).page, 2);
        QCOMPARE(pdf.textOf(pdf.all("441.0000").at(0)), QString("75 441.0000 441.0000 none N"));
        QCOMPARE(pdf.all("Configuration").at(0).page, 2);

        // Fifty channels fill the first page: the options report that follows
        // runs on to a second page instead of off the sheet.
        init();
        for (int n = 1; n <= 50; ++n)
            store(std::to_string(n) + ",440.0000,440.0000,none ,N");
        pdf = ReadPdf(printViaWindow("optPrint_All").at(0));
        QCOMPARE(pdf.pages, 2);
        QCOMPARE(pdf.all("KL40c").size(), std::size_t{1});
        QCOMPARE(pdf.all(":").size(), std::size_t{12});
        for (const Word& w : pdf.words)
            QVERIFY2(w.y >= 0 && w.bottom <= pdf.height, qPrintable(w.text));

        // More than 75 lines: the options report starts a page of its own.
        for (int n = 51; n <= 99; ++n)
            store(std::to_string(n) + ",440.0000,440.0000,none ,N");
        pdf = ReadPdf(printViaWindow("optPrint_All").at(0));
        QCOMPARE(pdf.pages, 3);
        QCOMPARE(pdf.all("KL40c").size(), std::size_t{2});
        QCOMPARE(pdf.all("Radio").at(0).page, 3);
        QCOMPARE(pdf.all(":").at(0).page, 3);
    }

    void copiesAreSeparateDocuments() {
        const auto files = printViaWindow("optPrint_Chan", 3);
        QCOMPARE(files,
                 (std::vector<QString>{dir->filePath("print.pdf"), dir->filePath("print-2.pdf"),
                                       dir->filePath("print-3.pdf")}));
        for (const QString& file : files) {
            const Pdf pdf = ReadPdf(file);
            QCOMPARE(pdf.pages, 1);
            QCOMPARE(pdf.all("KL40c").size(), std::size_t{1});
        }
        QCOMPARE(DocumentFileName("/tmp/a.b/list", 3), QString("/tmp/a.b/list-3"));
        QCOMPARE(DocumentFileName("/tmp/copy%1.pdf", 1), QString("/tmp/copy1.pdf"));
    }

    void fontPositionsAndRule() {
        // "Courier New" or a font with its metrics: eight characters at 10
        // points fill one 960-twip tab stop.
        auto device = std::make_unique<QPrinter>(QPrinter::HighResolution);
        device->setOutputFileName(dir->filePath("font.pdf"));
        auto printer = QtPrinter::begin(std::move(device));
        QVERIFY(printer);
        printer->setFontName("Courier New");
        printer->setFontSize(10);
        const QString family = QFontInfo(printer->font()).family();
        QVERIFY2(family == "Courier New" || family == "Liberation Mono", qPrintable(family));
        QVERIFY(qAbs(printer->textWidth("12345678") - 960) < 2);
        // The position is the top of the line; the text hangs below it.
        printer->setCurrentX(1440);
        printer->setCurrentY(2880);
        printer->print("Top", true);
        QVERIFY(printer->currentX() == 0 && printer->currentY() > 2880);
        printer->print("Next", false);
        QVERIFY(qAbs(printer->currentX() - 480) < 1);
        const double next = pt(printer->currentY());
        printer->endDocument();
        const Pdf placed = ReadPdf(dir->filePath("font.pdf"));
        QVERIFY(qAbs(placed.all("Top").at(0).x - 72) < 0.5);
        QVERIFY(qAbs(placed.all("Top").at(0).y - 144) < 1.5);
        QVERIFY(qAbs(placed.all("Next").at(0).y - next) < 1.5);

        const QString file = printViaWindow("optPrint_Chan").at(0);
        const QString fonts = Run("pdffonts", {file});
        QVERIFY2(fonts.contains(QRegularExpression("(LiberationMono|CourierNew)[-,]Bold")),
                 qPrintable(fonts));

        // The rule: a dark bar from 1440 twips in from each side of the page,
        // between the headings and the first channel.
        Run("pdftoppm", {"-r", "72", "-gray", "-singlefile", "-png", file, dir->filePath("page")});
        const QImage page(dir->filePath("page.png"));
        const int left = 72, right = page.width() - 72;
        int rule = -1;
        for (int y = 0; y < page.height() && rule < 0; ++y) {
            bool dark = true;
            for (int x = left + 2; x < right - 2 && dark; ++x)
                dark = qGray(page.pixel(x, y)) < 128;
            if (dark) rule = y;
        }
        QVERIFY(rule > 0);
        QVERIFY(qGray(page.pixel(left - 4, rule)) > 200 &&
                qGray(page.pixel(right + 4, rule)) > 200);
        const Pdf pdf = ReadPdf(file);
        QVERIFY(rule > pdf.all("Chan").at(0).bottom && rule < pdf.all("435.1250").at(0).y);
    }

    // Preview... shows the pages OK prints, on the paper of the printer
    // settings, and leaves the selection window open. With KL40_SCREENSHOT_DIR
    // set, a picture of the preview goes there.
    void previewShowsThePrintedPages() {
        store("60,440.5000,440.5000,none ,N"); // a second page
        for (const auto paper : {QPageSize::A5, QPageSize::Letter}) {
            QtPrintTarget target;
            target.printer().setPageSize(QPageSize(paper));
            target.printer().setOutputFileName(dir->filePath("never-written.pdf"));
            QPointer<PrintDialogView> view = new PrintDialogView(*ws, target, nullptr, &target);
            view->show();
            QVERIFY(QTest::qWaitForWindowExposed(view));
            ClickRadio(view->findChild<QRadioButton*>("optPrint_All"));
            int pages = 0;
            QSizeF shown;
            bool printHidden = false;
            QTimer::singleShot(0, [&] {
                auto* preview =
                    qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
                QVERIFY(preview);
                auto* widget = preview->findChild<QPrintPreviewWidget*>();
                pages = widget->pageCount();
                shown = preview->printer()->pageLayout().fullRect(QPageLayout::Point).size();
                printHidden = true;
                for (QAction* action : preview->findChildren<QAction*>())
                    if (action->text().remove('&') == "Print") printHidden = !action->isVisible();
                const QString shots = qEnvironmentVariable("KL40_SCREENSHOT_DIR");
                if (!shots.isEmpty() && paper == QPageSize::A5) {
                    preview->resize(700, 800);
                    widget->fitInView();
                    QCoreApplication::processEvents();
                    preview->grab().save(shots + "/preview.png");
                }
                preview->reject();
            });
            QTest::mouseClick(view->findChild<QPushButton*>("PreviewButton"), Qt::LeftButton);
            QVERIFY(view && view->isVisible());
            QVERIFY(printHidden);
            QVERIFY(!QFile::exists(dir->filePath("never-written.pdf")));

            PdfPrintTarget printed(dir->filePath("printed.pdf"), 1);
            printed.setPageSize(QPageSize(paper));
            Print_Dialog logic(*ws, printed);
            logic.optPrint_All_Click();
            logic.OKButton_Click();
            const Pdf pdf = ReadPdf(printed.files().at(0));
            QCOMPARE(pages, pdf.pages);
            QCOMPARE(pages, 2);
            QVERIFY(qAbs(shown.width() - pdf.width) < 1 && qAbs(shown.height() - pdf.height) < 1);
            view->close();
        }
    }

    void printerDialogCopies() {
        // The platform's printer dialog, printing to a file: each copy goes to
        // its own file and the printer is left to print one copy of each.
        QtPrintTarget target;
        target.printer().setOutputFileName(dir->filePath("dialog.pdf"));
        auto answer = [](int copies) {
            QTimer::singleShot(0, [copies] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                if (copies == 0) return dialog->reject();
                dialog->findChild<QSpinBox*>("copies")->setValue(copies);
                dialog->accept();
            });
        };
        answer(0);
        QVERIFY(!target.ChoosePrinter().has_value());

        answer(2);
        Print_Dialog logic(*ws, target);
        logic.optPrint_Chan_Click();
        logic.OKButton_Click();
        QCOMPARE(target.printer().copyCount(), 1);
        for (const char* name : {"dialog.pdf", "dialog-2.pdf"})
            QCOMPARE(ReadPdf(dir->filePath(name)).all("KL40c").size(), std::size_t{1});
        QVERIFY(!QFile::exists(dir->filePath("dialog-3.pdf")));
    }
};

} // namespace kl40::qt

QTEST_MAIN(kl40::qt::PrintViewTest)
#include "print_view_test.moc"
