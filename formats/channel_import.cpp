#include "formats/channel_import.h"

#include <algorithm>

namespace kl40 {

namespace {

// A Location as the report shows it: a long or odd cell is cut short.
std::string shownLocation(const std::string& location) {
    constexpr std::size_t kLongest = 12;
    if (location.empty()) return "no Location";
    if (location.size() <= kLongest) return "Location " + location;
    std::size_t cut = kLongest;
    while (cut > 0 && (static_cast<unsigned char>(location[cut]) & 0xC0) == 0x80)
        --cut; // not inside a UTF-8 sequence
    return "Location " + location.substr(0, cut) + "...";
}

} // namespace

void ImportReport::refuse(const FileRow& row, std::string reason) {
    rows.push_back({row, RowRemark::Kind::Refused, std::move(reason)});
}

void ImportReport::change(const FileRow& row, std::string what) {
    rows.push_back({row, RowRemark::Kind::Changed, std::move(what)});
}

std::string FormatImportReport(const ImportReport& report, std::size_t imported) {
    std::string text =
        std::to_string(imported) + (imported == 1 ? " channel" : " channels") + " imported.\n";
    std::vector<const RowRemark*> rows;
    for (const RowRemark& remark : report.rows)
        rows.push_back(&remark);
    std::stable_sort(rows.begin(), rows.end(), [](const RowRemark* a, const RowRemark* b) {
        return a->row.line < b->row.line;
    });
    for (const RowRemark* remark : rows) {
        text += "Line " + std::to_string(remark->row.line) + " (" +
                shownLocation(remark->row.location) + "): ";
        if (remark->kind == RowRemark::Kind::Refused) text += "refused: ";
        text += remark->reason + ".\n";
    }
    for (const std::string& note : report.notes)
        text += note + "\n";
    return text;
}

} // namespace kl40
