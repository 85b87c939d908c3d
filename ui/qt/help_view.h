#pragma once
// The help window "KL40 Help": the help document in a read-only rich-text
// browser above a Close button. A modeless top-level window that closes with
// Escape or Close and deletes itself when it closes.

#include "ui/help_window.h"

#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWidget>

#include <filesystem>

namespace kl40::qt {

class HelpView : public QWidget {
    Q_OBJECT

public:
    // The document is read from the current working directory, or failing
    // that from `programDir` (the executable's folder); a short note stands in
    // for a missing one.
    explicit HelpView(const std::filesystem::path& programDir, QWidget* parent = nullptr);

    bool documentFound() const { return logic_.documentFound; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    Help logic_;
    QVBoxLayout layout_;
    QTextBrowser rtfData_;
    QDialogButtonBox buttons_{QDialogButtonBox::Close};
};

} // namespace kl40::qt
