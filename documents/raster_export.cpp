#include "documents/raster_export.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <filesystem>

#include "base/atomic_file.h"
#include "base/error.h"
#include "engine/vecad.h"

namespace brondel::documents {

namespace {

constexpr const char* kTitle = "Export Screen Raster";
constexpr const char* kFilter =
    "PNG picture (*.png)|*.png|JPEG picture (*.jpg;*.jpeg)|*.jpg;*.jpeg|BMP picture (*.bmp)|*.bmp";
constexpr const char* kTypeExtensions[] = {".png", ".jpg", ".bmp"};  // by the filter's types

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

void refuse(ports::Dialogs& dialogs, const std::string& text) {
    dialogs.messageBox(text, ports::Buttons::Ok, ports::Icon::Exclamation, kTitle);
}

// The view to render: the control's own, or one of the asked size fitted
// to the drawing's extents. nullopt when the user cancelled.
std::optional<engine::View> chosenView(const engine::Vecad& control, ports::Dialogs& dialogs) {
    for (;;) {
        const std::string what = lowered(trimmed(dialogs.inputBox(
            "Export the view or the drawing's extents? (view, extents)", kTitle, "view")));
        if (what.empty()) {
            return std::nullopt;
        }
        if (what == "view" || what == "v") {
            return control.view();
        }
        if (what == "extents" || what == "e") {
            break;
        }
        refuse(dialogs, "Answer view or extents");
    }
    for (;;) {
        const std::string text =
            dialogs.inputBox("Picture size in pixels (width x height)", kTitle, "1920 x 1080");
        if (trimmed(text).empty()) {
            return std::nullopt;
        }
        try {
            const RasterSize size = parseRasterSize(text);
            engine::View view;
            view.resize(size.width, size.height);
            view.zoomExtents(control.shown().extents());
            return view;
        } catch (const Error& e) {
            refuse(dialogs, e.description());
        }
    }
}

// Beside the drawing, under its name: the dialog opens in the drawing's folder.
std::string initialName(const engine::Vecad& control) {
    std::filesystem::path file = control.GetFileName();
    return file.empty() ? "drawing.png" : file.replace_extension(".png").string();
}

}  // namespace

RasterSize parseRasterSize(const std::string& text) {
    std::string spaced = lowered(text);
    std::replace_if(
        spaced.begin(), spaced.end(), [](char c) { return c == 'x' || c == ',' || c == '\t'; },
        ' ');
    long long numbers[2] = {0, 0};
    const char* at = spaced.data();
    const char* end = at + spaced.size();
    for (long long& n : numbers) {
        while (at != end && *at == ' ') {
            ++at;
        }
        const auto [next, ec] = std::from_chars(at, end, n);
        if (ec == std::errc::result_out_of_range) {
            n = kMaxRasterPixels + 1;  // too large either way
        } else if (ec != std::errc{}) {
            throw Error(err::kBadArgument,
                        "Type the size as width x height in pixels, for example 1920 x 1080");
        }
        at = next;
    }
    while (at != end && *at == ' ') {
        ++at;
    }
    if (at != end) {
        throw Error(err::kBadArgument,
                    "Type the size as width x height in pixels, for example 1920 x 1080");
    }
    const auto [width, height] = numbers;
    if (width < 1 || height < 1) {
        throw Error(err::kBadArgument, "The width and height must be at least 1 pixel");
    }
    if (width > kMaxRasterSide || height > kMaxRasterSide || width * height > kMaxRasterPixels) {
        throw Error(err::kBadArgument,
                    "A picture of " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels is too large: at most " + std::to_string(kMaxRasterSide) +
                        " pixels a side and " + std::to_string(kMaxRasterPixels / (1024 * 1024)) +
                        " megapixels in all");
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

std::optional<ports::RasterFormat> rasterFormatOf(const std::string& path) {
    const std::string ext = lowered(std::filesystem::path(path).extension().string());
    if (ext == ".png") {
        return ports::RasterFormat::Png;
    }
    if (ext == ".jpg" || ext == ".jpeg") {
        return ports::RasterFormat::Jpeg;
    }
    if (ext == ".bmp") {
        return ports::RasterFormat::Bmp;
    }
    return std::nullopt;
}

void exportScreenRaster(engine::Vecad& control, ports::Dialogs& dialogs, ports::Printer& printer) {
    const std::optional<engine::View> view = chosenView(control, dialogs);
    if (!view) {
        return;
    }
    ports::FileDialogSetup setup;
    setup.title = kTitle;
    setup.filter = kFilter;
    setup.defaultExt = "png";
    setup.initialName = initialName(control);
    setup.flags = ports::file_flags::kOverwritePrompt;
    const ports::SaveAnswer answer = dialogs.saveFileWithType(setup);
    if (answer.path.empty()) {
        return;
    }
    std::string path = answer.path;
    if (std::filesystem::path(path).extension().empty()) {
        path += kTypeExtensions[std::clamp(answer.filterIndex, 1, 3) - 1];
    }
    const std::optional<ports::RasterFormat> format = rasterFormatOf(path);
    if (!format) {
        refuse(dialogs, path + " was not written: pictures are exported as .png, .jpg or .bmp");
        return;
    }
    try {
        base::writeFileAtomically(path, printer.rasterImage(control, *view, *format));
    } catch (const Error& e) {
        dialogs.messageBox(path + " was not written: " + e.description(), ports::Buttons::Ok,
                           ports::Icon::Critical, kTitle);
        return;
    }
    control.commandMessage("Exported a picture of " + std::to_string(view->width()) + " x " +
                           std::to_string(view->height()) + " pixels to " + path);
}

}  // namespace brondel::documents
