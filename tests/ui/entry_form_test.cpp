#include "ui/entry_form.h"

#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace kl40 {
namespace {

class FakeHost : public FormHost {
public:
    SaveOutcome SaveRadioFile() override {
        calls += "save;";
        return saveOutcome;
    }
    void ShowPrintDialog() override {
        calls += "print;";
        throw std::runtime_error("no print window");
    }
    void EndProgram() override { calls += "end;"; }
    std::string calls;
    SaveOutcome saveOutcome = SaveOutcome::Saved;
};

class EntryFormTest : public ::testing::Test {
protected:
    EntryFormTest() {
        form.Form_Load();
        platform.clear();
    }
    // Types keys into a field through its filter, as the toolkit would.
    void type(TextBox& field, void (EntryForm::*filter)(int&), const std::string& keys) {
        for (char c : keys) {
            int key = static_cast<unsigned char>(c);
            (form.*filter)(key);
            if (key == 8 && !field.text().empty())
                field.setText(field.text().substr(0, field.text().size() - 1));
            else if (key >= ' ')
                field.setText(field.text() + static_cast<char>(key));
        }
    }
    // The operator's flow: selector, receive frequency, scan box, leave it.
    void enterChannel(const std::string& ch, const std::string& rx, bool scan = false) {
        ws.form.cboCh.editText(ch);
        form.cboCh_LostFocus();
        ws.form.txtRx.setText(rx);
        ws.form.txtTx.clear();
        form.chkScan_GotFocus();
        ws.form.chkScan.setChecked(scan);
        form.chkScan_LostFocus();
    }
    std::string& slot(int n) { return ws.data.ChannelTable[static_cast<std::size_t>(n)]; }
    char config(int position) const {
        return ws.data.ConfigText[static_cast<std::size_t>(position - 1)];
    }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    FakeHost host;
    EntryForm form{ws, host};
};

TEST_F(EntryFormTest, LoadSetsDefaultsWithoutRunningOptionHandlers) {
    EXPECT_EQ(ws.data.ChannelCountText, "01");
    EXPECT_EQ(ws.data.OptionText, "010000000000000000000000");
    EXPECT_EQ(ws.data.ConfigText, "010000000000000");
    EXPECT_EQ(ws.data.BandCode, 0);
    EXPECT_EQ(ws.form.cboRadio.text(), "KL40c");
    EXPECT_EQ(ws.form.cboToT.text(), "2.00");
    EXPECT_EQ(ws.form.cboCh.text(), "1");
    EXPECT_EQ(ws.form.cboCTCSS.text(), "none ");
    EXPECT_FALSE(ws.form.chkHiLo.enabled());
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EntryFormTest, KeyFiltersDropOtherKeysAndMoveTheFocus) {
    type(ws.form.txtRx, &EntryForm::txtRx_KeyPress, "4a3,5.1x25\b");
    EXPECT_EQ(ws.form.txtRx.text(), "435.12");
    type(ws.form.txtCh, &EntryForm::txtCh_KeyPress, "1.2");
    EXPECT_EQ(ws.form.txtCh.text(), "12");

    int enter = 13;
    form.txtRx_KeyPress(enter);
    EXPECT_EQ(ws.form.focus, Control::txtTx);
    EXPECT_EQ(enter, 13);       // passed on after the focus move
    form.txtTx_KeyPress(enter); // empty: stays
    EXPECT_EQ(ws.form.focus, Control::txtTx);
    ws.form.txtTx.setText("430");
    form.txtTx_KeyPress(enter);
    EXPECT_EQ(ws.form.focus, Control::cboCTCSS);
    ws.form.txtCh.clear();
    form.txtCh_KeyPress(enter);
    EXPECT_EQ(ws.form.focus, Control::txtCh);
    int tab = 9;
    form.txtCh_KeyPress(tab);
    EXPECT_EQ(ws.form.focus, Control::txtRx);
}

TEST_F(EntryFormTest, OptionBoxInterlocks) {
    ws.form.chkScan_Prog.click();
    EXPECT_TRUE(ws.form.chkScan_En.checked());
    EXPECT_EQ(ws.data.ConfigText.substr(2, 3), "101");
    ws.form.chkScan_En.click();
    EXPECT_FALSE(ws.form.chkScan_Prog.checked());
    EXPECT_EQ(ws.data.ConfigText.substr(2, 3), "000");

    ws.form.chkSilent.click();
    ws.form.chkDispl_Blnk.click(); // enables the LED indicator
    ws.form.chkInd_On.click();
    EXPECT_FALSE(ws.form.chkSilent.checked());
    EXPECT_FALSE(ws.form.chkSilent.enabled());
    EXPECT_FALSE(ws.form.chkTX_Inh.enabled());
    EXPECT_EQ(ws.data.ConfigText.substr(5, 5), "11000");
    ws.form.chkInd_On.click();
    EXPECT_TRUE(ws.form.chkSilent.enabled());
    EXPECT_TRUE(ws.form.chkTX_Inh.enabled());

    ws.form.chkInd_On.click();
    ws.form.chkCTCSS_en.click(); // excludes the LED indicator
    EXPECT_FALSE(ws.form.chkInd_On.checked());
    EXPECT_FALSE(ws.form.chkInd_On.enabled());
    EXPECT_EQ(config(7), '0');
    ws.form.chkCTCSS_en.click();
    EXPECT_TRUE(ws.form.chkInd_On.enabled());

    ws.form.chkTX_Inh.click();
    ws.form.chkSilent.click();
    ws.form.chkSilent.click(); // the transmit inhibit goes off with the silent switch
    EXPECT_FALSE(ws.form.chkTX_Inh.checked());
    EXPECT_FALSE(ws.form.chkTX_Inh.enabled());
    EXPECT_EQ(ws.data.ConfigText.substr(9, 2), "00");

    ws.form.cboRadio.setListIndex(0);
    EXPECT_EQ(ws.data.BandCode, 1);
    ws.form.chkHiLo.click();
    EXPECT_EQ(config(14), '1');
    ws.form.cboRadio.setListIndex(2); // no High/Low Power on this model
    EXPECT_FALSE(ws.form.chkHiLo.checked());
    EXPECT_FALSE(ws.form.chkHiLo.enabled());
    EXPECT_EQ(ws.data.ConfigText.substr(11), "7203");
}

// Each interlock of the option boxes on its own, from a freshly loaded form:
// the clicks, then which boxes are ticked and which enabled, in the order
// Enable Scan, Down Delete, User programmed scan, Display Timer, LED power
// indicator, Receive CTCSS, Busy Channel Lockout, Silent Switch, LED off
// inhibits Transmit, High/Low Power. Every ticked box has its flag set.
TEST_F(EntryFormTest, OptionInterlockTable) {
    const int configPositions[] = {3, 0, 5, 6, 7, 8, 9, 10, 11, 14};
    struct Row {
        std::vector<int> clicks; // indexes into boxes
        const char* ticked;
        const char* enabled;
    };
    enum { ScanEn, DwnDel, ScanProg, Displ, IndOn, Ctcss, Bco, Silent, TxInh, HiLo };
    const Row rows[] = {
        {{}, "0000000000", "1011011110"},
        {{Displ}, "0001000000", "1011111110"},
        {{Displ, Displ}, "0000000000", "1011011110"},
        {{Displ, IndOn}, "0001100000", "1011111000"},
        {{Displ, IndOn, IndOn}, "0001000000", "1011111110"},
        {{Displ, TxInh}, "0001000010", "1011011110"},
        {{Displ, Ctcss}, "0001010000", "1011011110"},
        {{Displ, Silent}, "0001000100", "1011011110"},
        {{Silent, TxInh, Silent}, "0000000000", "1011111100"},
        {{ScanProg}, "1010000000", "1011011110"},
        {{ScanProg, ScanEn}, "0000000000", "1011011110"},
    };
    for (const Row& row : rows) {
        test::ScriptedPlatform rowPlatform;
        Workspace rowWs{rowPlatform};
        FakeHost rowHost;
        EntryForm rowForm{rowWs, rowHost};
        rowForm.Form_Load();
        EntryFields& rf = rowWs.form;
        CheckBox* const rowBoxes[] = {
            &rf.chkScan_En,  &rf.chkDwn_Del, &rf.chkScan_Prog, &rf.chkDispl_Blnk, &rf.chkInd_On,
            &rf.chkCTCSS_en, &rf.chkBCO,     &rf.chkSilent,    &rf.chkTX_Inh,     &rf.chkHiLo};
        std::string clicks;
        for (int click : row.clicks) {
            rowBoxes[click]->click();
            clicks += rowBoxes[click]->caption() + "; ";
        }
        std::string ticked, enabled, flags;
        for (std::size_t i = 0; i < std::size(rowBoxes); ++i) {
            ticked += rowBoxes[i]->checked() ? '1' : '0';
            enabled += rowBoxes[i]->enabled() ? '1' : '0';
            flags += configPositions[i] == 0
                         ? ticked.back()
                         : rowWs.data.ConfigText[static_cast<std::size_t>(configPositions[i] - 1)];
        }
        EXPECT_EQ(ticked, row.ticked) << clicks;
        EXPECT_EQ(enabled, row.enabled) << clicks;
        EXPECT_EQ(flags, ticked) << clicks;
    }
}

TEST_F(EntryFormTest, LoadingFormSilencesOptionHandlers) {
    ws.data.LoadingForm = true;
    for (CheckBox* box : {&ws.form.chkScan_Prog, &ws.form.chkDispl_Blnk, &ws.form.chkCTCSS_en,
                          &ws.form.chkBCO, &ws.form.chkSilent, &ws.form.chkTX_Inh})
        box->click();
    ws.form.cboToT.setListIndex(0);
    EXPECT_EQ(ws.data.ConfigText, "010000000000000");
    EXPECT_EQ(ws.data.BandCode, 0);
    EXPECT_FALSE(ws.form.chkScan_En.checked()); // no interlock ran either
}

TEST_F(EntryFormTest, LeavingTheScanBoxStoresAndTheUpdateButtonRestores) {
    form.chkScan_GotFocus();
    EXPECT_EQ(ws.form.chkScan.backColor(), EntryForm::kScanFocusColor);
    enterChannel("3", "435", true);
    EXPECT_EQ(slot(3), "3,435.0000,435.0000,none ,Y");
    EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Reset");
    EXPECT_EQ(ws.form.focus, Control::cboCh);
    EXPECT_EQ(ws.form.chkScan.backColor(), CheckBox::kButtonFace);

    enterChannel("9", "440");
    ws.form.lstFreq.setListIndex(0); // the operator clicks channel 3
    EXPECT_EQ(ws.data.SelectedChannel, 3);
    EXPECT_EQ(ws.form.cboCh.text(), "3");
    EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Update");
    ws.form.txtRx.setText("436.5");
    form.cmdReset_Pers_Click();
    EXPECT_EQ(slot(3), "3,436.5000,435.0000,none ,Y");
    EXPECT_FALSE(ws.data.EditingChannel);
    EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Reset");

    platform.answer(Answer::No); // now the button reads Reset: it asks and keeps
    form.cmdReset_Pers_Click();
    EXPECT_EQ(platform.last().text, "Do you wish to clear the channel list?");
    EXPECT_EQ(ws.form.lstFreq.count(), 2);
    EXPECT_FALSE(ws.data.LoadingForm);
}

TEST_F(EntryFormTest, DeleteRemovesTheChannelAndShowsThePreviousOne) {
    enterChannel("4", "435");
    enterChannel("5", "440");
    ws.data.DataChanged = false;
    ws.form.txtCh.setText("5");
    form.cmdDelete_Click();
    EXPECT_EQ(slot(5), "");
    EXPECT_EQ(ws.form.lstFreq.count(), 1);
    EXPECT_EQ(ws.data.SelectedChannel, 4);
    EXPECT_EQ(ws.form.txtRx.text(), "435.0000");
    EXPECT_TRUE(ws.data.DataChanged); // the deletion still has to be saved
    EXPECT_EQ(ws.data.ChannelCountText, "05");

    ws.data.DataChanged = false;
    ws.form.txtCh.setText("8"); // not listed: nothing deleted
    form.cmdDelete_Click();
    EXPECT_EQ(ws.form.lstFreq.count(), 1);
    EXPECT_FALSE(ws.data.DataChanged);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(EntryFormTest, SelectorIgnoresTextThatIsNoChannelNumber) {
    enterChannel("2", "435");
    const std::string before = slot(2);
    for (const char* text : {"abc", "150", "-1", ""}) {
        ws.form.cboCh.editText(text);
        form.cboCh_Click();
        form.cboCh_LostFocus();
        EXPECT_EQ(ws.form.txtCh.text(), text); // copied, so the store refuses it
    }
    EXPECT_EQ(slot(2), before);
    EXPECT_EQ(ws.data.SelectedChannel, 2);
    EXPECT_TRUE(platform.messages.empty());
    ws.form.cboCh.setListIndex(5); // channel 6, empty
    EXPECT_EQ(ws.data.SelectedChannel, 6);
    EXPECT_EQ(ws.form.txtRx.text(), "");
}

TEST_F(EntryFormTest, ExitAsksToSaveOnlyWithListedUnsavedChannels) {
    form.cmdExit_Click(); // empty list
    EXPECT_TRUE(platform.messages.empty());
    enterChannel("3", "435");
    platform.answer(Answer::Yes);
    form.cmdExit_Click();
    EXPECT_EQ(platform.last().text, "Do you want to save your data?");
    EXPECT_EQ(platform.last().title, "Save Data");
    EXPECT_EQ(platform.last().buttons, Buttons::YesNo);
    platform.answer(Answer::No);
    form.cmdExit_Click();
    ws.data.DataChanged = false; // a save attempt dealt with the changes
    form.cmdExit_Click();
    EXPECT_EQ(platform.messages.size(), 2u);
    EXPECT_EQ(host.calls, "end;save;end;end;end;");

    form.cmdSave_Click();
    EXPECT_NO_THROW(form.cmdPrint_Click()); // a failing print window is ignored
    EXPECT_EQ(host.calls, "end;save;end;end;end;save;print;");
}

TEST_F(EntryFormTest, ExitStaysOpenOnlyWhenTheChosenSaveFailed) {
    enterChannel("3", "435");
    host.saveOutcome = SaveOutcome::Failed;
    platform.answer(Answer::Yes);
    form.cmdExit_Click();
    EXPECT_EQ(host.calls, "save;");
    host.saveOutcome = SaveOutcome::Cancelled;
    platform.answer(Answer::Yes);
    form.cmdExit_Click();
    EXPECT_EQ(host.calls, "save;save;end;");
}

} // namespace
} // namespace kl40
