#include "coding/options.h"
#include "ui/form/option_boxes.h"

#include "core/radio.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

class OptionsTest : public ::testing::Test {
protected:
    OptionsTest() {
        FillModelList(ws.form.cboRadio);
        FillTimeoutList(ws.form.cboToT);
        ResetOptions(ws.data);
    }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
};

// The option digits of a radio with these options.
std::string optionText(int model, std::initializer_list<Option> options, int count = 16,
                       int readFrom = 0, int timeout = 1) {
    Radio radio;
    radio.model = model;
    radio.timeout = timeout;
    radio.channelCount = count;
    radio.optionsReadFrom = readFrom;
    for (Option option : options)
        radio.options.set(static_cast<std::size_t>(option));
    return OptionTextOf(radio);
}

TEST(OptionText, WorkedExamplesForBothBitLayouts) {
    using enum Option;
    EXPECT_EQ(optionText(1, {EnableScan, ReceiveCtcss, HighLowPower}), "168801020000000000000000");
    EXPECT_EQ(optionText(3, {EnableScan, ReceiveCtcss}), "160140000027000000000000");
}

TEST(OptionText, StartsFromTheBaseTheOptionsWereReadFrom) {
    using enum Option;
    // All four options of digit 3 on.
    EXPECT_EQ(optionText(2,
                         {EnableScan, UserProgrammedScan, DisplayTimer, BusyChannelLockout,
                          OpenLedOffInhibitsTransmit, HighLowPower},
                         7)
                  .substr(2, 4),
              "F811");
    // An image's options keep its model's base: "4" in digit 5, 12 digits.
    EXPECT_EQ(optionText(2,
                         {EnableScan, UserProgrammedScan, DisplayTimer, BusyChannelLockout,
                          OpenLedOffInhibitsTransmit, HighLowPower},
                         7, 2),
              "07F851000000");
    // Model 3 weights keep options apart; High/Low Power has no bit there.
    EXPECT_EQ(optionText(3, {UserProgrammedScan, DisplayTimer, ReceiveCtcss,
                             OpenLedOffInhibitsTransmit, HighLowPower})
                  .substr(2, 4),
              "5050");
}

TEST_F(OptionsTest, ConfigTextTakesModelAndTimeout) {
    Radio radio;
    radio.model = 3;
    EXPECT_EQ(ConfigTextOf(radio)[14], '3');
    ws.data.radio.model = 3;
    ws.form.chkHiLo.setEnabled(true);
    SetOptions(ws);
    EXPECT_FALSE(ws.form.chkHiLo.enabled());

    radio.model = 2;
    radio.timeout = 2;
    EXPECT_EQ(ConfigTextOf(radio).substr(11), "C402");
    ws.data.radio.model = 2;
    SetOptions(ws);
    EXPECT_TRUE(ws.form.chkHiLo.enabled());
    radio.model = 3;
    EXPECT_EQ(ConfigTextOf(radio).substr(11), "8203");
}

TEST(OptionBoxes, ClearUnticksInOrderAndDisablesHighLowPower) {
    EntryFields form;
    std::string order;
    CheckBox* boxes[] = {&form.chkScan_En, &form.chkDwn_Del, &form.chkDispl_Blnk, &form.chkHiLo,
                         &form.chkTX_Inh};
    for (CheckBox* box : boxes) {
        box->setChecked(true);
        box->onClick([&order, box] { order += box->caption().substr(0, 4) + ";"; });
    }
    ClearOptionBoxes(form);
    EXPECT_EQ(order, "Disp;Down;Enab;Open;High;");
    EXPECT_FALSE(form.chkHiLo.enabled());
}

} // namespace
} // namespace kl40
