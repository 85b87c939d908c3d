#include "ui/channel_table_print.h"

#include "entry/cell_edit.h"
#include "ui/channel_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <string_view>
#include <vector>

namespace kl40 {

namespace {

// Page layout, in twips and points.
constexpr double kMargin = 720;
constexpr double kRuleHeight = 20;
constexpr std::array<double, 5> kFontSizes = {10, 9, 8, 7, 6};
// Columns up to Scan hold short values and are never narrower than their widest cell.
constexpr int kFixedColumns = TableColumn(Column::Name);
constexpr int kNameColumn = TableColumn(Column::Name);
constexpr int kCommentColumn = TableColumn(Column::Comment);
// The mark at the end of a cell shortened to fit on a page.
constexpr const char* kShortenedMark = "...";

double pitchOf(double points) {
    return points * 24; // one and a fifth of the font size
}

bool rightAligned(int column) {
    return column == kNumberColumn || column == kReceiveColumn ||
           column == TableColumn(Column::Transmit) || column == TableColumn(Column::Offset) ||
           column == TableColumn(Column::Ctcss);
}

// Where the code point after the one at `at` starts (UTF-8).
std::size_t nextCodePoint(std::string_view text, std::size_t at) {
    ++at;
    while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80)
        ++at;
    return at;
}

double widthOf(const Printer& printer, std::string_view text) {
    return printer.textWidth(std::string(text));
}

// The longest start of `text` that fits in `width`, at least one code point.
std::size_t fittingPrefix(const Printer& printer, std::string_view text, double width) {
    std::size_t cut = nextCodePoint(text, 0);
    while (cut < text.size()) {
        const std::size_t next = nextCodePoint(text, cut);
        if (widthOf(printer, text.substr(0, next)) > width) break;
        cut = next;
    }
    return cut;
}

std::vector<std::string_view> wordsOf(std::string_view text) {
    std::vector<std::string_view> words;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        words.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return words;
}

// `text` in lines no wider than `width`: broken at spaces, and inside a word
// only where the word alone is wider.
std::vector<std::string> wrapped(const Printer& printer, std::string_view text, double width) {
    std::vector<std::string> lines;
    std::string line;
    for (std::string_view word : wordsOf(text)) {
        const std::string joined =
            line.empty() ? std::string(word) : line + " " + std::string(word);
        if (widthOf(printer, joined) <= width) {
            line = joined;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        while (word.size() > 1 && widthOf(printer, word) > width) {
            const std::size_t cut = fittingPrefix(printer, word, width);
            if (cut >= word.size()) break;
            lines.emplace_back(word.substr(0, cut));
            word.remove_prefix(cut);
        }
        line = std::string(word);
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

// Keeps the first `count` lines; a cut is marked at the end of the last one.
void shorten(const Printer& printer, std::vector<std::string>& lines, std::size_t count,
             double width) {
    if (lines.size() <= count) return;
    lines.resize(count);
    std::string& last = lines.back();
    while (!last.empty() && widthOf(printer, last + kShortenedMark) > width) {
        std::size_t start = last.size() - 1;
        while (start > 0 && (static_cast<unsigned char>(last[start]) & 0xC0) == 0x80)
            --start;
        last.erase(start);
    }
    last += kShortenedMark;
}

struct Columns {
    double size = kFontSizes.back();
    std::array<double, kTableColumnCount> x{};
    std::array<double, kTableColumnCount> width{};
};

using Cells = std::array<std::string, kTableColumnCount>;

struct Row {
    std::array<std::vector<std::string>, kTableColumnCount> lines;
    std::size_t height = 1;
};

// The widest of the column's heading words (bold) and cells (regular).
double naturalWidth(Printer& printer, const std::vector<Cells>& cells, int column) {
    const auto c = static_cast<std::size_t>(column);
    printer.setFontBold(true);
    double widest = 0;
    const std::string title = ColumnTitle(column); // the words below point into it
    for (std::string_view word : wordsOf(title))
        widest = std::max(widest, widthOf(printer, word));
    printer.setFontBold(false);
    for (const Cells& row : cells)
        widest = std::max(widest, widthOf(printer, row[c]));
    return widest;
}

// The column sizes at the largest font that leaves names and comments some
// room; the fixed columns always get their widest cell.
Columns columnsFor(Printer& printer, const std::vector<Cells>& cells) {
    Columns columns;
    for (const double size : kFontSizes) {
        printer.setFontSize(size);
        columns.size = size;
        const double gap = widthOf(printer, "  ");
        const double least = widthOf(printer, "MMMMMMMM");
        double used = gap * (kTableColumnCount - 1);
        for (int c = 0; c < kFixedColumns; ++c) {
            columns.width[static_cast<std::size_t>(c)] = naturalWidth(printer, cells, c);
            used += columns.width[static_cast<std::size_t>(c)];
        }
        const double room = printer.pageWidth() - 2 * kMargin - used;
        const double name = std::max(least, naturalWidth(printer, cells, kNameColumn));
        const double comment = std::max(least, naturalWidth(printer, cells, kCommentColumn));
        const double nameWidth = std::min(name, std::max(room - comment, room / 2));
        columns.width[kNameColumn] = std::max(0.0, nameWidth);
        columns.width[kCommentColumn] = std::max(0.0, room - nameWidth);
        double x = kMargin;
        for (std::size_t c = 0; c < kTableColumnCount; ++c) {
            columns.x[c] = x;
            x += columns.width[c] + gap;
        }
        if (room >= 2 * least) break;
    }
    return columns;
}

void printAt(Printer& printer, double x, double y, const std::string& text) {
    if (text.empty()) return;
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.print(text, false);
}

class TablePages {
public:
    TablePages(Printer& printer, const Radio& radio, std::string fileTitle, std::string date)
        : printer_(printer), fileTitle_(std::move(fileTitle)), date_(std::move(date)) {
        std::vector<Cells> cells;
        for (int n = 1; n <= kHighestChannel; ++n)
            if (const auto& channel = radio.channels[static_cast<std::size_t>(n)]) {
                Cells& row = cells.emplace_back();
                row[kNumberColumn] = std::to_string(n);
                for (int c = kReceiveColumn; c < kTableColumnCount; ++c)
                    row[static_cast<std::size_t>(c)] = CellText(*channel, CellColumn(c));
            }
        columns_ = columnsFor(printer_, cells);
        pitch_ = pitchOf(columns_.size);
        printer_.setFontBold(true);
        for (std::size_t c = 0; c < kTableColumnCount; ++c) {
            headings_[c] = wrapped(printer_, ColumnTitle(static_cast<int>(c)), columns_.width[c]);
            headingLines_ = std::max(headingLines_, headings_[c].size());
        }
        printer_.setFontBold(false);
        const double rowSpace = footerY() - pitch_ - rowsTop();
        linesPerPage_ = std::max<std::size_t>(1, static_cast<std::size_t>(rowSpace / pitch_));
        for (const Cells& text : cells)
            rows_.push_back(rowOf(text));
    }

    void print() {
        // Rows go on a page while they fit; a row never splits.
        std::vector<std::pair<std::size_t, std::size_t>> pages; // first row, end
        std::size_t first = 0;
        std::size_t lines = 0;
        for (std::size_t r = 0; r < rows_.size(); ++r) {
            if (lines > 0 && lines + rows_[r].height > linesPerPage_) {
                pages.emplace_back(first, r);
                first = r;
                lines = 0;
            }
            lines += rows_[r].height;
        }
        pages.emplace_back(first, rows_.size());
        for (std::size_t page = 0; page < pages.size(); ++page) {
            if (page > 0) printer_.newPage();
            printPage(page + 1, pages.size(), pages[page].first, pages[page].second);
        }
    }

private:
    double headingsTop() const { return kMargin + 2 * pitch_; }
    double ruleY() const {
        return headingsTop() + static_cast<double>(headingLines_) * pitch_ + pitch_ / 4;
    }
    double rowsTop() const {
        return headingsTop() + static_cast<double>(headingLines_ + 1) * pitch_;
    }
    double footerY() const { return printer_.pageHeight() - kMargin - pitch_; }

    Row rowOf(const Cells& text) {
        Row row;
        for (std::size_t c = 0; c < kTableColumnCount; ++c) {
            if (static_cast<int>(c) < kFixedColumns) {
                row.lines[c] = {text[c]};
                continue;
            }
            row.lines[c] = wrapped(printer_, text[c], columns_.width[c]);
            shorten(printer_, row.lines[c], linesPerPage_, columns_.width[c]);
            row.height = std::max(row.height, row.lines[c].size());
        }
        return row;
    }

    void printCell(std::size_t column, double y, const std::string& text) {
        const double x = rightAligned(static_cast<int>(column))
                             ? columns_.x[column] + columns_.width[column] - widthOf(printer_, text)
                             : columns_.x[column];
        printAt(printer_, x, y, text);
    }

    void printPage(std::size_t number, std::size_t count, std::size_t first, std::size_t end) {
        printer_.setFontName(kTableReportFont);
        printer_.setFontSize(columns_.size);
        printer_.setFontBold(true);
        printAt(printer_, kMargin, kMargin, fileTitle_);
        printAt(printer_, printer_.pageWidth() - kMargin - widthOf(printer_, date_), kMargin,
                date_);
        for (std::size_t c = 0; c < kTableColumnCount; ++c)
            for (std::size_t line = 0; line < headings_[c].size(); ++line)
                printCell(c, headingsTop() + static_cast<double>(line) * pitch_,
                          headings_[c][line]);
        printer_.drawBox(kMargin, ruleY(), printer_.pageWidth() - kMargin, ruleY() + kRuleHeight,
                         0x000000);
        printer_.setFontBold(false);
        double y = rowsTop();
        for (std::size_t r = first; r < end; ++r) {
            for (std::size_t c = 0; c < kTableColumnCount; ++c)
                for (std::size_t line = 0; line < rows_[r].lines[c].size(); ++line)
                    printCell(c, y + static_cast<double>(line) * pitch_, rows_[r].lines[c][line]);
            y += static_cast<double>(rows_[r].height) * pitch_;
        }
        const std::string footer =
            "Page " + std::to_string(number) + " of " + std::to_string(count);
        printAt(printer_, (printer_.pageWidth() - widthOf(printer_, footer)) / 2, footerY(),
                footer);
    }

    Printer& printer_;
    std::string fileTitle_;
    std::string date_;
    Columns columns_;
    double pitch_ = 0;
    std::array<std::vector<std::string>, kTableColumnCount> headings_;
    std::size_t headingLines_ = 1;
    std::size_t linesPerPage_ = 1;
    std::vector<Row> rows_;
};

} // namespace

void PrintChannelTable(Printer& printer, const Radio& radio, const std::string& fileTitle,
                       const std::string& date) {
    printer.setFontName(kTableReportFont);
    printer.setFontBold(false);
    TablePages(printer, radio, fileTitle, date).print();
}

std::string FileTitleOf(const std::string& path) {
    if (path.empty()) return kUnsavedFileTitle;
    return std::filesystem::path(path).filename().string();
}

std::string TodayText() {
    const std::time_t now = std::time(nullptr);
    char text[16] = {};
    // Called from the window's thread only: the shared result of localtime is safe here.
    if (const std::tm* local = std::localtime(&now))
        std::strftime(text, sizeof text, "%Y-%m-%d", local);
    return text;
}

} // namespace kl40
