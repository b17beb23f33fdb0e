#include "engine/vecad_tool_context.h"

#include "engine/vecad.h"

namespace brondel::engine {

const Drawing& VecadToolContext::drawing() const {
    return vecad_.drawing();
}

Handle VecadToolContext::add(Entity e) {
    ++changes;
    return vecad_.addEntity(std::move(e));
}

Handle VecadToolContext::addAsIs(Entity e) {
    ++changes;
    return vecad_.drawing().add(std::move(e));
}

void VecadToolContext::replace(Handle h, Entity e) {
    ++changes;
    vecad_.drawing().replace(h, std::move(e));
}

void VecadToolContext::erase(Handle h) {
    ++changes;
    vecad_.EntityErase(h, true);
}

const View& VecadToolContext::view() const {
    return vecad_.view();
}

void VecadToolContext::rememberView() {
    vecad_.rememberView();
}

void VecadToolContext::setView(Point2 center, double scale) {
    vecad_.setView(center, scale);
}

void VecadToolContext::zoomToBox(const Box2& box) {
    vecad_.zoomToBox(box);
}

const std::vector<Handle>& VecadToolContext::selection() const {
    return vecad_.selection();
}

void VecadToolContext::select(Handle h) {
    vecad_.SelectEntity(h, true);
    vecad_.WndRedraw();
}

void VecadToolContext::clearSelection() {
    vecad_.SelClear();
    vecad_.WndRedraw();
}

int VecadToolContext::selectInBox(const Box2& box, bool crossing) {
    return vecad_.selectInBox(box, crossing);
}

Handle VecadToolContext::entityAt(Point2 window) const {
    return vecad_.GetEntityAtPoint(window.x, window.y);
}

void VecadToolContext::message(const std::string& text) {
    vecad_.commandMessage(text);
}

DraftingSettings& VecadToolContext::settings() {
    return vecad_.draftingSettings();
}

void VecadToolContext::replaceMany(std::vector<Entity> entities) {
    ++changes;
    vecad_.drawing().replaceMany(std::move(entities));
}

void VecadToolContext::addLayerIfMissing(const Layer& layer) {
    if (!vecad_.drawing().findLayer(layer.name)) {
        ++changes;
        vecad_.drawing().addLayer(layer);
    }
}

int VecadToolContext::selectMany(const std::vector<Handle>& handles) {
    return vecad_.selectMany(handles);
}

void VecadToolContext::setCurrentLayer(const std::string& name) {
    ++changes;
    vecad_.drawing().setCurrentLayer(name);
}

std::string VecadToolContext::fileName() const {
    return vecad_.GetFileName();
}

void VecadToolContext::setBlock(const std::string& name, std::optional<Block> block) {
    ++changes;
    vecad_.drawing().setBlock(name, std::move(block));
}

std::string VecadToolContext::chooseFile(const FileChoice& choice) {
    return vecad_.requestFile(choice);
}

std::optional<std::string> VecadToolContext::chooseName(const NameChoice& choice) {
    return vecad_.requestName(choice);
}

void VecadToolContext::eraseMany(const std::vector<Handle>& handles) {
    ++changes;
    vecad_.drawing().eraseMany(handles);
    // The selection is rebuilt without the erased at once: taking each out
    // by itself costs time growing with the square of their number.
    std::vector<Handle> kept;
    for (const Handle h : vecad_.selection()) {
        if (!vecad_.drawing().entity(h).erased) {
            kept.push_back(h);
        }
    }
    if (kept.size() != vecad_.selection().size()) {
        vecad_.SelClear();
        for (const Handle h : kept) {
            vecad_.SelectEntity(h, true);
        }
    }
}

void VecadToolContext::addLineTypeIfMissing(const LineType& lineType) {
    const std::uint64_t before = vecad_.drawing().version();
    vecad_.drawing().addLineType(lineType);
    changes += vecad_.drawing().version() != before ? 1 : 0;
}

void VecadToolContext::addTextStyleIfMissing(const TextStyle& style) {
    const std::uint64_t before = vecad_.drawing().version();
    vecad_.drawing().addTextStyle(style);
    changes += vecad_.drawing().version() != before ? 1 : 0;
}

}  // namespace brondel::engine
