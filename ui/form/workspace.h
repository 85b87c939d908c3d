#pragma once
// The one radio data set of the process and the values of the data-entry
// form's fields. A single `Workspace` owns both and is passed by reference to
// every operation; it is neither copied nor moved, because the fields' click
// handlers refer back to it.

#include "core/option_set.h"
#include "core/platform.h"
#include "core/radio.h"
#include "image/program_code.h"
#include "ui/form/fields.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

struct RadioData {
    // The radio being edited. The form's fields show it; their handlers and
    // the channel entry change it.
    Radio radio;
    std::vector<std::uint8_t> ImageText;
    bool FileError = false;
    bool LoadingForm = false;
    bool EditingChannel = false;
    bool DataChanged = true;
    std::int16_t SelectedChannel = 0;

    // The image last opened, kept whole for its program code, and its model
    // code; empty and 0 when nothing was opened since start-up or New.
    std::vector<std::uint8_t> OpenedImage;
    int OpenedModel = 0;
    // What the last build took its program code from, and why installed
    // firmware was passed over ("" when it was not).
    ProgramSource LastProgramSource = ProgramSource::Template;
    std::string FirmwareProblem;

    bool operator==(const RadioData&) const = default;
};

// The controls of the data-entry form that can hold the keyboard focus.
enum class Control {
    None,
    cboCh,
    txtRx,
    txtTx,
    cboCTCSS,
    chkScan,
    cboToT,
    cboRadio,
    txtCh,
    lstFreq,
};

inline constexpr const char* kEntryFormCaption = "KL40 Data Entry Form";

// Values of the data-entry form `Freq_Input`. A copy holds the values without
// the click handlers (see core/fields.h).
struct EntryFields {
    std::string caption = kEntryFormCaption;

    ComboBox cboCh;
    TextBox txtCh;
    TextBox txtRx;
    TextBox txtTx;
    ComboBox cboCTCSS;
    CheckBox chkScan;
    ListBox lstFreq;
    Button cmdReset_Pers{"Reset"};
    ComboBox cboRadio;
    ComboBox cboToT;

    CheckBox chkScan_En{OptionCaption(Option::EnableScan)};
    CheckBox chkDwn_Del{OptionCaption(Option::DownDelete)};
    CheckBox chkScan_Prog{OptionCaption(Option::UserProgrammedScan)};
    CheckBox chkDispl_Blnk{OptionCaption(Option::DisplayTimer)};
    CheckBox chkInd_On{OptionCaption(Option::OpenLedIsPowerIndicator)};
    CheckBox chkCTCSS_en{OptionCaption(Option::ReceiveCtcss)};
    CheckBox chkBCO{OptionCaption(Option::BusyChannelLockout)};
    CheckBox chkSilent{OptionCaption(Option::SilentSwitch)};
    CheckBox chkTX_Inh{OptionCaption(Option::OpenLedOffInhibitsTransmit)};
    CheckBox chkHiLo{OptionCaption(Option::HighLowPower)};

    Control focus = Control::None;

    bool operator==(const EntryFields&) const = default;
};

// The option box of each option.
CheckBox& BoxOf(EntryFields& form, std::size_t option);
const CheckBox& BoxOf(const EntryFields& form, std::size_t option);

// The common file dialog object shared by the open and save dialogs; it keeps
// the file name it last returned for the life of the process.
struct CommonDialog {
    std::string FileName;
};

// The file the radio came from or was last saved to, which Save writes again.
struct CurrentFile {
    std::string path;       // "" at start-up, after New and after a failed decode
    bool radioFile = false; // a radio file (JSON); otherwise an image
};

struct Workspace {
    explicit Workspace(Platform& ui) : platform(ui) {}
    Workspace(const Workspace&) = delete;
    Workspace& operator=(const Workspace&) = delete;

    RadioData data;
    EntryFields form;
    CommonDialog CMDDialog1;
    CurrentFile file;
    Platform& platform;
    // The folder of installed firmware; "" looks at none (builds then use the
    // opened image's program code or the shipped template).
    std::string FirmwareFolder;
};

} // namespace kl40
