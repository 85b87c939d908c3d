#pragma once
// Splitting CSV text into records of fields: comma-separated, fields with
// commas, quotes or line breaks quoted with '"' (a quote inside doubled),
// records ended by CRLF, LF or CR. Strict: a stray quote is an error, not
// guessed at.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kl40 {

struct CsvRecord {
    int line = 0; // the text line the record starts on, from 1
    std::vector<std::string> fields;
};

struct CsvError {
    std::string message; // names the line: "Line 4: a quoted field is not closed."
};

// The records of `text`, UTF-8 with or without a byte-order mark. Empty lines
// make no record. An error for text that is not UTF-8, holds a NUL byte, or
// quotes a field wrongly.
std::variant<std::vector<CsvRecord>, CsvError> ReadCsvRecords(std::string_view text);

} // namespace kl40
