// Splitting a programmer's command template into arguments, and the command
// text of messages, checked against the shell itself.

#include "programmer/command_line.h"
#include "programmer/tool_run.h"

#include <gtest/gtest.h>

#include <random>

namespace kl40 {
namespace {

using Arguments = std::vector<std::string>;

TEST(CommandLine, SplitsAsDocumented) {
    const struct {
        std::string text;
        std::variant<Arguments, std::string> expected;
    } cases[] = {
        {"minipro -p {device}  -r\t{file}", Arguments{"minipro", "-p", "{device}", "-r", "{file}"}},
        {R"(tool "a b" 'c d' e\ f)", Arguments{"tool", "a b", "c d", "e f"}},
        {R"(tool "q\"b\\s\d" 'x\y')", Arguments{"tool", R"(q"b\s\d)", R"(x\y)"}},
        {R"(tool -p"27C64 x"'y' '' "")", Arguments{"tool", "-p27C64 xy", "", ""}},
        {"tool 'open", std::string("a quote ' is not closed")},
        {"tool \"open", std::string("a quote \" is not closed")},
        {"tool end\\", std::string("the command ends in a lone backslash")},
        {"  \t ", std::string("no command")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitCommandLine(c.text), c.expected) << c.text;
}

TEST(CommandLine, FillsPlaceholdersInsideArgumentsOnce) {
    EXPECT_EQ(FillCommandLine({"t", "-p{device}", "{file}", "--out={file}"}, "A {file} B", "/x y"),
              (Arguments{"t", "-pA {file} B", "/x y", "--out=/x y"}));
}

// The text of any arguments splits back into them, and /bin/sh reads it the
// same way.
TEST(CommandLine, CommandTextSplitsBackAsTheShellReadsIt) {
    std::mt19937 random(40);
    const std::string alphabet = "ab09 -_./@'\"\\$`*?{}~#;&|<>()\t";
    for (int round = 0; round < 25; ++round) {
        Arguments arguments;
        for (int count = 1 + static_cast<int>(random() % 4); count > 0; --count) {
            std::string argument;
            for (int length = static_cast<int>(random() % 6); length > 0; --length)
                argument += alphabet[random() % alphabet.size()];
            arguments.push_back(argument);
        }
        const std::string text = CommandLineText(arguments);
        EXPECT_EQ(SplitCommandLine(text), (std::variant<Arguments, std::string>(arguments)))
            << text;

        Arguments printed;
        ToolRun run{{"/bin/sh", "-c", "for a in " + text + "; do printf '[%s]\\n' \"$a\"; done"},
                    std::chrono::seconds(10),
                    [&printed](const std::string& line) { printed.push_back(line); },
                    {}};
        ASSERT_TRUE(RunTool(run).succeeded()) << text;
        Arguments bracketed;
        for (const std::string& argument : arguments)
            bracketed.push_back("[" + argument + "]");
        EXPECT_EQ(printed, bracketed) << text;
    }
}

} // namespace
} // namespace kl40
