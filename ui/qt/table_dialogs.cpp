#include "ui/qt/table_dialogs.h"
#include "ui/qt/wrapped_message.h"

#include "entry/channel_rows.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>

namespace kl40::qt {

namespace {

QDialogButtonBox* okCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

} // namespace

std::optional<FillRequest> AskFill(QWidget* parent) {
    QDialog dialog(parent);
    dialog.setObjectName("FillDialog");
    dialog.setWindowTitle(QStringLiteral("Fill Frequencies"));
    QLineEdit start(&dialog);
    start.setObjectName("start");
    QLineEdit step(QString::number(kDefaultFillStep.hundredHz / 10.0), &dialog);
    step.setObjectName("step");
    auto* layout = new QFormLayout(&dialog);
    layout->addRow(QStringLiteral("&Start MHz"), &start);
    layout->addRow(QStringLiteral("S&tep kHz"), &step);
    layout->addRow(okCancel(dialog));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return FillRequest{start.text(), step.text()};
}

PreferencesDialog::PreferencesDialog(Preferences& preferences, QWidget* parent)
    : QDialog(parent), preferences_(preferences),
      offset_(QString::fromStdString(preferences.repeaterOffsetText()), this), problem_(this) {
    setObjectName("PreferencesDialog");
    setWindowTitle(QStringLiteral("Preferences"));
    offset_.setObjectName("repeaterOffset");
    problem_.setObjectName("problem");
    problem_.setWordWrap(true);
    problem_.hide();
    auto* layout = new QFormLayout(this);
    auto* field = new QHBoxLayout;
    field->addWidget(&offset_);
    field->addWidget(new QLabel(QStringLiteral("MHz"), this));
    auto* caption = new QLabel(QStringLiteral("Default repeater offset"), this);
    caption->setBuddy(&offset_);
    layout->addRow(caption, field);
    layout->addRow(&problem_);
    layout->addRow(okCancel(*this));
}

void PreferencesDialog::accept() {
    if (const auto refusal = preferences_.setRepeaterOffset(offset_.text().toStdString())) {
        ShowWrappedMessage(*this, problem_, QString::fromStdString(*refusal));
        offset_.setFocus();
        offset_.selectAll();
        return;
    }
    QDialog::accept();
}

} // namespace kl40::qt
