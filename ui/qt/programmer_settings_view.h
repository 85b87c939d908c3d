#pragma once
// "Programmer Settings...": the programmer, its device names for the two chip
// sizes, the Custom row's commands and the time limit, saved to the file
// kl40-cli reads. Values that could not be used are refused with the reason
// shown in the dialog, which stays open.

#include "ui/eprom/programmer_settings_form.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>

#include <filesystem>

namespace kl40::qt {

class ProgrammerSettingsView : public QDialog {
    Q_OBJECT

public:
    ProgrammerSettingsView(std::filesystem::path file, QWidget* parent);

    QComboBox& programmer() { return programmer_; }
    QLineEdit& device2k() { return device2k_; }
    QLineEdit& device8k() { return device8k_; }
    QLineEdit& readCommand() { return read_; }
    QLineEdit& writeCommand() { return write_; }
    QLineEdit& timeLimit() { return timeLimit_; }
    QLabel& problem() { return problem_; }

public slots:
    // Saves and closes, or shows why nothing was saved.
    void accept() override;

private:
    void fill(const ProgrammerSettingsForm& form);
    ProgrammerSettingsForm form() const;
    // The chosen row's device names as hints; its commands editable for Custom only.
    void showRow();

    std::filesystem::path file_;
    QComboBox programmer_;
    QLineEdit device2k_;
    QLineEdit device8k_;
    QLineEdit read_;
    QLineEdit write_;
    QLineEdit timeLimit_;
    QLabel problem_;
    QDialogButtonBox buttons_;
};

} // namespace kl40::qt
