#include "engine/xref_editor.h"

#include "engine/drawing.h"
#include "engine/image_paths.h"
#include "engine/xref_block.h"
#include "engine/xref_files.h"

namespace brondel::engine {

namespace {

constexpr const char* kCaption = "Xref Manager";

const char* stateName(XrefEditor::State state) {
    switch (state) {
        case XrefEditor::State::Loaded:
            return "loaded";
        case XrefEditor::State::NotFound:
            return "not found";
        case XrefEditor::State::NotLoaded:
            break;
    }
    return "not loaded";
}

bool refersTo(const Entity& e, const std::string& name) {
    const InsertGeom* g = geomIf<InsertGeom>(e);
    return g && g->block == name;
}

}  // namespace

std::vector<XrefEditor::Row> XrefEditor::rows() const {
    std::vector<Row> list;
    for (const auto& [name, block] : drawing_.blocks()) {
        if (!isXrefBlock(block)) {
            continue;
        }
        Row row;
        row.name = name;
        row.file = block.xrefPath;
        row.path = resolvedImagePath(block.xrefPath, drawingFile_);
        row.state = !imageFileFound(block.xrefPath, drawingFile_) ? State::NotFound
                    : block.entities.empty()                      ? State::NotLoaded
                                                                  : State::Loaded;
        list.push_back(std::move(row));
    }
    for (const Entity& e : drawing_.entities()) {
        if (const InsertGeom* g = e.erased ? nullptr : geomIf<InsertGeom>(e)) {
            for (Row& row : list) {
                row.references += g->block == row.name;
            }
        }
    }
    return list;
}

std::string XrefEditor::find(const std::string& name) const {
    for (const auto& [other, block] : drawing_.blocks()) {
        if (isXrefBlock(block) && sameTableName(other, name)) {
            return other;
        }
    }
    return {};
}

std::string XrefEditor::reload(const std::string& name) {
    const std::string found = find(name);
    if (found.empty()) {
        return "No reference named \"" + name + "\"";
    }
    Block block = *drawing_.findBlock(found);
    XrefContents read = readXref(block.xrefPath, drawingFile_, xrefsAround(drawingFile_));
    if (!read.error.empty()) {
        return "Cannot reload " + found + ": " + read.error;
    }
    block.entities = std::move(read.entities);
    Drawing::Step step(drawing_, kCaption);
    drawing_.setBlock(found, std::move(block));
    return {};
}

std::string XrefEditor::detach(const std::string& name) {
    const std::string found = find(name);
    if (found.empty()) {
        return "No reference named \"" + name + "\"";
    }
    for (const auto& [other, block] : drawing_.blocks()) {
        for (const Entity& e : block.entities) {
            if (other != found && refersTo(e, found)) {
                return "Cannot detach " + found + ": block " + other + " holds it";
            }
        }
    }
    std::vector<Handle> gone;
    for (const Entity& e : drawing_.entities()) {
        if (!e.erased && refersTo(e, found)) {
            gone.push_back(e.handle);
        }
    }
    Drawing::Step step(drawing_, kCaption);
    drawing_.eraseMany(gone);
    drawing_.setBlock(found, std::nullopt);
    return {};
}

std::string XrefEditor::bind(const std::string& name) {
    const std::string found = find(name);
    if (found.empty()) {
        return "No reference named \"" + name + "\"";
    }
    Block block = *drawing_.findBlock(found);
    if (block.entities.empty()) {
        return "Cannot bind " + found + ": it is not loaded; reload it first";
    }
    block.flags &= ~(kXrefBlockFlag | kXrefOverlayFlag);
    block.xrefPath.clear();
    Drawing::Step step(drawing_, kCaption);
    drawing_.setBlock(found, std::move(block));
    return {};
}

std::string XrefEditor::prompt() const {
    std::string text = "References:";
    for (const Row& row : rows()) {
        text += "\r" + row.name + "  " + row.file + "  " + stateName(row.state) + "  " +
                std::to_string(row.references) +
                (row.references == 1 ? " reference" : " references");
    }
    return text + "\rType: reload NAME, detach NAME, bind NAME; nothing to close";
}

std::string XrefEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    const std::string verb = w.empty() ? std::string() : lowerCase(w[0]);
    if (w.size() == 2 && verb == "reload") {
        return reload(w[1]);
    }
    if (w.size() == 2 && verb == "detach") {
        return detach(w[1]);
    }
    if (w.size() == 2 && verb == "bind") {
        return bind(w[1]);
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
