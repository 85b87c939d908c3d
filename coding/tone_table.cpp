#include "coding/tone_table.h"

#include "core/hex_text.h"

#include <array>
#include <string>
#include <string_view>

namespace kl40 {

// Codes fall by 2 per row; "34" belongs to no tone.
const std::array<ToneRow, kToneCount> ToneTable{{
    {"none ", "none", "00"},  {"71.9 ", "71.9", "3E"},  {"77.0 ", "77.0", "3C"},
    {"82.5 ", "82.5", "3A"},  {"88.5 ", "88.5", "38"},  {"94.8 ", "94.8", "36"},
    {"103.5", "103.5", "32"}, {"107.2", "107.2", "30"}, {"110.9", "110.9", "2E"},
    {"114.8", "114.8", "2C"}, {"118.8", "118.8", "2A"}, {"123.0", "123.0", "28"},
    {"127.3", "127.3", "26"}, {"131.8", "131.8", "24"}, {"136.5", "136.5", "22"},
    {"141.3", "141.3", "20"}, {"146.2", "146.2", "1E"}, {"151.4", "151.4", "1C"},
    {"156.7", "156.7", "1A"}, {"162.2", "162.2", "18"}, {"167.9", "167.9", "16"},
    {"173.8", "173.8", "14"}, {"179.9", "179.9", "12"}, {"186.2", "186.2", "10"},
    {"192.8", "192.8", "0E"}, {"203.5", "203.5", "0C"}, {"210.7", "210.7", "0A"},
    {"218.1", "218.1", "08"}, {"225.7", "225.7", "06"}, {"233.6", "233.6", "04"},
    {"241.8", "241.8", "02"},
}};

namespace {

void trimBlanks(std::string& text) {
    if (!text.empty() && text.front() != ' ' && text.back() != ' ') return;
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    const std::size_t last = text.find_last_not_of(' ');
    text.erase(last + 1);
    text.erase(0, first);
}

// A decimal number in tenths ("88.5" and "88.50" are 885); nothing for other
// text or a value with hundredths.
std::optional<int> tenths(std::string_view text) {
    int value = 0;
    std::size_t k = 0;
    for (; k < text.size() && k < 4 && text[k] >= '0' && text[k] <= '9'; ++k)
        value = value * 10 + (text[k] - '0');
    if (k == 0) return std::nullopt;
    value *= 10;
    if (k < text.size() && text[k] == '.') {
        ++k;
        if (k < text.size() && text[k] >= '0' && text[k] <= '9') value += text[k++] - '0';
        while (k < text.size() && text[k] == '0')
            ++k;
    }
    if (k != text.size()) return std::nullopt;
    return value;
}

// The tone of each row in tenths (row 0, "none", has none).
const std::array<int, kToneCount>& tenthsOfRows() {
    static const auto rows = [] {
        std::array<int, kToneCount> values{};
        for (std::size_t row = 1; row < ToneTable.size(); ++row)
            values[row] = tenths(ToneTable[row].toneText).value_or(-1);
        return values;
    }();
    return rows;
}

// Position of the row whose tone text is `tone`, or 0 ("none") when none is.
// The row is found by the tone's value, then the text compared once: a tone
// written otherwise ("88.50") is no row's text.
std::size_t rowOfTone(std::string_view tone) {
    const std::optional<int> value = tenths(tone);
    if (!value) return 0;
    const std::array<int, kToneCount>& rows = tenthsOfRows();
    for (std::size_t row = 1; row < rows.size(); ++row)
        if (rows[row] == *value) return tone == ToneTable[row].toneText ? row : 0;
    return 0;
}

} // namespace

std::int16_t ToneIndex(std::string& tone) {
    trimBlanks(tone);
    return static_cast<std::int16_t>(rowOfTone(tone));
}

std::optional<std::size_t> TypedToneRow(std::string_view typed) {
    const std::size_t first = typed.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    typed = typed.substr(first, typed.find_last_not_of(' ') + 1 - first);
    if (typed == ToneTable[0].toneText) return 0;
    const std::optional<int> wanted = tenths(typed);
    if (!wanted) return std::nullopt;
    const std::array<int, kToneCount>& rows = tenthsOfRows();
    for (std::size_t row = 1; row < rows.size(); ++row)
        if (rows[row] == *wanted) return row;
    return std::nullopt;
}

std::string UnlistedToneText(std::string_view tone) {
    return std::string(tone) + " Hz is not one of the radio's CTCSS tones";
}

std::uint8_t ToneCodeByte(int row) {
    if (row <= 0 || row >= kToneCount) return 0;
    const char* code = ToneTable[static_cast<std::size_t>(row)].code;
    return static_cast<std::uint8_t>(HexDigitValue(code[0]) * 16 + HexDigitValue(code[1]));
}

int ToneRowOfCode(std::uint8_t code) {
    // The first row whose code answers, as ToneFromCode finds it.
    static const auto rowsByHalfCode = [] {
        std::array<std::uint8_t, 128> rows{};
        for (int row = kToneCount - 1; row >= 0; --row)
            rows[ToneCodeByte(row) / 2] = static_cast<std::uint8_t>(row);
        return rows;
    }();
    return rowsByHalfCode[code / 2];
}

} // namespace kl40
