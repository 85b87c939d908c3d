#include "coding/options.h"

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
    // Sets ConfigText positions as the option boxes would.
    void turnOn(std::initializer_list<int> positions) {
        for (int p : positions)
            ws.data.ConfigText[static_cast<std::size_t>(p - 1)] = '1';
    }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
};

TEST_F(OptionsTest, WorkedExamplesForBothBitLayouts) {
    ws.data.OptionText.replace(0, 2, "16"); // channel count stored by the channel entry
    ws.form.cboRadio.setListIndex(0);
    turnOn({3, 8, 14}); // Enable Scan, Receive CTCSS enable, High/Low Power
    BuildOptionText(ws);
    EXPECT_EQ(ws.data.ConfigText, "011000010008411");
    EXPECT_EQ(ws.data.OptionText, "168801020000000000000000");
    EXPECT_EQ(ws.data.BandCode, 1);

    ws.form.cboRadio.setListIndex(2);
    ws.data.ConfigText[13] = '0'; // the form unticks High/Low Power for this model
    BuildOptionText(ws);
    EXPECT_EQ(ws.data.ConfigText, "011000010007203");
    EXPECT_EQ(ws.data.OptionText, "160140000027000000000000");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OptionsTest, DerivationNeverAccumulatesAndStartsFromTheDecodedBase) {
    ws.form.cboRadio.setListIndex(1);
    turnOn({3, 5, 6, 9, 11, 14});
    BuildOptionText(ws);
    const std::string first = ws.data.OptionText;
    EXPECT_EQ(first.substr(2, 4), "F811"); // all four options of digit 3 on
    BuildOptionText(ws);
    EXPECT_EQ(ws.data.OptionText, first);

    // A decoded image leaves 12 digits with base "4" in digit 5.
    ws.data.OptionText = "070040000000";
    ws.data.OptionBaseText = ws.data.OptionText;
    BuildOptionText(ws);
    BuildOptionText(ws);
    EXPECT_EQ(ws.data.OptionText, "07F851000000");

    // Model 3 weights keep options apart; High/Low Power has no bit there.
    ResetOptions(ws.data);
    ws.form.cboRadio.setListIndex(2);
    turnOn({5, 6, 8, 11, 14}); // programmed scan, Display Timer, CTCSS, Tx inhibit, Hi/Lo
    BuildOptionText(ws);
    EXPECT_EQ(ws.data.OptionText.substr(2, 4), "5050");
}

TEST_F(OptionsTest, SetOptionsReadsModelAndTimeout) {
    ws.form.cboRadio.setListIndex(-1);
    ws.form.chkHiLo.setEnabled(true);
    SetOptions(ws);
    EXPECT_EQ(ws.data.BandCode, 3);
    EXPECT_FALSE(ws.form.chkHiLo.enabled());

    ws.form.cboRadio.setListIndex(1);
    ws.form.cboToT.setListIndex(2);
    SetOptions(ws);
    EXPECT_EQ(ws.data.ConfigText.substr(11), "C402");
    EXPECT_TRUE(ws.form.chkHiLo.enabled());
    ws.form.cboRadio.setListIndex(2);
    SetOptions(ws);
    EXPECT_EQ(ws.data.ConfigText.substr(11), "8203");

    ws.data.ConfigText.clear(); // never reset
    SetOptions(ws);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().text, "Unable to set Options");
    EXPECT_EQ(platform.last().title, "Data Error");
    EXPECT_EQ(platform.last().icon, Icon::Exclamation);
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
