#include "ui/form/channel_entry.h"

#include "support/loaded_form.h"
#include "support/scripted_platform.h"
#include "ui/entry_form.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <string>

namespace kl40 {
namespace {

using NoHost = test::RecordingHost;

// Runs with the entry form's handlers wired, so that the selector's click runs
// after a store as in the program.
class ChannelEntryTest : public ::testing::Test {
protected:
    ChannelEntryTest() {
        form.Form_Load();
        platform.clear();
    }
    void store(const std::string& ch, const std::string& rx, const std::string& tx = "",
               const std::string& tone = "none ", bool scan = false) {
        ws.form.txtCh.setText(ch);
        ws.form.txtRx.setText(rx);
        ws.form.txtTx.setText(tx);
        ws.form.cboCTCSS.setText(tone);
        ws.form.chkScan.setChecked(scan);
        StoreChannel(ws);
    }
    std::string slot(int n) const { return test::EntryOf(ws, n); }
    void setSlot(int n, std::string_view entry) { test::SetEntry(ws, n, entry); }
    void expectOneMessage(const std::string& text, const std::string& title, Icon icon) {
        ASSERT_EQ(platform.messages.size(), 1u) << "expected " << text;
        EXPECT_EQ(platform.last().text, text);
        EXPECT_EQ(platform.last().title, title);
        EXPECT_EQ(platform.last().icon, icon);
        platform.clear();
    }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    NoHost host;
    EntryForm form{ws, host};
};

TEST_F(ChannelEntryTest, StoreRaisesCountAndReadiesTheFieldsForTheNextChannel) {
    ws.data.DataChanged = false;
    store("12", "435.1", "", "88.5 ", true);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(slot(12), "12,435.1000,435.1000,88.5 ,Y");
    EXPECT_EQ(ws.data.radio.channelCount, 12);
    EXPECT_TRUE(ws.data.DataChanged);

    // The fields wait for a new channel; the stored line is marked, not loaded.
    const auto expectReadyFor = [&](const std::string& next, int markedLine) {
        EXPECT_EQ(ws.form.cboCh.text(), next);
        EXPECT_EQ(ws.form.txtCh.text(), next);
        EXPECT_EQ(ws.form.txtRx.text(), "");
        EXPECT_EQ(ws.form.txtTx.text(), "");
        EXPECT_EQ(ws.form.cboCTCSS.text(), "none ");
        EXPECT_FALSE(ws.form.chkScan.checked());
        EXPECT_FALSE(ws.data.EditingChannel);
        EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Reset");
        EXPECT_EQ(ws.form.focus, Control::cboCh);
        EXPECT_EQ(ws.form.lstFreq.listIndex(), markedLine);
    };
    expectReadyFor("13", 0);

    store("5", "430", "431");
    EXPECT_EQ(slot(5), "5,430.0000,431.0000,none ,N");
    EXPECT_EQ(ws.data.radio.channelCount, 12); // never lowered
    ASSERT_EQ(ws.form.lstFreq.count(), 2);
    EXPECT_EQ(ws.form.lstFreq.lines()[0], FormatListLine(slot(5)));
    expectReadyFor("6", 0);

    // The next free channel skips used ones and goes round after 99.
    store("13", "440");
    expectReadyFor("14", 2);
    store("99", "441");
    expectReadyFor("1", 3);
    for (int n = 1; n <= 98; ++n)
        if (slot(n).empty()) setSlot(n, std::to_string(n) + ",440.0000,440.0000,none ,N");
    setSlot(7, "");
    store("8", "442");
    expectReadyFor("7", 6);
    store("7", "442");
    expectReadyFor("", 6); // all 99 in use

    SetChannelCount(ws, "abc");
    expectOneMessage("Invalid channel number", "Data Error", Icon::Exclamation);
    SetChannelCount(ws, "05");
    EXPECT_EQ(ws.data.radio.channelCount, 5);
}

TEST_F(ChannelEntryTest, FrequenciesOutOfRangeOrWithTooManyDecimalsAreRefused) {
    const std::string refused = "A valid frequency must be entered\nThe ";
    const std::string range = " frequency must be from 400 to 450 MHz, with at most four decimals.";
    for (const char* rx : {"399.9999", "450.0001", "435.12345", "433.5.25", "abc"}) {
        store("3", rx);
        expectOneMessage(refused + "receive" + range, "Frequency Error", Icon::Critical);
        EXPECT_EQ(ws.form.txtRx.text(), "") << rx;
        EXPECT_EQ(ws.form.focus, Control::txtRx) << rx;
    }
    for (const char* tx : {"450.0125", "435.00001", "433.5.25"}) {
        store("3", "435", tx);
        expectOneMessage(refused + "transmit" + range, "Frequency Error", Icon::Critical);
        EXPECT_EQ(ws.form.txtRx.text(), "435.0000") << tx; // only the refused field empties
        EXPECT_EQ(ws.form.txtTx.text(), "") << tx;
        EXPECT_EQ(ws.form.focus, Control::txtTx) << tx;
    }
    EXPECT_EQ(slot(3), "");
    store("3", ""); // nothing to store, nothing to say
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(slot(3), "");
    store("3", "400", "450");
    EXPECT_EQ(slot(3), "3,400.0000,450.0000,none ,N");
}

TEST_F(ChannelEntryTest, ChannelNumbersOutsideOneTo99AreRefused) {
    store("1", "435");
    const std::string first = slot(1);
    for (const char* ch : {"0", "00", "100", "-3", "", "x", "5.5"}) {
        ws.data.DataChanged = false;
        store(ch, "440");
        expectOneMessage("Check data entered\nThe channel number must be from 1 to 99.", "Error",
                         Icon::Critical);
        EXPECT_EQ(ws.form.focus, Control::cboCh) << ch;
        EXPECT_TRUE(ws.data.DataChanged) << ch;
        EXPECT_EQ(slot(0), "") << ch;
        EXPECT_EQ(slot(1), first) << ch;
        EXPECT_EQ(ws.data.radio.channelCount, 1) << ch;
    }
    store("+7", "440"); // another spelling of 7 is stored plainly
    EXPECT_EQ(slot(7), "7,440.0000,440.0000,none ,N");
    // Slot 100 is no channel the selector offers next.
    setSlot(100, "100,440.0000,440.0000,none ,N");
    store("99", "441");
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(slot(99), "99,441.0000,441.0000,none ,N");
    EXPECT_EQ(ws.form.cboCh.text(), "2");
}

TEST_F(ChannelEntryTest, AtMost32ScanChannels) {
    store("6", "435", "", "none ", true);
    EXPECT_EQ(slot(6).back(), 'Y');
    EXPECT_TRUE(ws.form.chkScan_En.checked()); // its handler ran too
    EXPECT_TRUE(Has(ws.data.radio.options, Option::EnableScan));

    for (int n = 40; n < 71; ++n) // 31 more: 32 in all
        setSlot(n, std::to_string(n) + ",435.0000,435.0000,none ,Y");
    store("5", "436", "", "none ", true);
    expectOneMessage("Only 32 scan channels allowed", "Excess Scan Channels", Icon::None);
    EXPECT_EQ(slot(5), "5,436.0000,436.0000,none ,N");
    EXPECT_FALSE(ws.form.chkScan.checked());

    store("40", "437", "", "none ", true); // updating one of the 32 keeps its flag
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(slot(40), "40,437.0000,437.0000,none ,Y");
}

TEST_F(ChannelEntryTest, ShowChannelReadsEntriesAndListLines) {
    setSlot(5, "5,435.1250,430.1250,88.5 ,Y");
    ShowChannel(ws, 5);
    EXPECT_EQ(ws.form.txtCh.text(), "5");
    EXPECT_EQ(ws.form.txtRx.text(), "435.1250");
    EXPECT_EQ(ws.form.txtTx.text(), "430.1250");
    EXPECT_EQ(ws.form.cboCTCSS.listIndex(), 4);
    EXPECT_TRUE(ws.form.chkScan.checked());
    EXPECT_EQ(ws.form.cboCh.listIndex(), 4);

    FillEntryFields(ws, ' ', FormatListLine("12,440.0000,441.0000,103.5,N"));
    EXPECT_EQ(ws.form.txtCh.text(), "12");
    EXPECT_EQ(ws.form.txtRx.text(), "440.0000");
    EXPECT_EQ(ws.form.txtTx.text(), "441.0000");
    EXPECT_EQ(ws.form.cboCTCSS.text(), "103.5");
    EXPECT_FALSE(ws.form.chkScan.checked());

    ShowChannel(ws, 9); // an empty slot clears the fields
    EXPECT_EQ(ws.form.txtRx.text(), "");
    EXPECT_EQ(ws.form.cboCTCSS.text(), "none ");
    EXPECT_TRUE(platform.messages.empty());
    setSlot(8, "8;broken");
    ShowChannel(ws, 8);
    expectOneMessage("Unknown Channel Format", "Data Error", Icon::Exclamation);
    ShowChannel(ws, 101);
    expectOneMessage("Unknown Channel Format", "Data Error", Icon::Exclamation);
}

TEST(FormatListLine, PadsFieldsForTheListFont) {
    const std::string sp5(5, ' '), sp6(6, ' '), sp7(7, ' '), sp9(9, ' ');
    EXPECT_EQ(FormatListLine("5,435.1250,430.1250,88.5 ,Y"),
              "5" + sp9 + "435.1250" + sp5 + "430.1250" + sp5 + "88.5 " + sp7 + "Y");
    EXPECT_EQ(FormatListLine("12,440.0000,441.0000,103.5,N"),
              "12" + sp7 + "440.0000" + sp5 + "441.0000" + sp5 + "103.5" + sp6 + "N");
    EXPECT_EQ(FormatListLine("7,440.0000,440.0000,0,X"),
              "7" + sp9 + "440.0000" + sp5 + "440.0000" + sp5 + "none" + sp7 + "N");
    for (const char* noLine :
         {"100,440.0000,440.0000,none,N", ",440.0000,440.0000,none,N", "5,440.0000,", ""})
        EXPECT_EQ(FormatListLine(noLine), "") << noLine;
}

TEST_F(ChannelEntryTest, ClearChannelListAsksOnlyWhenLinesAreListed) {
    ws.form.txtRx.setText("435");
    ws.data.DataChanged = false;
    ClearChannelList(ws, 0); // empty list: no question
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ws.form.txtRx.text(), "");
    EXPECT_TRUE(ws.data.DataChanged);

    store("3", "435");
    ws.data.radio.options.set(static_cast<std::size_t>(Option::BusyChannelLockout));
    const Radio before = ws.data.radio;
    ws.data.DataChanged = false;
    platform.answer(Answer::No);
    ClearChannelList(ws, 0);
    expectOneMessage("Do you wish to clear the channel list?", "Clear Data", Icon::Question);
    EXPECT_EQ(ws.form.lstFreq.count(), 1);
    EXPECT_NE(slot(3), "");
    EXPECT_FALSE(ws.data.DataChanged); // No changes nothing at all
    EXPECT_EQ(ws.data.radio, before);

    ClearChannelList(ws, 1); // no question; the table is left to the caller
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ws.form.lstFreq.count(), 0);
    EXPECT_NE(slot(3), "");

    store("4", "435");
    platform.answer(Answer::Yes);
    ClearChannelList(ws, 0);
    EXPECT_EQ(ws.form.lstFreq.count(), 0);
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(slot(4), "");
}

} // namespace
} // namespace kl40
