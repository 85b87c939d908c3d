#include "programmer/programmer_table.h"

namespace kl40 {

const std::vector<ProgrammerRow>& Programmers() {
    // minipro: -y goes on past a chip ID that does not match, as the NMOS
    // 2716 and 2764 have no ID to read; the size of the file is checked (the
    // default), and a write is verified by the tool as well as by kl40. No
    // blank check: kl40 reads the chip first and only refuses bytes that
    // need a bit set, so a chip can take an image over compatible contents.
    static const std::vector<ProgrammerRow> rows{
        {"minipro", "minipro -p {device} -y -r {file}", "minipro -p {device} -y -w {file}",
         "M2716@DIP24", "27C64@DIP28"},
        {std::string(kCustomProgrammer), "", "", "", ""},
    };
    return rows;
}

std::vector<std::string> ProgrammerNames() {
    std::vector<std::string> names;
    for (const ProgrammerRow& row : Programmers())
        names.push_back(row.name);
    return names;
}

std::optional<ProgrammerRow> FindProgrammer(std::string_view name) {
    for (const ProgrammerRow& row : Programmers())
        if (row.name == name) return row;
    return std::nullopt;
}

} // namespace kl40
