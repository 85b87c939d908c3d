#include "ui/flows/form_image.h"

#include "core/radio_model.h"
#include "image/image_build.h"
#include "image/image_decode.h"
#include "image/image_file.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "ui/form/option_boxes.h"
#include "ui/form/radio_snapshot.h"

#include <cstddef>
#include <variant>

namespace kl40 {

namespace {

// The number of image bytes a file holds for a model code; 0 when the code
// names no model.
std::size_t WriteLength(int modelCode) {
    return FindModel(modelCode) ? ImageSize(modelCode) : 0;
}

} // namespace

bool BuildImage(Workspace& ws) {
    RadioData& data = ws.data;
    SetOptions(ws);
    const Radio radio = RadioOf(ws);
    auto built = BuildImage(radio);
    if (auto* refused = std::get_if<BuildRefusal>(&built)) {
        ws.platform.show(refused->text, refused->title, refused->icon);
        return false;
    }
    data.ImageText = std::move(std::get<std::vector<std::uint8_t>>(built));
    const ProgramCodePlaced placed = PlaceProgramCode(data.ImageText, radio.model, data.OpenedImage,
                                                      data.OpenedModel, ws.FirmwareFolder);
    data.LastProgramSource = placed.source;
    data.FirmwareProblem = placed.problem;
    return true;
}

int BuildModel(const RadioData& data) {
    return data.radio.model;
}

bool BuiltWithoutProgramCode(const RadioData& data) {
    const int model = BuildModel(data);
    return ModelOrDefault(model).hasProgramArea() && !HasProgramCode(data.ImageText, model);
}

bool DecodeImage(Workspace& ws) {
    const std::optional<Radio> decoded = DecodeImage(ws.data.ImageText);
    if (!decoded) {
        ws.platform.show("Error in decoding channel", "Data Error", Icon::Exclamation);
        return false;
    }
    ShowDecodedRadio(ws, *decoded);
    return true;
}

std::optional<std::vector<std::uint8_t>> ImageFileContent(Workspace& ws, const std::string& path,
                                                          const FileFormat* format) {
    const std::size_t length = WriteLength(ws.data.radio.model);
    if (length == 0) {
        ws.platform.show(kCantWriteText + path + "\nThe radio model is not known.", kAppTitle,
                         Icon::Exclamation);
        return std::nullopt;
    }
    auto& image = ws.data.ImageText;
    if (image.size() > length) image.resize(length);
    if (image.empty()) {
        // Writing nothing would only replace a file with an empty one.
        ws.platform.show(kCantWriteText + path + "\nThere is no image to write.", kAppTitle,
                         Icon::Exclamation);
        return std::nullopt;
    }
    return EncodeImageFile(image, path, format);
}

bool WriteImageFile(Workspace& ws, const std::string& path, const WriteOptions& options) {
    const auto content = ImageFileContent(ws, path, options.format);
    return content && WriteShowingFailure(ws.platform, path, *content, options);
}

bool WriteShowingFailure(Platform& platform, const std::string& path,
                         const std::vector<std::uint8_t>& content, const WriteOptions& options) {
    const auto failure = WriteFileAtomically(platform, path, content, options);
    if (!failure) return true;
    if (failure->notVerified)
        platform.show(failure->text, kFileErrorTitle, Icon::Critical);
    else
        platform.show(failure->text, kAppTitle, Icon::Exclamation);
    return false;
}

} // namespace kl40
