#pragma once
// The print selection window "Printout Selection" and the two reports it
// prints: the channel list and the options report "Radio Configuration".
// The reports read the radio data set and the entry form's fields and change
// nothing.

#include "core/fields.h"
#include "core/radio_data.h"
#include "ui/printer.h"

#include <string>
#include <string_view>

namespace kl40 {

inline constexpr const char* kPrintDialogCaption = "Printout Selection";
inline constexpr const char* kPrintDialogLabel = "Available Printouts";
inline constexpr const char* kPrintAllCaption = "Print All";
inline constexpr const char* kPrintChannelsCaption = "Print Channels only";
inline constexpr const char* kPrintOptionsCaption = "Print Options only";
inline constexpr const char* kPreviewCaption = "Preview...";
inline constexpr const char* kChooseToPreviewText = "Choose a printout to preview.";

inline constexpr const char* kReportFont = "Courier New";
inline constexpr const char* kChannelListTitle = "KL40c Channel List";
inline constexpr const char* kOptionsReportTitle = "Radio Configuration";

// Values of `PrintChoice`.
enum PrintChoiceValue : int {
    kPrintNothing = 0,
    kPrintAll = 1,
    kPrintChannels = 2,
    kPrintOptions = 3,
};

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

    // Prints the chosen reports, then closes the window.
    void OKButton_Click();
    // Closes the window without printing.
    void CancelButton_Click();
    // Shows the chosen reports as one copy would print them; the window stays
    // open. Without a choice it asks for one.
    void PreviewButton_Click();

    // Shows the printer dialog and prints `choice` (1 all, 2 channels, 3
    // options; anything else prints nothing) once per copy, each copy as a
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

// One document of the reports of `choice` (1 all, 2 channels, 3 options),
// laid out on `device` and ended: what one copy prints and the preview shows.
// Failures of the device skip only the call that failed.
void PrintDocument(Printer& device, int choice, const Workspace& ws);

// The channel list heading: three blank lines, the centred bold title, the
// column headings and the rule. Starts near the top of the page.
void PrintChannelListHeader(Printer& printer);

// One line per stored channel from 0 up to the channel count. Before the first
// channel above 50 the page breaks once and the heading is repeated.
void PrintChannelLines(Printer& printer, const RadioData& data);

// The printed line of a channel entry: channel number, receive and transmit
// MHz with all four decimals, tone and scan flag, separated by tabs that put every
// column under its heading whether the channel number has one or two digits.
std::string FormatPrintLine(std::string_view entry);

// The options report: centred bold title, rule, and twelve rows of label and
// value read from the entry form: the model it describes, then the time-out
// list and the option boxes.
void PrintOptionsReport(Printer& printer, const EntryFields& form);

// The horizontal position that centres `text` on the page in the current
// font: (page width - text width) rounded half to even, then halved with the
// remainder dropped.
double CentredX(const Printer& printer, const std::string& text);

} // namespace kl40
