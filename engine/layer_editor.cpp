#include "engine/layer_editor.h"

#include <charconv>
#include <optional>

#include "engine/drawing.h"
#include "engine/entity_properties.h"

namespace brondel::engine {

namespace {

constexpr const char* kCaption = "Format Layers";

std::string noLayer(const std::string& name) {
    return "No layer named \"" + name + "\"";
}

std::optional<int> whole(const std::string& text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || stop != end) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

const Layer* LayerEditor::find(const std::string& name) const {
    for (const Layer& l : drawing_.layers()) {
        if (sameTableName(l.name, name)) {
            return &l;
        }
    }
    return nullptr;
}

bool LayerEditor::used(const std::string& name) const {
    for (const Entity& e : drawing_.entities()) {
        if (!e.erased && e.props().layer == name) {
            return true;
        }
    }
    for (const auto& [blockName, block] : drawing_.blocks()) {
        for (const Entity& e : block.entities) {
            if (e.props().layer == name) {
                return true;
            }
        }
    }
    return false;
}

std::string LayerEditor::add(const std::string& name) {
    if (std::string why = refusedTableName(name); !why.empty()) {
        return why;
    }
    if (find(name)) {
        return "A layer named \"" + name + "\" exists";
    }
    Drawing::Step step(drawing_, kCaption);
    drawing_.addLayer(Layer{name});
    return {};
}

std::string LayerEditor::rename(const std::string& from, const std::string& to) {
    const Layer* layer = find(from);
    if (!layer) {
        return noLayer(from);
    }
    if (layer->name == "0") {
        return "Layer 0 keeps its name";
    }
    if (std::string why = refusedTableName(to); !why.empty()) {
        return why;
    }
    if (const Layer* other = find(to); other && other != layer) {
        return "A layer named \"" + to + "\" exists";
    }
    if (layer->name != to) {
        Drawing::Step step(drawing_, kCaption);
        drawing_.renameLayer(layer->name, to);
    }
    return {};
}

std::string LayerEditor::remove(const std::string& name) {
    const Layer* layer = find(name);
    if (!layer) {
        return noLayer(name);
    }
    if (layer->name == "0") {
        return "Layer 0 cannot be deleted";
    }
    if (layer->name == drawing_.currentLayer()) {
        return "The current layer cannot be deleted";
    }
    if (used(layer->name)) {
        return "Layer \"" + layer->name + "\" is not empty";
    }
    Drawing::Step step(drawing_, kCaption);
    drawing_.removeLayer(layer->name);
    return {};
}

std::string LayerEditor::setCurrent(const std::string& name) {
    const Layer* layer = find(name);
    if (!layer) {
        return noLayer(name);
    }
    if (layer->frozen) {
        return "A frozen layer cannot be current";
    }
    Drawing::Step step(drawing_, kCaption);
    drawing_.setCurrentLayer(layer->name);
    return {};
}

std::string LayerEditor::change(const std::string& name, void (*edit)(Layer&, int), int value) {
    const Layer* layer = find(name);
    if (!layer) {
        return noLayer(name);
    }
    Layer changed = *layer;
    edit(changed, value);
    Drawing::Step step(drawing_, kCaption);
    drawing_.addLayer(changed);
    return {};
}

std::string LayerEditor::setOn(const std::string& name, bool on) {
    return change(
        name, [](Layer& l, int v) { l.on = v != 0; }, on);
}

std::string LayerEditor::setFrozen(const std::string& name, bool frozen) {
    const Layer* layer = find(name);
    if (frozen && layer && layer->name == drawing_.currentLayer()) {
        return "The current layer cannot be frozen";
    }
    return change(
        name, [](Layer& l, int v) { l.frozen = v != 0; }, frozen);
}

std::string LayerEditor::setLocked(const std::string& name, bool locked) {
    return change(
        name, [](Layer& l, int v) { l.locked = v != 0; }, locked);
}

std::string LayerEditor::setColor(const std::string& name, int aci) {
    if (aci < 1 || aci > 255) {
        return "A layer colour is a number from 1 to 255";
    }
    return change(
        name,
        [](Layer& l, int v) {
            l.color.aci = static_cast<std::int16_t>(v);
            l.color.trueColor = -1;
        },
        aci);
}

std::string LayerEditor::setLineType(const std::string& name, const std::string& lineType) {
    const Layer* layer = find(name);
    if (!layer) {
        return noLayer(name);
    }
    std::string known = sameTableName(lineType, "CONTINUOUS") ? "CONTINUOUS" : "";
    for (const LineType& t : drawing_.lineTypes()) {
        if (sameTableName(t.name, lineType)) {
            known = t.name;
        }
    }
    if (known.empty()) {
        return "No line type named \"" + lineType + "\"";
    }
    Layer changed = *layer;
    changed.lineType = known;
    Drawing::Step step(drawing_, kCaption);
    drawing_.addLayer(changed);
    return {};
}

std::string LayerEditor::setLineWeight(const std::string& name, int weight) {
    if (weight < lineweight::kDefault || weight == lineweight::kByLayer ||
        weight == lineweight::kByBlock || !isLineWeight(weight)) {
        return "Not a line weight: " + std::to_string(weight) +
               " (hundredths of a millimetre, 0 to 211, or -3 for the default)";
    }
    return change(
        name, [](Layer& l, int v) { l.lineWeight = static_cast<std::int16_t>(v); }, weight);
}

std::string LayerEditor::prompt() const {
    std::string text = "Layers (current: " + drawing_.currentLayer() + "):";
    for (const Layer& l : drawing_.layers()) {
        text += "\r" + l.name + "  " + (l.on ? "on" : "off") + (l.frozen ? " frozen" : "") +
                (l.locked ? " locked" : "") + "  colour " + std::to_string(l.color.aci) + "  " +
                l.lineType + "  " + lineWeightName(l.lineWeight);
    }
    text +=
        "\rType: add NAME, rename NAME NEW, delete NAME, current NAME, on/off NAME, "
        "freeze/thaw NAME, lock/unlock NAME, color NAME 1-255, linetype NAME TYPE, "
        "weight NAME HUNDREDTHS; nothing to close";
    return text;
}

std::string LayerEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    if (w.size() == 2) {
        const std::string& name = w[1];
        if (verb == "add") {
            return add(name);
        }
        if (verb == "delete") {
            return remove(name);
        }
        if (verb == "current") {
            return setCurrent(name);
        }
        if (verb == "on" || verb == "off") {
            return setOn(name, verb == "on");
        }
        if (verb == "freeze" || verb == "thaw") {
            return setFrozen(name, verb == "freeze");
        }
        if (verb == "lock" || verb == "unlock") {
            return setLocked(name, verb == "lock");
        }
    } else if (w.size() == 3) {
        if (verb == "rename") {
            return rename(w[1], w[2]);
        }
        if (verb == "linetype") {
            return setLineType(w[1], w[2]);
        }
        if (verb == "color" || verb == "colour" || verb == "weight") {
            const std::optional<int> value = whole(w[2]);
            if (!value) {
                return "Not a whole number: " + w[2];
            }
            return verb == "weight" ? setLineWeight(w[1], *value) : setColor(w[1], *value);
        }
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
