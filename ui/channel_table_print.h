#pragma once
// The channel table on paper: every used channel as a row with the table's
// columns, names and comments included. Each page carries the file name and
// the date at the top and "Page n of m" at the foot. Columns are sized to
// their widest cell so that no frequency is ever cut; a name or comment too
// long for its column wraps onto further lines of its row.

#include "core/radio.h"
#include "ui/printer.h"

#include <string>

namespace kl40 {

inline constexpr const char* kTableReportFont = "Courier New";
// What the page header names when the radio was never saved.
inline constexpr const char* kUnsavedFileTitle = "Untitled";

// Lays the table out on `printer` page by page; does not end the document.
// `fileTitle` and `date` are printed as given.
void PrintChannelTable(Printer& printer, const Radio& radio, const std::string& fileTitle,
                       const std::string& date);

// The file name (without its folder) of `path`, or kUnsavedFileTitle for "".
std::string FileTitleOf(const std::string& path);
// Today's date as the page header shows it ("2024-03-01").
std::string TodayText();

} // namespace kl40
