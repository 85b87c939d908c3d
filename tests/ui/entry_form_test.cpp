#include "coding/options.h"
#include "ui/entry_form.h"
#include "ui/flows/form_image.h"
#include "ui/form/option_boxes.h"

#include "coding/tone_table.h"
#include "image/image_build.h"
#include "support/loaded_form.h"
#include "support/scripted_platform.h"
#include "ui/flows/flows.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <functional>
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
    std::string slot(int n) const { return test::EntryOf(ws, n); }
    void setSlot(int n, std::string_view entry) { test::SetEntry(ws, n, entry); }
    char config(int position) const {
        return ConfigTextOf(ws.data.radio)[static_cast<std::size_t>(position - 1)];
    }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    FakeHost host;
    EntryForm form{ws, host};
};

TEST_F(EntryFormTest, LoadSetsDefaultsWithoutRunningOptionHandlers) {
    EXPECT_EQ(ws.data.radio.channelCount, 1);
    EXPECT_EQ(ws.data.radio, Radio{}); // a new radio
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
    ws.form.txtCh.clear();
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

    // A text pasted whole keeps what typing it would keep.
    const std::string pasted = "433.5125 MHz\t";
    ws.form.txtTx.setText(pasted);
    form.txtTx_Change();
    EXPECT_EQ(ws.form.txtTx.text(), "433.5125");
    ws.form.txtRx.clear();
    type(ws.form.txtRx, &EntryForm::txtRx_KeyPress, pasted);
    ws.form.txtRx.setText(ws.form.txtRx.text() + "x,9");
    form.txtRx_Change();
    EXPECT_EQ(ws.form.txtRx.text(), "433.51259");
}

TEST_F(EntryFormTest, OptionBoxInterlocks) {
    ws.form.chkScan_Prog.click();
    EXPECT_TRUE(ws.form.chkScan_En.checked());
    EXPECT_EQ(ConfigTextOf(ws.data.radio).substr(2, 3), "101");
    ws.form.chkScan_En.click();
    EXPECT_FALSE(ws.form.chkScan_Prog.checked());
    EXPECT_EQ(ConfigTextOf(ws.data.radio).substr(2, 3), "000");

    ws.form.chkSilent.click();
    ws.form.chkTX_Inh.click();
    ws.form.chkDispl_Blnk.click(); // enables the LED indicator
    ws.form.chkInd_On.click();     // unticks both, not only greys them
    EXPECT_FALSE(ws.form.chkSilent.checked());
    EXPECT_FALSE(ws.form.chkSilent.enabled());
    EXPECT_FALSE(ws.form.chkTX_Inh.checked());
    EXPECT_FALSE(ws.form.chkTX_Inh.enabled());
    EXPECT_EQ(ConfigTextOf(ws.data.radio).substr(5, 6), "110000");
    ws.form.chkInd_On.click();
    EXPECT_TRUE(ws.form.chkSilent.enabled());
    EXPECT_FALSE(ws.form.chkTX_Inh.enabled()); // it needs the silent switch

    ws.form.chkInd_On.click();
    ws.form.chkCTCSS_en.click(); // excludes the LED indicator
    EXPECT_FALSE(ws.form.chkInd_On.checked());
    EXPECT_FALSE(ws.form.chkInd_On.enabled());
    EXPECT_EQ(config(7), '0');
    ws.form.chkCTCSS_en.click();
    EXPECT_TRUE(ws.form.chkInd_On.enabled());

    ws.form.chkSilent.click();
    ws.form.chkTX_Inh.click();
    ws.form.chkSilent.click(); // the transmit inhibit goes off with the silent switch
    EXPECT_FALSE(ws.form.chkTX_Inh.checked());
    EXPECT_FALSE(ws.form.chkTX_Inh.enabled());
    EXPECT_EQ(ConfigTextOf(ws.data.radio).substr(9, 2), "00");

    ws.form.cboRadio.setListIndex(0);
    EXPECT_EQ(ConfigTextOf(ws.data.radio)[14], '1');
    ws.form.chkHiLo.click();
    EXPECT_EQ(config(14), '1');
    ws.form.cboRadio.setListIndex(2); // no High/Low Power on this model
    EXPECT_FALSE(ws.form.chkHiLo.checked());
    EXPECT_FALSE(ws.form.chkHiLo.enabled());
    EXPECT_EQ(ConfigTextOf(ws.data.radio).substr(11), "7203");
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
        {{}, "0000000000", "1011011100"},
        {{Displ}, "0001000000", "1011111100"},
        {{Displ, Displ}, "0000000000", "1011011100"},
        {{Displ, IndOn}, "0001100000", "1011111000"},
        {{Displ, IndOn, IndOn}, "0001000000", "1011111100"},
        {{Displ, Silent, TxInh}, "0001000110", "1011011110"},
        {{Displ, Ctcss}, "0001010000", "1011011100"},
        {{Displ, Silent}, "0001000100", "1011011110"},
        {{Silent, TxInh, Silent}, "0000000000", "1011011100"},
        {{ScanProg}, "1010000000", "1011011100"},
        {{ScanProg, ScanEn}, "0000000000", "1011011100"},
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
                         : ConfigTextOf(
                               rowWs.data.radio)[static_cast<std::size_t>(configPositions[i] - 1)];
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
    // The radio takes the ticks all the same: the boxes show it.
    EXPECT_EQ(ws.data.radio.options, TickedOptions(ws.form));
    EXPECT_EQ(ws.data.radio.timeout, 0);
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

// A tone may be typed as the list shows it or as a number; it is stored as
// the list shows it. A tone the radio lacks is refused, naming it, and stays
// in the box as typed: no other tone takes its place.
TEST_F(EntryFormTest, TypedTonesAreTheRadiosOrRefused) {
    for (const ToneRow& row : ToneTable) {
        const std::string text = row.toneText;
        const std::string padded = &row == &ToneTable[0] ? text : " " + text + "0 ";
        for (const std::string& typed : {text, padded, std::string(row.listText)}) {
            ws.form.cboCTCSS.editText(typed);
            enterChannel("4", "435");
            ASSERT_EQ(slot(4), std::string("4,435.0000,435.0000,") + row.listText + ",N") << typed;
        }
    }
    ws.form.cboCTCSS.editText("");
    enterChannel("4", "435");
    EXPECT_EQ(slot(4), "4,435.0000,435.0000,none ,N");
    EXPECT_TRUE(platform.messages.empty());

    for (const char* typed : {"100.0", "100", "67.0", "103.55", "1", "88.5 Hz", "nonE", "."}) {
        setSlot(5, "");
        platform.clear();
        ws.form.cboCTCSS.editText(typed);
        enterChannel("5", "435");
        ASSERT_EQ(platform.messages.size(), 1u) << typed;
        EXPECT_EQ(platform.last().text,
                  std::string(typed) + " Hz is not one of the radio's CTCSS tones");
        EXPECT_EQ(slot(5), "");
        EXPECT_EQ(ws.form.cboCTCSS.text(), typed);
        EXPECT_EQ(ws.form.focus, Control::cboCTCSS);
    }
}

TEST_F(EntryFormTest, DeleteRemovesTheChannelAndShowsThePreviousOne) {
    enterChannel("4", "435");
    enterChannel("5", "440");
    ws.data.DataChanged = false;
    ws.form.cboCh.editText("5");
    form.cmdDelete_Click();
    EXPECT_EQ(slot(5), "");
    EXPECT_EQ(ws.form.lstFreq.count(), 1);
    EXPECT_EQ(ws.data.SelectedChannel, 4);
    EXPECT_EQ(ws.form.txtRx.text(), "435.0000");
    EXPECT_TRUE(ws.data.DataChanged); // the deletion still has to be saved
    EXPECT_EQ(ws.data.radio.channelCount, 5);

    ws.data.DataChanged = false;
    ws.form.cboCh.editText("8"); // not listed: nothing deleted
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
    EXPECT_EQ(ws.data.SelectedChannel, 3); // where the store left the selector
    EXPECT_TRUE(platform.messages.empty());
    ws.form.cboCh.setListIndex(5); // channel 6, empty
    EXPECT_EQ(ws.data.SelectedChannel, 6);
    EXPECT_EQ(ws.form.txtRx.text(), "");
}

TEST_F(EntryFormTest, ExitAsksToSaveOnlyWithListedUnsavedChannels) {
    ws.form.chkBCO.click(); // a change, but no channel a save could write
    form.cmdExit_Click();
    EXPECT_TRUE(platform.messages.empty());
    enterChannel("3", "435");
    platform.answer(Answer::No);
    form.cmdExit_Click();
    EXPECT_EQ(platform.last().text, "Do you want to save your data?");
    ws.data.DataChanged = false; // a save wrote the changes
    form.cmdExit_Click();
    EXPECT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(host.calls, "end;end;end;");

    form.cmdSave_Click();
    EXPECT_NO_THROW(form.cmdPrint_Click()); // a failing print window is ignored
    EXPECT_EQ(host.calls, "end;end;end;save;print;");
}

// Every change the operator makes counts as unsaved; looking at channels and
// the program's own changes do not.
TEST_F(EntryFormTest, OperatorChangesAndOnlyThoseLeaveUnsavedWork) {
    struct Action {
        const char* name;
        std::function<void()> run;
        bool changes;
    };
    const Action actions[] = {
        {"store", [&] { enterChannel("7", "436"); }, true},
        {"update",
         [&] {
             ws.form.lstFreq.setListIndex(0);
             form.cmdReset_Pers_Click();
         },
         true},
        {"delete",
         [&] {
             ws.form.cboCh.editText("3");
             form.cmdDelete_Click();
         },
         true},
        {"reset, Yes",
         [&] {
             platform.answer(Answer::Yes);
             form.cmdReset_Pers_Click();
         },
         true},
        {"model", [&] { ws.form.cboRadio.setListIndex(0); }, true},
        {"time-out", [&] { ws.form.cboToT.setListIndex(2); }, true},
        {"click a line", [&] { ws.form.lstFreq.setListIndex(0); }, false},
        {"choose a channel", [&] { ws.form.cboCh.setListIndex(3); }, false},
        {"load the form", [&] { form.Form_Load(); }, false},
        {"same model again", [&] { ws.form.cboRadio.setListIndex(2); }, false},
    };
    std::vector<CheckBox*> boxes = {
        &ws.form.chkScan_En, &ws.form.chkScan_Prog, &ws.form.chkDispl_Blnk, &ws.form.chkCTCSS_en,
        &ws.form.chkBCO,     &ws.form.chkSilent,    &ws.form.chkTX_Inh};
    enterChannel("3", "435");
    for (const Action& action : actions) {
        ws.data.DataChanged = false;
        action.run();
        EXPECT_EQ(ws.data.DataChanged, action.changes) << action.name;
        if (ws.form.lstFreq.count() == 0) enterChannel("3", "435");
    }
    for (CheckBox* box : boxes) {
        for (int click = 0; click < 2; ++click) { // ticking and unticking
            ws.data.DataChanged = false;
            box->click();
            EXPECT_TRUE(ws.data.DataChanged) << box->caption() << " click " << click;
        }
    }
}

TEST_F(EntryFormTest, ResetAnsweredNoLeavesEverythingAsItWas) {
    enterChannel("3", "435", true);
    enterChannel("4", "436");
    ws.form.cboRadio.setListIndex(0);
    ws.form.cboToT.setListIndex(0);
    ws.form.chkHiLo.click();
    ws.form.chkBCO.click();
    ws.form.chkDispl_Blnk.click();
    ws.data.DataChanged = false;
    const RadioData before = ws.data;
    const auto ticked = [&] {
        std::string marks;
        for (const CheckBox* box :
             {&ws.form.chkScan_En, &ws.form.chkDwn_Del, &ws.form.chkScan_Prog,
              &ws.form.chkDispl_Blnk, &ws.form.chkInd_On, &ws.form.chkCTCSS_en, &ws.form.chkBCO,
              &ws.form.chkSilent, &ws.form.chkTX_Inh, &ws.form.chkHiLo})
            marks += std::string(box->checked() ? "x" : "-") + (box->enabled() ? "" : "d");
        return marks;
    };
    const std::string boxesBefore = ticked();
    const auto lines = ws.form.lstFreq.lines();

    platform.answer(Answer::No);
    form.cmdReset_Pers_Click();
    EXPECT_EQ(platform.last().text, "Do you wish to clear the channel list?");
    EXPECT_EQ(ws.data.radio.channels, before.radio.channels);
    EXPECT_EQ(ConfigTextOf(ws.data.radio), ConfigTextOf(before.radio));
    EXPECT_FALSE(ws.data.DataChanged);
    EXPECT_EQ(ws.form.cboRadio.text(), "KL40a-16");
    EXPECT_EQ(ws.form.cboToT.text(), "1.00");
    EXPECT_EQ(ticked(), boxesBefore);
    EXPECT_EQ(ws.form.lstFreq.lines(), lines);

    platform.answer(Answer::Yes); // Yes clears as it always did
    form.cmdReset_Pers_Click();
    EXPECT_EQ(ws.form.lstFreq.count(), 0);
    EXPECT_EQ(slot(3), "");
    EXPECT_EQ(ws.form.cboRadio.text(), "KL40c");
    EXPECT_EQ(ws.form.cboToT.text(), "2.00");
    EXPECT_FALSE(ws.form.chkBCO.checked());
    EXPECT_TRUE(ws.data.DataChanged);
}

// A refused update stays an update, with the focus in the field to correct,
// whether the button or leaving the scan box stored it.
TEST_F(EntryFormTest, RefusedUpdateKeepsTheChannelInEdit) {
    enterChannel("3", "435");
    enterChannel("4", "436");
    const std::string kept = slot(3);
    for (const bool byButton : {true, false}) {
        for (TextBox* field : {&ws.form.txtRx, &ws.form.txtTx}) {
            ws.form.lstFreq.setListIndex(-1);
            ws.form.lstFreq.setListIndex(0); // channel 3 into the fields
            ASSERT_EQ(ws.form.cmdReset_Pers.caption(), "Update");
            field->setText(field == &ws.form.txtRx ? "451" : "435.12345");
            platform.clear();
            if (byButton) {
                form.cmdReset_Pers_Click();
            } else {
                form.chkScan_GotFocus();
                form.chkScan_LostFocus();
            }
            ASSERT_EQ(platform.messages.size(), 1u);
            EXPECT_EQ(platform.last().title, "Frequency Error");
            EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Update") << byButton;
            EXPECT_TRUE(ws.data.EditingChannel);
            EXPECT_EQ(field->text(), "");
            EXPECT_EQ(ws.form.focus, field == &ws.form.txtRx ? Control::txtRx : Control::txtTx);
            EXPECT_EQ(slot(3), kept);

            field->setText("437"); // corrected, and pressed again
            form.cmdReset_Pers_Click();
            EXPECT_EQ(platform.messages.size(), 1u) << "no question to clear the list";
            EXPECT_NE(slot(3), kept);
            EXPECT_EQ(ws.form.cmdReset_Pers.caption(), "Reset");
            EXPECT_FALSE(ws.data.EditingChannel);
            setSlot(3, kept);
        }
    }
}

// A frequency off the 12.5 kHz raster is stored as typed and told once per
// store, naming the frequency the radio will use. The oracle is the built
// image read back: the decoded channel holds what the radio really uses.
TEST_F(EntryFormTest, OffRasterFrequenciesAreStoredAsTypedAndToldOnce) {
    const auto mhz = [](int tenThousandths) {
        return std::to_string(tenThousandths / 10000) + "." +
               std::to_string(10000 + tenThousandths % 10000).substr(1);
    };
    struct Stored {
        std::string rx, tx, note;
    };
    for (int batch = 0; batch < 2; ++batch) {
        Stored stored[100];
        for (int ch = 1; ch <= 99; ++ch) {
            const int k = batch * 99 + ch - 1;
            Stored& s = stored[ch];
            s.rx = mhz(4000000 + k * 2531);
            // Every third channel transmits on its receive frequency.
            s.tx = k % 3 == 0 ? "" : mhz(4000000 + (k * 3779) % 500000);
            ws.form.cboCh.editText(std::to_string(ch));
            form.cboCh_LostFocus();
            ws.form.txtRx.setText(s.rx);
            ws.form.txtTx.setText(s.tx);
            platform.clear();
            form.chkScan_GotFocus();
            form.chkScan_LostFocus();
            ASSERT_EQ(slot(ch), std::to_string(ch) + "," + s.rx + "," +
                                    (s.tx.empty() ? s.rx : s.tx) + ",none ,N")
                << "stored as typed";
            ASSERT_LE(platform.messages.size(), 1u) << s.rx;
            if (!platform.messages.empty()) {
                EXPECT_EQ(platform.last().icon, Icon::Information);
                s.note = platform.last().text;
            }
        }
        ASSERT_TRUE(BuildImage(ws));
        test::LoadedForm radio;
        radio.ws.data.ImageText = ws.data.ImageText;
        ASSERT_EQ(LoadOpenedImage(radio.ws, {}), LoadResult::Decoded);
        for (int ch = 1; ch <= 99; ++ch) {
            const Stored& s = stored[ch];
            const std::string& decoded = radio.slot(ch);
            const std::string usedRx = decoded.substr(decoded.find(',') + 1, 8);
            const std::string usedTx = decoded.substr(decoded.find(',') + 10, 8);
            std::string expected;
            const auto tell = [&](const std::string& typed, const std::string& used) {
                if (typed == used) return;
                expected += (expected.empty() ? "" : "\n") + typed +
                            " MHz is not on the radio's 12.5 kHz raster: it will use " + used +
                            " MHz.";
            };
            tell(s.rx, usedRx);
            if (!s.tx.empty() && s.tx != s.rx) tell(s.tx, usedTx);
            EXPECT_EQ(s.note, expected) << "channel " << ch;
        }
        ws.data.radio.channels.fill(std::nullopt);
    }
    platform.clear();
    enterChannel("5", "435.1234");
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().text,
              "435.1234 MHz is not on the radio's 12.5 kHz raster: it will use 435.1250 MHz.");
}

} // namespace
} // namespace kl40
