#include "ui/print_dialog.h"

#include "ui/channel_table_print.h"

#include <memory>
#include <optional>
#include <utility>

namespace kl40 {

Print_Dialog::Print_Dialog(const Workspace& ws, PrintTarget& target, Handler onClose)
    : ws_(ws), target_(target), onClose_(std::move(onClose)) {}

Print_Dialog::Print_Dialog(const Workspace& ws, PrintTarget& target, PreviewTarget* preview,
                           Handler onClose)
    : ws_(ws), target_(target), preview_(preview), onClose_(std::move(onClose)) {}

void Print_Dialog::PreviewButton_Click() {
    const int choice = PrintChoice;
    if (!IsPrintChoice(choice)) {
        ws_.platform.show(kChooseToPreviewText, kPrintDialogCaption, Icon::Information);
        return;
    }
    if (preview_ == nullptr) return;
    try {
        preview_->ShowPreview([this, choice, date = TodayText()](Printer& device) {
            PrintDocument(device, choice, ws_, date);
        });
    } catch (...) {
        // Like printing, a preview that fails reports nothing.
    }
}

void Print_Dialog::OKButton_Click() {
    // Without a choice the printer dialog would lead to nothing printed and
    // nothing said; the window stays open for the choice instead.
    if (!IsPrintChoice(PrintChoice)) {
        ws_.platform.show(kChooseToPrintText, kPrintDialogCaption, Icon::Information);
        return;
    }
    PrintSelection(PrintChoice);
    close();
}

void Print_Dialog::CancelButton_Click() {
    close();
}

void Print_Dialog::close() {
    closed_ = true;
    // The view may destroy this window from the handler, so run it from a copy
    // and touch no member afterwards.
    if (Handler handler = onClose_) handler();
}

void Print_Dialog::PrintSelection(int choice) {
    std::optional<int> copies;
    try {
        copies = target_.ChoosePrinter();
    } catch (...) {
        return; // a dialog that cannot be shown counts as cancelled
    }
    if (!copies) return;
    // Without a choice there is nothing to print, so no document is started.
    if (!IsPrintChoice(choice)) return;
    const std::string date = TodayText();

    for (int copy = 0; copy < *copies; ++copy) {
        std::unique_ptr<Printer> device;
        try {
            device = target_.StartDocument();
        } catch (...) {
        }
        if (device) PrintDocument(*device, choice, ws_, date);
    }
}

} // namespace kl40
