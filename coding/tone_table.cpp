#include "coding/tone_table.h"

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
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        text.clear();
        return;
    }
    const std::size_t last = text.find_last_not_of(' ');
    text = text.substr(first, last - first + 1);
}

// Position of the row whose tone text is `tone`, or 0 ("none") when none is.
std::size_t rowOfTone(const std::string& tone) {
    for (std::size_t i = 0; i < ToneTable.size(); ++i)
        if (tone == ToneTable[i].toneText) return i;
    return 0;
}

} // namespace

void FillToneList(ComboBox& cboCTCSS) {
    cboCTCSS.clear();
    for (const ToneRow& row : ToneTable)
        cboCTCSS.addItem(row.listText);
    cboCTCSS.setListIndex(0);
}

std::int16_t ToneIndex(std::string& tone) {
    trimBlanks(tone);
    return static_cast<std::int16_t>(rowOfTone(tone));
}

std::string ToneCode(std::string& tone) {
    trimBlanks(tone);
    return ToneTable[rowOfTone(tone)].code;
}

std::string ToneFromCode(std::string& code) {
    trimBlanks(code);
    // Bit 0 of the tone byte belongs to the frequency, so a row answers to its
    // even code and to that code with bit 0 set.
    for (const ToneRow& row : ToneTable) {
        const std::string_view even = row.code;
        if (code.size() != 2 || code[0] != even[0]) continue;
        // Even last digits are 0-8 and A-E, so the next character is the odd digit.
        const char odd = static_cast<char>(even[1] + 1);
        if (code[1] == even[1] || code[1] == odd) return row.toneText;
    }
    return "none";
}

} // namespace kl40
