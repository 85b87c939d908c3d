#include "ui/form/fields.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

// The toolkit rule the form logic relies on: a program change runs the click
// handler, the same value again runs nothing, free text and removals run nothing.
TEST(Fields, ProgramChangeRunsTheClickHandlerOnlyForANewValue) {
    int runs = 0;
    CheckBox box;
    box.onClick([&] { runs += box.checked() ? 1 : 10; }); // reads the new value
    box.setChecked(false);
    box.setChecked(true);
    box.setChecked(true);
    EXPECT_EQ(runs, 1);
    box.click(); // the operator's click toggles
    EXPECT_FALSE(box.checked());
    EXPECT_EQ(runs, 11);

    runs = 0;
    ComboBox combo;
    combo.addItem("1.00");
    combo.addItem("2.00");
    combo.onClick([&] { ++runs; });
    combo.setListIndex(1);
    combo.setListIndex(1);
    combo.setText("1.00"); // a text naming an item selects it
    EXPECT_EQ(runs, 2);
    combo.setText("free");
    combo.editText("7");
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(combo.listIndex(), -1);

    runs = 0;
    ListBox list;
    list.addItem("a");
    list.addItem("b");
    list.onClick([&] { ++runs; });
    list.setListIndex(1);
    list.setListIndex(1);
    list.removeItem(1);
    list.clear();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(list.text(), "");
}

// A field's values can be kept and put back without its handler noticing: a
// copy holds no handler, an assignment keeps the target's own and runs nothing.
TEST(Fields, CopiesCarryValuesButNeverTheHandler) {
    int runs = 0;
    ComboBox wired;
    wired.addItem("1.00");
    wired.addItem("2.00");
    wired.onClick([&] { ++runs; });
    wired.setListIndex(1);
    ASSERT_EQ(runs, 1);

    ComboBox kept = wired;
    EXPECT_EQ(kept, wired);
    kept.setListIndex(0); // the copy runs no handler of the original
    EXPECT_EQ(runs, 1);
    EXPECT_NE(kept, wired);

    wired = kept; // put back: the values change, nothing runs
    EXPECT_EQ(wired.listIndex(), 0);
    EXPECT_EQ(wired.text(), "1.00");
    EXPECT_EQ(runs, 1);
    wired.setListIndex(1); // and the handler is still wired
    EXPECT_EQ(runs, 2);

    CheckBox box{"Busy Channel Lockout"};
    box.onClick([&] { ++runs; });
    CheckBox ticked = box;
    ticked.setChecked(true);
    box = ticked;
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(box.caption(), "Busy Channel Lockout");
    EXPECT_EQ(runs, 2);
    box.click();
    EXPECT_EQ(runs, 3);
}

} // namespace
} // namespace kl40
