#include "formats/channel_clipboard.h"

#include "coding/frequency_code.h"
#include "entry/channel_rules.h"
#include "formats/chirp_csv_read.h"

#include <algorithm>
#include <cstdlib>

namespace kl40 {

namespace {

constexpr std::size_t kTableColumns = kColumnCount + 1; // with the Channel column

constexpr const char* kNoRowsText =
    "The clipboard holds no channel rows: copy rows of the channel table, tab-separated rows "
    "of its columns, or a CSV channel list with its header line.";

// A reason on one line of a report: "A valid frequency must be entered. The ..."
std::string oneLine(std::string text) {
    for (std::size_t at; (at = text.find('\n')) != std::string::npos;)
        text.replace(at, 1, ". ");
    return text;
}

std::vector<std::string> splitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end - start));
        if (end == std::string_view::npos) return parts;
        start = end + 1;
    }
}

PastedRows readTableRows(const std::vector<std::pair<int, std::string>>& lines) {
    PastedRows pasted;
    for (const auto& [line, text] : lines) {
        if (text == kChannelTableHeader && pasted.rows.empty()) continue;
        PastedRow row;
        row.line = line;
        const std::vector<std::string> fields = splitAt(text, '\t');
        if (fields.size() != kTableColumns) {
            row.refusal = "the row has " + std::to_string(fields.size()) +
                          " columns where the table has " + std::to_string(kTableColumns);
        } else {
            // The Channel column is not read: rows land where they are pasted.
            std::copy(fields.begin() + 1, fields.end(), row.cells.begin());
        }
        pasted.rows.push_back(std::move(row));
    }
    return pasted;
}

// A channel read from a CSV list in the table's columns: "+" or "-" with
// its offset when the frequencies differ, as a decoded image gives them.
RowCells cellsOf(const ChannelRecord& record) {
    RowCells cells;
    const auto set = [&cells](Column column, std::string text) {
        cells[static_cast<std::size_t>(column)] = std::move(text);
    };
    const Frequency rx = CheckFrequency(record.rx.value_or("")).value;
    const Frequency tx = CheckFrequency(record.tx.value_or("")).value;
    set(Column::Receive, record.rx.value_or(""));
    set(Column::Transmit, record.tx.value_or(""));
    if (tx != rx) {
        set(Column::Duplex, tx > rx ? "+" : "-");
        set(Column::Offset, FrequencyText(Frequency{std::abs(tx.hundredHz - rx.hundredHz)}));
    }
    set(Column::Ctcss, record.tone);
    set(Column::Scan, record.scan ? "Y" : "N");
    set(Column::Name, record.name);
    set(Column::Comment, record.comment);
    return cells;
}

std::variant<PastedRows, std::string> readCsvRows(std::string_view text) {
    auto read = ReadChirpCsv(text, Locations::Ignored);
    if (const CsvError* error = std::get_if<CsvError>(&read)) return error->message;
    const ChannelImport& list = std::get<ChannelImport>(read);
    PastedRows pasted;
    for (const ImportedChannel& channel : list.channels)
        pasted.rows.push_back({channel.row.line, cellsOf(channel.channel), {}, {}});
    for (const RowRemark& remark : list.report.rows) {
        if (remark.kind == RowRemark::Kind::Refused) {
            pasted.rows.push_back({remark.row.line, {}, remark.reason, {}});
            continue;
        }
        for (PastedRow& row : pasted.rows)
            if (row.line == remark.row.line) row.changes.push_back(remark.reason);
    }
    // Every data row gave one channel or one refusal: in line order they are
    // the rows in text order.
    std::stable_sort(pasted.rows.begin(), pasted.rows.end(),
                     [](const PastedRow& a, const PastedRow& b) { return a.line < b.line; });
    pasted.notes = list.report.notes;
    return pasted;
}

} // namespace

std::string CopyChannelRows(const Radio& radio, const ChannelSelection& rows) {
    std::string text = std::string(kChannelTableHeader) + "\n";
    for (int n : rows) {
        if (n < 1 || n > kHighestChannel) continue;
        const std::optional<Channel>& channel = radio.channels[static_cast<std::size_t>(n)];
        text += std::to_string(n);
        for (std::size_t column = 0; column < kColumnCount; ++column)
            text += "\t" + (channel ? CellText(*channel, static_cast<Column>(column)) : "");
        text += "\n";
    }
    return text;
}

std::variant<PastedRows, std::string> ReadPastedRows(std::string_view text) {
    std::vector<std::pair<int, std::string>> lines;
    int number = 0;
    for (std::string line : splitAt(text, '\n')) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(' ') != std::string::npos) lines.emplace_back(number, line);
    }
    if (lines.empty()) return std::string(kNoRowsText);
    // Table rows are tab-separated; a first line without a tab is a CSV header.
    if (lines.front().second.find('\t') != std::string::npos) return readTableRows(lines);
    auto csv = readCsvRows(text);
    if (const std::string* error = std::get_if<std::string>(&csv))
        return std::string(kNoRowsText) + "\n" + *error;
    return csv;
}

TableOutcome PasteChannelRows(const Radio& radio, int first, std::string_view text,
                              Frequency defaultOffset) {
    if (first < 1 || first > kHighestChannel) return TableRefusal{kChannelNumberRefusal};
    auto read = ReadPastedRows(text);
    if (const std::string* error = std::get_if<std::string>(&read)) return TableRefusal{*error};
    const PastedRows& pasted = std::get<PastedRows>(read);
    if (pasted.rows.empty()) return TableRefusal{kNoRowsText};
    const int count = static_cast<int>(pasted.rows.size());
    if (first + count - 1 > kHighestChannel)
        return TableRefusal{std::to_string(count) + " rows pasted at channel " +
                            std::to_string(first) +
                            " would run past channel 99: nothing was pasted."};

    TableChange change{radio, {}};
    int landed = 0;
    for (int i = 0; i < count; ++i) {
        const PastedRow& row = pasted.rows[static_cast<std::size_t>(i)];
        const std::string where = "Line " + std::to_string(row.line) + ": ";
        if (!row.refusal.empty()) {
            change.notes.push_back(where + "refused: " + oneLine(row.refusal));
            continue;
        }
        const RowEntry entry = EnterRow(change.radio, first + i, row.cells, defaultOffset);
        if (!entry.taken) {
            change.notes.push_back(where + "refused: " + oneLine(entry.refusal));
            continue;
        }
        ++landed;
        for (const std::vector<std::string>* told : {&row.changes, &entry.notes})
            for (const std::string& note : *told)
                change.notes.push_back(where + oneLine(note));
    }
    change.notes.insert(change.notes.end(), pasted.notes.begin(), pasted.notes.end());
    if (landed == 0) {
        std::string reason = "No row was pasted.";
        for (const std::string& note : change.notes)
            reason += "\n" + note;
        return TableRefusal{reason};
    }
    return change;
}

} // namespace kl40
