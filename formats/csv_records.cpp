#include "formats/csv_records.h"

#include <cstddef>

namespace kl40 {

namespace {

// Length of the UTF-8 sequence at `text[i]`, or 0 when none starts there.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80; // the allowed range of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;  // no overlong forms
        if (lead == 0xED) high = 0x9F; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F; // nothing above U+10FFFF
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

CsvError errorAt(int line, const char* what) {
    return CsvError{"Line " + std::to_string(line) + ": " + what};
}

} // namespace

std::variant<std::vector<CsvRecord>, CsvError> ReadCsvRecords(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    int line = 1;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\0') return errorAt(line, "the file holds a NUL byte.");
        if (text[i] == '\n') ++line;
        const std::size_t length = utf8Length(text, i);
        if (length == 0) return errorAt(line, "the text is not UTF-8.");
        i += length;
    }

    std::vector<CsvRecord> records;
    line = 1;
    std::size_t i = 0;
    const auto atLineEnd = [&] { return i == text.size() || text[i] == '\n' || text[i] == '\r'; };
    const auto skipLineEnd = [&] {
        if (i < text.size() && text[i] == '\r') ++i;
        if (i < text.size() && text[i] == '\n') ++i;
        ++line;
    };
    while (i < text.size()) {
        if (atLineEnd()) { // an empty line
            skipLineEnd();
            continue;
        }
        CsvRecord record{line, {}};
        for (;;) {
            std::string field;
            if (i < text.size() && text[i] == '"') {
                const int opened = line;
                for (++i;; ++i) {
                    if (i == text.size()) return errorAt(opened, "a quoted field is not closed.");
                    if (text[i] == '"') {
                        if (i + 1 < text.size() && text[i + 1] == '"') {
                            field += '"';
                            ++i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    // A line break inside quotes is kept as it is; CRLF counts once.
                    if (text[i] == '\n' || (text[i] == '\r' && !text.substr(i).starts_with("\r\n")))
                        ++line;
                    field += text[i];
                }
                if (!atLineEnd() && text[i] != ',')
                    return errorAt(line, "a quoted field goes on after its closing quote.");
            } else {
                for (; !atLineEnd() && text[i] != ','; ++i) {
                    if (text[i] == '"') return errorAt(line, "a quote inside an unquoted field.");
                    field += text[i];
                }
            }
            record.fields.push_back(std::move(field));
            if (atLineEnd()) break;
            ++i; // the comma
        }
        records.push_back(std::move(record));
        if (i < text.size()) skipLineEnd();
    }
    return records;
}

} // namespace kl40
