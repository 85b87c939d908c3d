#pragma once
// The small dialogs of the channel table's Edit commands: "Fill Frequencies..."
// asks for a start and a step, "Preferences..." for the default repeater
// offset. Each checks nothing itself: the logic takes or refuses the values.

#include "ui/preferences.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>

#include <optional>

namespace kl40::qt {

struct FillRequest {
    QString startMHz;
    QString stepKHz;
};

// The start frequency and step, or nothing when the operator cancels.
std::optional<FillRequest> AskFill(QWidget* parent);

// Shows the preferences and keeps what the operator confirms; a refused
// value keeps the dialog open with the reason below the field.
class PreferencesDialog : public QDialog {
    Q_OBJECT

public:
    PreferencesDialog(Preferences& preferences, QWidget* parent = nullptr);
    void accept() override;

private:
    Preferences& preferences_;
    QLineEdit offset_;
    QLabel problem_;
};

} // namespace kl40::qt
