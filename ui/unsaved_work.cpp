#include "ui/unsaved_work.h"

#include "ui/flows/flows.h"
#include "ui/main_window.h"

#include <exception>
#include <string_view>

namespace kl40 {

bool HasUnsavedWork(const Workspace& ws) {
    return ws.data.DataChanged && ws.form.lstFreq.count() > 0;
}

bool OfferToSave(Workspace& ws, FormHost& host) {
    if (!HasUnsavedWork(ws)) return true;
    switch (ws.platform.askYesNoCancel("Do you want to save your data?", "Save Data")) {
    case Answer::No:
        return true;
    case Answer::Yes:
        break;
    default:
        return false;
    }
    try {
        return host.SaveRadioFile() == SaveOutcome::Saved;
    } catch (const std::exception&) {
        // A save that broke has saved nothing.
        return false;
    }
}

std::string FrameTitle(const Workspace& ws) {
    // The form's caption names the file once one was opened or saved.
    const std::string_view caption = ws.form.caption;
    const std::string_view prefix = kFileCaptionPrefix;
    std::string title = kMainWindowCaption;
    if (caption.substr(0, prefix.size()) == prefix && caption.size() > prefix.size())
        title.append(" - ").append(caption.substr(prefix.size()));
    return title;
}

} // namespace kl40
