#include "engine/layer_order.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <unordered_map>

#include "engine/drawing.h"

namespace brondel::engine {

std::string moveLayerTo(Drawing& drawing, const std::string& name, std::size_t position) {
    const std::vector<Layer>& layers = drawing.layers();
    std::size_t from = layers.size();
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (sameTableName(layers[i].name, name)) {
            from = i;
        }
    }
    if (from == layers.size()) {
        return "No layer named \"" + name + "\"";
    }
    if (position == 0) {
        return "Positions start at 1";
    }
    const std::size_t to = std::min(position, layers.size()) - 1;
    if (to == from) {
        return {};
    }
    // The table only appends: the layers from the first place that changes
    // on are taken out and put back in their new order, as one step.
    const std::size_t first = std::min(from, to);
    std::vector<Layer> tail(layers.begin() + std::ptrdiff_t(first), layers.end());
    const Layer moved = layers[from];
    tail.erase(tail.begin() + std::ptrdiff_t(from - first));
    tail.insert(tail.begin() + std::ptrdiff_t(to - first), moved);
    Drawing::Step step(drawing, "Set Layer Order");
    for (std::size_t i = layers.size(); i > first; --i) {
        drawing.removeLayer(layers[i - 1].name);
    }
    for (const Layer& l : tail) {
        drawing.addLayer(l);
    }
    return {};
}

std::vector<std::uint32_t> drawingOrder(const std::vector<Entity>& entities,
                                        const std::vector<Layer>& layers) {
    std::unordered_map<std::string_view, std::uint32_t> place;
    place.reserve(layers.size());
    for (std::size_t i = 0; i < layers.size(); ++i) {
        place.emplace(layers[i].name, std::uint32_t(i));
    }
    const auto unknown = std::uint32_t(layers.size());
    // Each live entity's bucket, then the buckets laid out one after another.
    std::vector<std::uint32_t> bucket(entities.size(), 0);
    std::vector<std::size_t> start(layers.size() + 2, 0);
    const std::string* lastName = nullptr;
    std::uint32_t last = unknown;
    for (std::size_t i = 0; i < entities.size(); ++i) {
        const Entity& e = entities[i];
        if (e.erased) {
            continue;
        }
        if (!lastName || *lastName != e.props().layer) {
            lastName = &e.props().layer.str();
            const auto found = place.find(e.props().layer);
            last = found == place.end() ? unknown : found->second;
        }
        bucket[i] = last;
        ++start[last + 1];
    }
    for (std::size_t b = 1; b < start.size(); ++b) {
        start[b] += start[b - 1];
    }
    std::vector<std::uint32_t> order(start.back());
    for (std::size_t i = 0; i < entities.size(); ++i) {
        if (!entities[i].erased) {
            order[start[bucket[i]]++] = std::uint32_t(i);
        }
    }
    return order;
}

std::string LayerOrderEditor::prompt() const {
    std::string text = "Layers from the one drawn first to the one drawn on top:";
    std::size_t n = 0;
    for (const Layer& l : drawing_.layers()) {
        text += "\r" + std::to_string(++n) + "  " + l.name;
    }
    return text + "\rType: NAME POSITION; nothing to close";
}

std::string LayerOrderEditor::command(const std::string& line) {
    const std::vector<std::string> w = typedWords(line);
    if (w.size() != 2) {
        return "Type a layer's name and its new position";
    }
    std::size_t position = 0;
    const char* end = w[1].data() + w[1].size();
    const auto [stop, ec] = std::from_chars(w[1].data(), end, position);
    if (ec != std::errc() || stop != end) {
        return "The position must be a whole number from 1";
    }
    return moveLayerTo(drawing_, w[0], position);
}

}  // namespace brondel::engine
