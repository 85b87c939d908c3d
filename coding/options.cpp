#include "coding/options.h"

#include "core/hex_text.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kl40 {

namespace {

constexpr const char* kDataError = "Data Error";

// Where an on/off option or a copied digit of ConfigText lands in OptionText.
// Positions count from 1. A weight of 0 marks a copied digit: the ConfigText
// digit itself replaces the OptionText digit.
struct OptionPlace {
    int configPos;
    int optionPos;
    int weight;
};

// Models 1 and 2. ConfigText 13 (model constant) has no place here.
constexpr std::array<OptionPlace, 10> kModel12Places{{
    {3, 6, 1},  // Enable Scan
    {5, 5, 1},  // User programmed scan
    {6, 3, 1},  // Display Timer
    {7, 11, 8}, // Open LED is power indicator
    {8, 8, 2},  // Receive CTCSS enable
    {9, 3, 2},  // Busy Channel Lockout
    {10, 8, 1}, // Silent Switch enabled
    {11, 3, 4}, // Open LED off inhibits Transmit
    {12, 4, 0}, // time-out digit
    {14, 3, 8}, // High/Low Power
}};

// Model 3. High/Low Power (ConfigText 14) has no bit on this model.
constexpr std::array<OptionPlace, 10> kModel3Places{{
    {3, 4, 1},   // Enable Scan
    {5, 5, 1},   // User programmed scan
    {6, 3, 1},   // Display Timer
    {7, 10, 2},  // Open LED is power indicator
    {8, 5, 4},   // Receive CTCSS enable
    {9, 3, 2},   // Busy Channel Lockout
    {10, 6, 1},  // Silent Switch enabled
    {11, 3, 4},  // Open LED off inhibits Transmit
    {12, 12, 0}, // time-out digit
    {13, 11, 0}, // model constant
}};

// Value of one upper-case hex digit of the base text; anything else is a
// corrupt base and is raised to the image build.
int baseDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    throw std::invalid_argument("option base digit is not a hex digit");
}

void addItems(ComboBox& box, std::initializer_list<const char*> items) {
    for (const char* item : items)
        box.addItem(item);
}

} // namespace

char TimeoutDigit(int listIndex, int bandCode) {
    const bool model3 = bandCode == 3;
    switch (listIndex) {
    case 1:
        return model3 ? '7' : '8';
    case 2:
        return model3 ? '8' : 'C';
    default:
        return '4';
    }
}

int TimeoutIndexFromDigit(char digit) {
    switch (digit) {
    case '7':
        return 1;
    case '8':
        return 2;
    default:
        return 0;
    }
}

int TimeoutIndexFromQuarter(int quarter) {
    switch (quarter) {
    case 0:
    case 1:
        return 0;
    case 3:
        return 2;
    default:
        return 1;
    }
}

void SetOptions(Workspace& ws) {
    RadioData& data = ws.data;
    EntryFields& form = ws.form;
    try {
        const int model = form.cboRadio.listIndex();
        data.BandCode = model == 0 ? 1 : model == 1 ? 2 : 3;
        // at() throws on a ConfigText that was never reset; what was written
        // before stays written.
        data.ConfigText.at(14) = static_cast<char>('0' + data.BandCode);
        form.chkHiLo.setEnabled(data.BandCode != 3);
        data.ConfigText.at(11) = TimeoutDigit(form.cboToT.listIndex(), data.BandCode);
        data.ConfigText.at(12) = data.BandCode == 3 ? '2' : '4';
    } catch (const std::exception&) {
        ws.platform.show("Unable to set Options", kDataError, Icon::Exclamation);
    }
}

void BuildOptionText(Workspace& ws) {
    SetOptions(ws);
    RadioData& data = ws.data;

    // Always start again from the base that the last reset or decoding left,
    // so repeated builds give the same digits.
    std::string text =
        data.OptionBaseText.empty() ? std::string(kDefaultOptionText) : data.OptionBaseText;
    // Characters 1-2 are the channel count, kept up to date by the channel store.
    for (std::size_t i = 0; i < 2 && i < data.OptionText.size() && i < text.size(); ++i)
        text[i] = data.OptionText[i];

    const std::string& config = data.ConfigText;
    const bool model3 = config.size() >= 15 && config[14] == '3';
    const auto& places = model3 ? kModel3Places : kModel12Places;

    for (int pos = 3; pos <= 14 && pos <= static_cast<int>(config.size()); ++pos) {
        const std::string_view digit(&config[static_cast<std::size_t>(pos - 1)], 1);
        const std::int32_t v = HexToValue(ws.platform, digit, 16);
        if (v == 0) continue;
        for (const OptionPlace& place : places) {
            if (place.configPos != pos) continue;
            char& target = text.at(static_cast<std::size_t>(place.optionPos - 1));
            const int value = place.weight == 0 ? v : baseDigitValue(target) + place.weight;
            if (value > 15) throw std::out_of_range("option digit above F");
            target = HexDigits(static_cast<std::uint32_t>(value)).front();
        }
    }
    data.OptionText = std::move(text);
}

bool HasChannelData(const RadioData& data) {
    for (const std::string& entry : data.ChannelTable)
        if (!entry.empty()) return true;
    return false;
}

void FillModelList(ComboBox& cboRadio) {
    addItems(cboRadio, {"KL40a-16", "KL40a-64", "KL40c"});
    cboRadio.setListIndex(2);
}

void FillTimeoutList(ComboBox& cboToT) {
    addItems(cboToT, {"1.00", "2.00", "3.00"});
    cboToT.setListIndex(1);
}

void FillChannelNumberList(ComboBox& cboCh) {
    for (int n = 1; n <= 99; ++n)
        cboCh.addItem(std::to_string(n));
    cboCh.addItem("0");
    cboCh.setListIndex(0);
}

void ClearOptionBoxes(EntryFields& form) {
    // Unticking runs each box's own handler; the order is fixed because the
    // handlers enable and disable one another.
    for (CheckBox* box :
         {&form.chkDispl_Blnk, &form.chkCTCSS_en, &form.chkInd_On, &form.chkBCO, &form.chkDwn_Del,
          &form.chkScan_En, &form.chkScan_Prog, &form.chkSilent, &form.chkTX_Inh, &form.chkHiLo})
        box->setChecked(false);
    form.chkHiLo.setEnabled(false);
}

void ResetOptions(RadioData& data) {
    data.OptionText = kDefaultOptionText;
    data.OptionBaseText = kDefaultOptionText;
    data.ConfigText = kDefaultConfigText;
}

} // namespace kl40
