// The programmer settings file: defaults, what is refused and why, and
// what the chosen programmer's commands come to.

#include "programmer/programmer_settings.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

TEST(ProgrammerSettings, MissingFileMeansDefaultsAndSavedSettingsLoadBack) {
    test::TempFolder folder;
    const std::filesystem::path file = folder.dir() / "kl40" / "programmer.json";
    EXPECT_EQ(std::get<ProgrammerSettings>(LoadProgrammerSettings(file)), ProgrammerSettings{});
    const ProgrammerSettings custom{"Custom", "2716", "", "t -r {file}", "t 'a b' -w {file}", 30};
    ASSERT_EQ(SaveProgrammerSettings(file, custom), std::nullopt);
    EXPECT_EQ(std::get<ProgrammerSettings>(LoadProgrammerSettings(file)), custom);
}

TEST(ProgrammerSettings, BadFilesAreRefusedNamingTheFileAndTheFault) {
    test::TempFolder folder;
    const std::string file = folder.file("programmer.json");
    const struct {
        std::string text;
        std::string reason;
    } cases[] = {
        {"{\"programmer\": ", "not valid JSON: line 1, column 16"},
        {"[]", "must hold one JSON object"},
        {R"({"programer": "minipro"})", "unknown key \"programer\""},
        {R"({"programmer": "TL-9"})",
         "unknown programmer \"TL-9\" (known: \"minipro\", \"Custom\")"},
        {R"({"device_8k": 27})", "\"device_8k\" must be a text"},
        {R"({"time_limit_seconds": 0})",
         "\"time_limit_seconds\" must be a whole number of seconds from 1 to 3600"},
        {R"({"time_limit_seconds": 2.5})",
         "\"time_limit_seconds\" must be a whole number of seconds from 1 to 3600"},
        {R"({"read_command": "tool 'x"})", "\"read_command\": a quote ' is not closed"},
    };
    for (const auto& c : cases) {
        folder.writeText("programmer.json", c.text);
        const auto loaded = LoadProgrammerSettings(file);
        ASSERT_TRUE(std::holds_alternative<std::string>(loaded)) << c.text;
        EXPECT_EQ(std::get<std::string>(loaded).find(file + ": " + c.reason), 0u)
            << std::get<std::string>(loaded);
    }
}

TEST(ProgrammerSettings, ResolvesTheChosenProgrammersCommandsForTheChipSize) {
    using Arguments = std::vector<std::string>;
    ProgrammerSettings settings;
    auto minipro = std::get<ProgrammerCommands>(ResolveProgrammer(settings, 8192, "F"));
    EXPECT_EQ(minipro.device, "27C64@DIP28");
    EXPECT_EQ(minipro.read, (Arguments{"minipro", "-p", "{device}", "-y", "-r", "{file}"}));
    settings.device2k = "AM2716@DIP24";
    EXPECT_EQ(std::get<ProgrammerCommands>(ResolveProgrammer(settings, 2048, "F")).device,
              "AM2716@DIP24");

    settings.programmer = "Custom";
    EXPECT_EQ(std::get<std::string>(ResolveProgrammer(settings, 2048, "F")),
              "the Custom programmer has no \"read_command\": set it in F");
    settings.customRead = "burn --read";
    settings.customWrite = "burn --write {file}";
    EXPECT_EQ(std::get<std::string>(ResolveProgrammer(settings, 2048, "F")),
              "\"read_command\" in F has no {file}: the image file must be passed to the "
              "programmer");
    settings.customRead = "burn --chip {device} --read {file}";
    EXPECT_EQ(std::get<std::string>(ResolveProgrammer(settings, 8192, "F")),
              "no device name for a 8,192-byte EPROM: set \"device_8k\" in F");
    EXPECT_TRUE(std::holds_alternative<ProgrammerCommands>(ResolveProgrammer(settings, 2048, "F")));
}

} // namespace
} // namespace kl40
