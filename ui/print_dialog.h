#pragma once
// The print selection window "Printout Selection": the choice of report, the
// printer dialog, the copies and the preview. The reports themselves are laid
// out in print_reports.h, which comes with this header for the dialog's users.

#include "ui/form/fields.h"
#include "ui/form/workspace.h"
#include "ui/print_reports.h"
#include "ui/printer.h"

namespace kl40 {

inline constexpr const char* kPrintDialogCaption = "Printout Selection";
inline constexpr const char* kPrintDialogLabel = "Available Printouts";
inline constexpr const char* kPrintAllCaption = "Print All";
inline constexpr const char* kPrintChannelsCaption = "Print Channels only";
inline constexpr const char* kPrintOptionsCaption = "Print Options only";
inline constexpr const char* kPrintTableCaption = "Print Channel Table";
inline constexpr const char* kPreviewCaption = "Preview...";
inline constexpr const char* kChooseToPreviewText = "Choose a printout to preview.";
inline constexpr const char* kChooseToPrintText = "Choose a printout to print.";

// The logic of the print selection window. A new instance is made each time
// the window opens, so `PrintChoice` starts at 0 (no option button selected).
class Print_Dialog {
public:
    // `onClose` runs when OK or Cancel closes the window (the view unloads it).
    Print_Dialog(const Workspace& ws, PrintTarget& target, Handler onClose = {});
    // With a preview of the printouts on screen.
    Print_Dialog(const Workspace& ws, PrintTarget& target, PreviewTarget* preview,
                 Handler onClose = {});

    int PrintChoice = kPrintNothing;

    void optPrint_All_Click() { PrintChoice = kPrintAll; }
    void optPrint_Chan_Click() { PrintChoice = kPrintChannels; }
    void optPrint_Config_Click() { PrintChoice = kPrintOptions; }
    void optPrint_Table_Click() { PrintChoice = kPrintTable; }

    // Prints the chosen reports, then closes the window.
    void OKButton_Click();
    // Closes the window without printing.
    void CancelButton_Click();
    // Shows the chosen reports as one copy would print them; the window stays
    // open. Without a choice it asks for one.
    void PreviewButton_Click();

    // Shows the printer dialog and prints `choice` (1 all, 2 channels, 3
    // options, 4 the channel table; anything else prints nothing) once per copy, each copy as a
    // document of its own. Nothing is printed when the dialog is cancelled;
    // failures while printing are ignored.
    void PrintSelection(int choice);

    bool closed() const { return closed_; }

private:
    void close();

    const Workspace& ws_;
    PrintTarget& target_;
    PreviewTarget* preview_ = nullptr;
    Handler onClose_;
    bool closed_ = false;
};

} // namespace kl40
