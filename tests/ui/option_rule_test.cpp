// The option rule against the form that must follow it: the handlers, clicked
// in any order, reach exactly the option sets the rule accepts, and the greyed
// boxes are the rule's, however the form got its ticks.

#include "coding/options.h"
#include "core/option_rules.h"
#include "image/image_build.h"
#include "support/loaded_form.h"
#include "support/temp_folder.h"
#include "ui/flows/flows.h"
#include "ui/flows/form_image.h"
#include "ui/form/option_boxes.h"
#include "ui/form/radio_snapshot.h"

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <set>
#include <vector>

namespace kl40 {
namespace {

OptionSet enabledBoxes(const EntryFields& form) {
    OptionSet enabled;
    for (const RadioOption& option : RadioOptions())
        enabled[OptionIndex(option)] = BoxOf(form, OptionIndex(option)).enabled();
    return enabled;
}

// A fresh form of the model at list position `model`, after the operator's clicks.
std::unique_ptr<test::LoadedForm> clicked(int model, const std::vector<std::size_t>& clicks) {
    auto form = std::make_unique<test::LoadedForm>();
    form->chooseModel(model);
    for (std::size_t box : clicks)
        BoxOf(form->ws.form, box).click();
    return form;
}

TEST(OptionRule, TheFormReachesExactlyTheAcceptedSetsAndGreysByTheRule) {
    for (int m = 0; m < static_cast<int>(RadioModels().size()); ++m) {
        const RadioModel& model = RadioModels()[static_cast<std::size_t>(m)];
        std::size_t accepted = 0;
        for (unsigned long bits = 0; bits < (1ul << kOptionCount); ++bits)
            accepted += !OptionConflict(OptionSet(bits), model);

        // What a form shows after clicks: a set the rule accepts, greyed by
        // the rule, each option's flag as its tick.
        const auto check = [&](const std::vector<std::size_t>& clicks) {
            const auto form = clicked(m, clicks);
            const EntryFields& f = form->ws.form;
            const OptionSet ticked = TickedOptions(f);
            const std::string where = std::string(model.name) + " " + ticked.to_string();
            EXPECT_EQ(OptionConflict(ticked, model), std::nullopt) << where;
            EXPECT_EQ(enabledBoxes(f), EnabledOptions(ticked, model)) << where;
            std::string flags, ticks;
            for (const RadioOption& option : RadioOptions()) {
                if (option.configPos == 0) continue;
                flags += ConfigTextOf(
                    form->ws.data.radio)[static_cast<std::size_t>(option.configPos - 1)];
                ticks += ticked[OptionIndex(option)] ? '1' : '0';
            }
            EXPECT_EQ(flags, ticks) << where;
            return std::pair(ticked, enabledBoxes(f));
        };
        // Every click on an enabled box from every set reached, breadth first.
        struct Step {
            std::vector<std::size_t> clicks;
            OptionSet enabled;
        };
        std::set<unsigned long> reached{0};
        std::deque<Step> queue{{{}, check({}).second}};
        for (; !queue.empty(); queue.pop_front()) {
            for (std::size_t box = 0; box < kOptionCount; ++box) {
                if (!queue.front().enabled[box]) continue;
                std::vector<std::size_t> next = queue.front().clicks;
                next.push_back(box);
                const auto [ticked, enabled] = check(next);
                if (reached.insert(ticked.to_ulong()).second) queue.push_back({next, enabled});
            }
        }
        EXPECT_EQ(reached.size(), accepted) << model.name;
    }
}

TEST(OptionRule, ConflictsNameBothOptionsOrTheModel) {
    const RadioModel& kl40c = *FindModel("KL40c");
    const RadioModel& kl40a = *FindModel("KL40a-16");
    const struct {
        const RadioModel& model;
        std::vector<std::string> options;
        const char* conflict;
    } cases[] = {
        {kl40c,
         {"Display Timer", "Open LED is power indicator", "Silent Switch enabled",
          "Open LED off inhibits Transmit"},
         "\"Open LED is power indicator\" and \"Silent Switch enabled\" exclude each other"},
        {kl40c,
         {"Display Timer", "Open LED is power indicator", "Receive CTCSS enable"},
         "\"Open LED is power indicator\" and \"Receive CTCSS enable\" exclude each other"},
        {kl40c, {"User programmed scan"}, "\"User programmed scan\" needs \"Enable Scan\""},
        {kl40c,
         {"Open LED is power indicator"},
         "\"Open LED is power indicator\" needs \"Display Timer\""},
        {kl40a,
         {"Open LED off inhibits Transmit"},
         "\"Open LED off inhibits Transmit\" needs \"Silent Switch enabled\""},
        {kl40c, {"High/Low Power"}, "the KL40c has no \"High/Low Power\" option"},
        {kl40a, {"Enable Scan", "Down Delete"}, "the KL40a-16 has no \"Down Delete\" option"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OptionConflict(OptionSetOf(c.options), c.model), c.conflict);
    EXPECT_EQ(OptionConflict(OptionSetOf({"High/Low Power", "Silent Switch enabled"}), kl40a),
              std::nullopt);
}

// Opening an image greys the boxes by its ticks alone, whatever the form showed
// before; an image whose options conflict keeps them and says so once.
TEST(OptionRule, AnOpenedImageIsGreyedByItsTicksAndKeepsConflictingOptions) {
    test::TempFolder folder;
    const auto imageWith = [&](const std::vector<std::string>& options, const std::string& name) {
        test::LoadedForm source;
        source.chooseModel(2);
        source.store(5, "435.125");
        ApplyOptions(source.ws, options);
        EXPECT_TRUE(BuildImage(source.ws));
        folder.writeBytes(name, source.ws.data.ImageText);
        return source.ws.data.ImageText;
    };
    imageWith({"Display Timer", "Busy Channel Lockout"}, "plain.bin");
    const std::vector<std::string> conflicting = {"Display Timer", "Open LED is power indicator",
                                                  "Silent Switch enabled",
                                                  "Open LED off inhibits Transmit"};
    const auto image = imageWith(conflicting, "conflict.bin");

    for (const char* name : {"plain.bin", "conflict.bin"}) {
        test::LoadedForm atStart, later;
        later.ws.form.chkSilent.click();
        later.ws.form.chkDispl_Blnk.click();
        later.ws.form.chkDispl_Blnk.click();
        for (test::LoadedForm* form : {&atStart, &later}) {
            form->platform.clear();
            ASSERT_EQ(OpenRadioFile(form->ws, folder.file(name)), OpenOutcome::Opened);
            const EntryFields& f = form->ws.form;
            EXPECT_EQ(enabledBoxes(f), EnabledOptions(TickedOptions(f), FormModel(f))) << name;
        }
        EXPECT_EQ(enabledBoxes(atStart.ws.form), enabledBoxes(later.ws.form)) << name;
        EXPECT_EQ(atStart.platform.messages.size(), std::string(name) == "plain.bin" ? 0u : 1u);
    }

    test::LoadedForm opened;
    opened.platform.clear();
    ASSERT_EQ(OpenRadioFile(opened.ws, folder.file("conflict.bin")), OpenOutcome::Opened);
    ASSERT_EQ(opened.platform.messages.size(), 1u);
    EXPECT_EQ(opened.platform.last().text,
              OpenedOptionConflictText("\"Open LED is power indicator\" and \"Silent Switch "
                                       "enabled\" exclude each other"));
    EXPECT_EQ(SnapshotOf(opened.ws).options, conflicting);
    ASSERT_TRUE(BuildImage(opened.ws));
    EXPECT_EQ(opened.ws.data.ImageText, image);
}

} // namespace
} // namespace kl40
