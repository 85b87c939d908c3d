#pragma once
// The two reports of the print selection window: the channel list and the
// options report "Radio Configuration". They read the radio data set and the
// entry form's fields and change nothing.

#include "core/radio.h"
#include "ui/form/fields.h"
#include "ui/form/workspace.h"
#include "ui/printer.h"

#include <string>
#include <string_view>

namespace kl40 {

inline constexpr const char* kReportFont = "Courier New";
inline constexpr const char* kChannelListTitle = "KL40c Channel List";
inline constexpr const char* kOptionsReportTitle = "Radio Configuration";

// Values of `PrintChoice`.
enum PrintChoiceValue : int {
    kPrintNothing = 0,
    kPrintAll = 1,
    kPrintChannels = 2,
    kPrintOptions = 3,
    kPrintTable = 4, // the channel table with names and comments
};

inline bool IsPrintChoice(int choice) {
    return choice >= kPrintAll && choice <= kPrintTable;
}

// One document of the reports of `choice` (1 all, 2 channels, 3 options, 4
// the channel table dated `date`), laid out on `device` and ended: what one
// copy prints and the preview shows.
// Failures of the device skip only the call that failed.
void PrintDocument(Printer& device, int choice, const Workspace& ws, const std::string& date = {});

// The channel list heading: three blank lines, the centred bold title, the
// column headings and the rule. Starts near the top of the page.
void PrintChannelListHeader(Printer& printer);

// One line per stored channel from 0 up to the channel count. Before the first
// channel above 50 the page breaks once and the heading is repeated.
void PrintChannelLines(Printer& printer, const RadioData& data);

// The printed line of channel `n`: channel number, receive and transmit MHz
// with all four decimals, tone and scan flag, separated by tabs that put every
// column under its heading whether the channel number has one or two digits.
std::string FormatPrintLine(int n, const Channel& channel);

// The options report: centred bold title, rule, and twelve rows of label and
// value read from the entry form: the model it describes, then the time-out
// list and the option boxes.
void PrintOptionsReport(Printer& printer, const EntryFields& form);

// The horizontal position that centres `text` on the page in the current
// font: (page width - text width) rounded half to even, then halved with the
// remainder dropped.
double CentredX(const Printer& printer, const std::string& text);

} // namespace kl40
