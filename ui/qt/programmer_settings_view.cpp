#include "ui/qt/programmer_settings_view.h"
#include "ui/qt/wrapped_message.h"

#include "programmer/programmer_table.h"

#include <QFormLayout>

namespace kl40::qt {

namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

std::string text(const QLineEdit& edit) {
    return edit.text().trimmed().toStdString();
}

} // namespace

ProgrammerSettingsView::ProgrammerSettingsView(std::filesystem::path file, QWidget* parent)
    : QDialog(parent), file_(std::move(file)), programmer_(this), device2k_(this), device8k_(this),
      read_(this), write_(this), timeLimit_(this), problem_(this),
      buttons_(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this) {
    setObjectName("ProgrammerSettings");
    setWindowTitle(QStringLiteral("Programmer Settings"));
    for (const std::string& name : ProgrammerNames())
        programmer_.addItem(q(name));
    problem_.setWordWrap(true);
    problem_.setStyleSheet(QStringLiteral("color: #b00000"));
    auto* layout = new QFormLayout(this); // owned by the dialog
    layout->addRow(QStringLiteral("&Programmer:"), &programmer_);
    layout->addRow(QStringLiteral("Device for &2,048 bytes:"), &device2k_);
    layout->addRow(QStringLiteral("Device for &8,192 bytes:"), &device8k_);
    layout->addRow(QStringLiteral("&Read command:"), &read_);
    layout->addRow(QStringLiteral("&Write command:"), &write_);
    layout->addRow(QStringLiteral("&Time limit (seconds):"), &timeLimit_);
    layout->addRow(&problem_);
    layout->addRow(&buttons_);
    read_.setToolTip(QStringLiteral("{device} and {file} stand for the device name and the "
                                    "image file"));
    write_.setToolTip(read_.toolTip());
    connect(&buttons_, &QDialogButtonBox::accepted, this, &ProgrammerSettingsView::accept);
    connect(&buttons_, &QDialogButtonBox::rejected, this, &ProgrammerSettingsView::reject);
    connect(&programmer_, &QComboBox::currentTextChanged, this, [this] { showRow(); });

    const LoadedSettingsForm loaded = LoadSettingsForm(file_);
    fill(loaded.form);
    problem_.setText(q(loaded.problem));
    resize(560, sizeHint().height());
}

void ProgrammerSettingsView::fill(const ProgrammerSettingsForm& form) {
    // A programmer the table does not know is shown as it is, to be refused.
    if (programmer_.findText(q(form.programmer)) < 0) programmer_.addItem(q(form.programmer));
    programmer_.setCurrentText(q(form.programmer));
    device2k_.setText(q(form.device2k));
    device8k_.setText(q(form.device8k));
    read_.setText(q(form.customRead));
    write_.setText(q(form.customWrite));
    timeLimit_.setText(q(form.timeLimit));
    showRow();
}

void ProgrammerSettingsView::showRow() {
    const auto row = FindProgrammer(programmer_.currentText().toStdString());
    const bool custom = row && row->name == kCustomProgrammer;
    device2k_.setPlaceholderText(row ? q(row->device2k) : QString());
    device8k_.setPlaceholderText(row ? q(row->device8k) : QString());
    read_.setEnabled(custom);
    write_.setEnabled(custom);
    read_.setPlaceholderText(row && !custom ? q(row->readCommand) : QString());
    write_.setPlaceholderText(row && !custom ? q(row->writeCommand) : QString());
}

ProgrammerSettingsForm ProgrammerSettingsView::form() const {
    return {programmer_.currentText().toStdString(),
            text(device2k_),
            text(device8k_),
            text(read_),
            text(write_),
            text(timeLimit_)};
}

void ProgrammerSettingsView::accept() {
    if (const auto refused = SaveSettingsForm(file_, form())) {
        ShowWrappedMessage(*this, problem_, q(*refused));
        return;
    }
    QDialog::accept();
}

} // namespace kl40::qt
