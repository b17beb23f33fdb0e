#include "engine/image_editor.h"

#include <map>

#include "engine/drawing.h"
#include "engine/image_paths.h"
#include "engine/image_size.h"

namespace brondel::engine {

namespace {

constexpr const char* kCaption = "Image Manager";

const ImageGeom* imageOf(const Entity& e) {
    return e.erased ? nullptr : geomIf<ImageGeom>(e);
}

}  // namespace

std::vector<ImageEditor::Row> ImageEditor::rows() const {
    std::map<std::string, Row> byFile;
    for (const Entity& e : drawing_.entities()) {
        if (const ImageGeom* g = imageOf(e)) {
            Row& row = byFile[g->fileName];
            row.file = g->fileName;
            ++row.images;
        }
    }
    std::vector<Row> list;
    for (auto& [file, row] : byFile) {
        row.path = resolvedImagePath(file, drawingFile_);
        row.found = imageFileFound(file, drawingFile_);
        list.push_back(std::move(row));
    }
    return list;
}

std::string ImageEditor::reload(const std::string& file) {
    return point(file, file, "reload");
}

std::string ImageEditor::repath(const std::string& file, const std::string& newFile) {
    if (newFile.empty()) {
        return "Name the new picture file";
    }
    // A typed name without a folder is read from the drawing's, as kept paths are.
    const std::string path = resolvedImagePath(newFile, drawingFile_);
    return point(file, storedImagePath(path, savedDrawingFile(drawingFile_)), "use");
}

std::string ImageEditor::point(const std::string& file, const std::string& to,
                               const std::string& verb) {
    std::vector<Entity> changed;
    for (const Entity& e : drawing_.entities()) {
        const ImageGeom* g = imageOf(e);
        if (g && g->fileName == file) {
            changed.push_back(e);
        }
    }
    if (changed.empty()) {
        return "No image shows \"" + file + "\"";
    }
    const std::string path = resolvedImagePath(to, drawingFile_);
    const std::optional<PixelSize> size = imagePixelSize(path);
    if (!size) {
        return "Cannot " + verb + " " + path +
               (imageFileFound(to, drawingFile_)
                    ? ": it is not a PNG, JPEG, BMP, GIF or TIFF picture"
                    : ": the file is not found");
    }
    Drawing::Step step(drawing_, kCaption);
    for (Entity& e : changed) {
        ImageGeom& g = *geomIf<ImageGeom>(e);
        // The width in drawing units stays; the new pixels share it.
        const double across = g.widthPx / size->width;
        g.u = g.u * across;
        g.v = g.v * across;
        g.widthPx = size->width;
        g.heightPx = size->height;
        g.fileName = to;
        const Handle h = e.handle;
        drawing_.replace(h, std::move(e));
    }
    return {};
}

std::string ImageEditor::detach(const std::string& file) {
    std::vector<Handle> gone;
    for (const Entity& e : drawing_.entities()) {
        const ImageGeom* g = imageOf(e);
        if (g && g->fileName == file) {
            gone.push_back(e.handle);
        }
    }
    if (gone.empty()) {
        return "No image shows \"" + file + "\"";
    }
    Drawing::Step step(drawing_, kCaption);
    for (const Handle h : gone) {
        drawing_.setErased(h, true);
    }
    return {};
}

std::string ImageEditor::prompt() const {
    std::string text = "Images:";
    for (const Row& row : rows()) {
        text += "\r" + row.file + "  " + (row.found ? "found" : "missing") + "  " +
                std::to_string(row.images) + (row.images == 1 ? " image" : " images");
    }
    return text + "\rType: reload FILE, repath FILE NEWFILE, detach FILE; nothing to close";
}

std::string ImageEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    const std::string verb = w.empty() ? std::string() : lowerCase(w[0]);
    if (verb == "reload" && w.size() == 2) {
        return reload(w[1]);
    }
    if (verb == "repath" && w.size() == 3) {
        return repath(w[1], w[2]);
    }
    if (verb == "detach" && w.size() == 2) {
        return detach(w[1]);
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
