#include "cli/session.h"
#include "cli/text_printer.h"
#include "cli/verbs.h"
#include "coding/options.h"
#include "coding/tone_table.h"
#include "ui/form/option_boxes.h"
#include "ui/form/radio_snapshot.h"
#include "ui/print_dialog.h"

#include <memory>

namespace kl40::cli {

int LoadImageFile(Session& session, const std::string& imagePath);

namespace {
// One copy, printed as text on `out`.
class TextTarget : public PrintTarget {
public:
    explicit TextTarget(std::ostream& out) : out_(out) {}
    std::optional<int> ChoosePrinter() override { return 1; }
    std::unique_ptr<Printer> StartDocument() override {
        return std::make_unique<TextPrinter>(out_);
    }

private:
    std::ostream& out_;
};

// The radio in a data set and form of its own, as the printout reads them.
void showForPrinting(Workspace& ws, const Radio& radio) {
    FillModelList(ws.form.cboRadio);
    FillTimeoutList(ws.form.cboToT);
    FillToneList(ws.form.cboCTCSS);
    FillChannelNumberList(ws.form.cboCh);
    ResetOptions(ws.data);
    ShowDecodedRadio(ws, radio);
}

} // namespace

int RunList(const std::string& imagePath, std::ostream& out) {
    Session session;
    if (int status = LoadImageFile(session, imagePath)) return status;
    StderrPlatform platform;
    platform.quiet = true;
    Workspace ws{platform};
    showForPrinting(ws, session.radio);
    TextTarget target(out);
    Print_Dialog dialog(ws, target);
    dialog.PrintSelection(kPrintAll);
    return 0;
}

} // namespace kl40::cli
