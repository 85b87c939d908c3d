// The channel table window's logic: every operation lands in the radio as
// the table operations say, as one undo step, with the form's list rebuilt;
// refusals change nothing and say why; paste reports refused rows once.

#include "ui/channel_table.h"

#include "entry/channel_rules.h"
#include "formats/channel_clipboard.h"
#include "support/no_windows.h"
#include "support/random_radio.h"
#include "support/scripted_platform.h"
#include "ui/form/channel_entry.h"
#include "ui/main_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

using test::NoWindows;

class MemoryStore : public PreferencesStore {
public:
    PreferenceValues load() override { return kept; }
    void save(const PreferenceValues& values) override {
        kept = values;
        ++saves;
    }
    PreferenceValues kept;
    int saves = 0;
};

struct Rig {
    Rig() {
        form.Form_Load();
        history().restart();
    }
    UndoHistory& history() { return frame.history(); }
    int listLines() const { return ws.form.lstFreq.count(); }

    test::ScriptedPlatform platform;
    Workspace ws{platform};
    NoWindows windows;
    MDI_kl40 frame{ws, windows};
    EntryForm form{ws, frame};
    Preferences preferences;
    ChannelTableWindow table{ws, history(), preferences};
};

int channelsWithReceive(const Radio& radio) {
    int count = 0;
    for (int n = 1; n <= kHighestChannel; ++n)
        count += radio.channels[static_cast<std::size_t>(n)] &&
                 radio.channels[static_cast<std::size_t>(n)]->rx;
    return count;
}

const char* const kCsvRows =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,Mode\n"
    "1,RPT,439.5000,-,7.600000,Tone,88.5,88.5,023,NN,FM\n"
    "2,BAD,146.5200,,0.000000,,88.5,88.5,023,NN,FM\n"
    "3,SPX,433.5000,,0.000000,,88.5,88.5,023,NN,FM\n";

// Random operations on random radios: each leaves the radio as the table
// operation it forwards to says (or unchanged when refused), as exactly one
// undo step, with the form's list showing the radio.
TEST(ChannelTableWindow, EveryOperationIsTheTableOperationAsOneUndoStep) {
    std::mt19937 rng(40);
    std::uniform_int_distribution<int> channel(1, kHighestChannel), pick(0, 8);
    for (int round = 0; round < 300; ++round) {
        Rig rig;
        rig.ws.data.radio.channels = test::RandomRadio(rng).channels;
        RebuildChannelList(rig.ws);
        rig.ws.data.DataChanged = false;
        const Radio before = rig.ws.data.radio;
        const int n = channel(rng);
        const TablePlace place{n, kReceiveColumn, {n, std::min(n + 2, kHighestChannel)}};
        const ChannelSelection rows = place.rows;
        const std::string copied = CopyChannelRows(before, {1, 2, 3});
        std::string clipboard;
        TableOutcome expected = TableRefusal{};
        const int operation = pick(rng);
        const bool cut = operation == 7;
        switch (operation) {
        case 0:
            expected = CommitCell(before, n, Column::Receive, "435.0125");
            rig.table.commit(n, kReceiveColumn, "435.0125");
            break;
        case 1:
            expected = CommitCell(before, n, Column::Duplex, "+");
            rig.table.commit(n, TableColumn(Column::Duplex), "+");
            break;
        case 2:
            expected = InsertChannel(before, n);
            rig.table.insertRow(place);
            break;
        case 3:
            expected = MoveChannels(before, rows, MoveDirection::Down);
            rig.table.moveRows(place, MoveDirection::Down);
            break;
        case 4:
            expected = FillReceive(before, rows, "440.5", Frequency{250});
            rig.table.fill(place, "440.5", "25");
            break;
        case 5:
            expected = SortChannels(before, SortKey::Name);
            rig.table.sort(place, SortKey::Name);
            break;
        case 6:
            expected = DeleteChannels(before, rows);
            rig.table.deleteRows(place);
            break;
        case 7:
            expected = DeleteChannels(before, rows);
            rig.table.cutRows(place, clipboard);
            break;
        default:
            expected = PasteChannelRows(before, n, copied);
            rig.table.paste(place, copied);
            break;
        }
        SCOPED_TRACE("round " + std::to_string(round) + " at channel " + std::to_string(n));
        const auto* change = std::get_if<TableChange>(&expected);
        Radio after = change ? change->radio : before;
        // Adding scan channels ticks "Enable Scan", the radio's option with it.
        const bool scanAdded =
            ScanChannelsOtherThan(after.channels, 0) > ScanChannelsOtherThan(before.channels, 0);
        after.options[static_cast<std::size_t>(Option::EnableScan)] = scanAdded;
        ASSERT_EQ(rig.ws.data.radio, after);
        EXPECT_EQ(rig.ws.form.chkScan_En.checked(), scanAdded);
        EXPECT_EQ(rig.listLines(), channelsWithReceive(after));
        if (!change) {
            EXPECT_EQ(rig.table.status(), std::get<TableRefusal>(expected).reason);
        }
        // A cut copies exactly the rows it empties, and only when it does.
        EXPECT_EQ(clipboard, change && cut ? CopyChannelRows(before, rows) : "");
        if (after == before) {
            EXPECT_FALSE(rig.history().canUndo());
            EXPECT_FALSE(rig.ws.data.DataChanged);
            continue;
        }
        EXPECT_TRUE(rig.ws.data.DataChanged);
        rig.history().undo();
        EXPECT_EQ(rig.ws.data.radio, before);
        EXPECT_FALSE(rig.history().canUndo());
        EXPECT_EQ(rig.listLines(), channelsWithReceive(before));
        rig.history().redo();
        EXPECT_EQ(rig.ws.data.radio, after);
    }
}

TEST(ChannelTableWindow, RefusedCellKeepsRadioAndSaysWhy) {
    Rig rig;
    EXPECT_FALSE(rig.table.commit(1, kReceiveColumn, "146.52"));
    EXPECT_EQ(rig.table.status(), FrequencyRefusalText("receive"));
    EXPECT_FALSE(rig.history().canUndo());
    EXPECT_FALSE(rig.ws.data.DataChanged);

    ASSERT_TRUE(rig.table.commit(1, kReceiveColumn, "435.003"));
    EXPECT_NE(rig.table.status().find("raster"), std::string::npos) << rig.table.status();
    EXPECT_EQ(rig.table.cellText(1, kReceiveColumn), "435.0030");
    EXPECT_FALSE(rig.table.commit(1, TableColumn(Column::Ctcss), "100.0"));
    EXPECT_EQ(rig.table.cellText(1, TableColumn(Column::Ctcss)), "none");
    EXPECT_EQ(rig.table.cellText(2, kReceiveColumn), "");
    EXPECT_EQ(rig.table.cellText(2, kNumberColumn), "2");
}

TEST(ChannelTableWindow, PasteLandsGoodRowsReportsRefusedOnesOnceAndSelectsThem) {
    Rig rig;
    const TablePlace after = rig.table.paste({10, kReceiveColumn, {}}, kCsvRows);
    EXPECT_EQ(after.rows, (ChannelSelection{10, 11, 12}));
    EXPECT_EQ(rig.table.cellText(10, TableColumn(Column::Transmit)), "431.9000");
    EXPECT_EQ(rig.table.cellText(11, kReceiveColumn), "");
    EXPECT_EQ(rig.table.cellText(12, kReceiveColumn), "433.5000");
    ASSERT_EQ(rig.platform.messages.size(), 1u);
    EXPECT_EQ(rig.platform.last().title, kPasteReportTitle);
    EXPECT_NE(rig.platform.last().text.find("Line 3: refused"), std::string::npos)
        << rig.platform.last().text;

    // Past channel 99: refused before anything changes, told in the status.
    const Radio before = rig.ws.data.radio;
    rig.table.paste({98, kReceiveColumn, {}}, kCsvRows);
    EXPECT_EQ(rig.ws.data.radio, before);
    EXPECT_NE(rig.table.status().find("past channel 99"), std::string::npos);
    EXPECT_EQ(rig.platform.messages.size(), 1u);
}

TEST(ChannelTableWindow, SelectionFollowsMovedRows) {
    Rig rig;
    for (int n : {4, 5})
        rig.table.commit(n, kReceiveColumn, "43" + std::to_string(n) + ".0");
    const TablePlace down = rig.table.moveRows({5, 2, {4, 5}}, MoveDirection::Down);
    EXPECT_EQ(down, (TablePlace{6, 2, {5, 6}}));
    EXPECT_EQ(rig.table.cellText(6, kReceiveColumn), "435.0000");
    // Refused at the top edge: the place stays.
    const TablePlace top{1, 1, {1}};
    EXPECT_EQ(rig.table.moveRows(top, MoveDirection::Up), top);
}

TEST(ChannelTableWindow, PlusOnSimplexUsesTheKeptDefaultOffset) {
    MemoryStore store;
    store.kept.repeaterOffset = Frequency{0}; // unusable: the default stays
    Rig rig;
    Preferences preferences(&store);
    EXPECT_EQ(preferences.repeaterOffsetText(), "5.0000");
    EXPECT_TRUE(preferences.setRepeaterOffset("0"));
    EXPECT_TRUE(preferences.setRepeaterOffset("51"));
    EXPECT_EQ(store.saves, 0);
    EXPECT_FALSE(preferences.setRepeaterOffset("7.6"));
    EXPECT_EQ(store.saves, 1);
    EXPECT_EQ(Preferences(&store).repeaterOffsetText(), "7.6000");

    ChannelTableWindow table(rig.ws, rig.history(), preferences);
    table.commit(1, kReceiveColumn, "439.5");
    table.commit(1, TableColumn(Column::Duplex), "-");
    EXPECT_EQ(table.cellText(1, TableColumn(Column::Transmit)), "431.9000");
}

TEST(ChannelTableWindow, StepIsTypedInKilohertz) {
    EXPECT_EQ(ParseStepKHz("12.5"), Frequency{125});
    EXPECT_EQ(ParseStepKHz(" 25 "), Frequency{250});
    EXPECT_EQ(ParseStepKHz("6.25"), std::nullopt);
    EXPECT_EQ(ParseStepKHz("-5"), std::nullopt);
    EXPECT_EQ(ParseStepKHz("x"), std::nullopt);
}

} // namespace
} // namespace kl40

namespace kl40 {
namespace {

// The entry fields follow table changes to the channel they show, so a later
// Update cannot store old values back; fields holding a new channel being
// typed stay as typed. Scan turned on in the table ticks "Enable Scan".
TEST(ChannelTableWindow, EntryFieldsFollowTheChannelTheyShow) {
    Rig rig;
    EntryFields& form = rig.ws.form;
    ASSERT_TRUE(rig.table.commit(5, kReceiveColumn, "435.125"));
    ShowChannel(rig.ws, 5);
    rig.table.toggleScan(5);
    EXPECT_TRUE(form.chkScan.checked());
    EXPECT_TRUE(form.chkScan_En.checked());
    EXPECT_TRUE(Has(rig.ws.data.radio.options, Option::EnableScan));
    ASSERT_TRUE(rig.table.commit(5, TableColumn(Column::Transmit), "430.125"));
    EXPECT_EQ(form.txtTx.text(), "430.1250");
    rig.table.deleteRows({5, kReceiveColumn, {5}});
    EXPECT_EQ(form.txtRx.text() + form.txtTx.text(), "");
    EXPECT_FALSE(form.chkScan.checked());
    EXPECT_EQ(form.cmdReset_Pers.caption(), "Reset");

    form.txtRx.setText("439.0000");
    ASSERT_TRUE(rig.table.commit(5, kReceiveColumn, "436"));
    EXPECT_EQ(form.txtRx.text(), "439.0000");
}

} // namespace
} // namespace kl40
