#include "engine/clipboard.h"

#include <unistd.h>

#include <atomic>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "engine/io/drawing_files.h"
#include "engine/shape.h"

namespace brondel::engine {

namespace {

std::function<void(const Clipboard&)>& watcher() {
    static std::function<void(const Clipboard&)> w;
    return w;
}

}  // namespace

Clipboard& clipboard() {
    static Clipboard shared;
    return shared;
}

void putOnClipboard(Clipboard c) {
    clipboard() = std::move(c);
    if (watcher()) {
        watcher()(clipboard());
    }
}

void watchClipboard(std::function<void(const Clipboard&)> w) {
    watcher() = std::move(w);
}

namespace {

std::string upper(std::string s) {
    for (char& ch : s) {
        ch = char(std::toupper(static_cast<unsigned char>(ch)));
    }
    return s;
}

// The names of what a clipboard's entities use, upper-cased as DXF compares
// table names.
struct Used {
    std::set<std::string> layers, lineTypes, textStyles, blocks;

    void lineType(const std::string& name) {
        const std::string key = upper(name);
        if (!key.empty() && key != "BYLAYER" && key != "BYBLOCK") {
            lineTypes.insert(key);
        }
    }
    void add(const Entity& e, const Drawing& d) {
        lineType(e.props().lineType);
        if (const auto* text = geomIf<TextGeom>(e)) {
            textStyles.insert(upper(text->style));
        } else if (const auto* mtext = geomIf<MTextGeom>(e)) {
            textStyles.insert(upper(mtext->style));
        } else if (const auto* insert = geomIf<InsertGeom>(e)) {
            block(insert->block, d);
        } else if (const auto* dim = geomIf<DimensionGeom>(e)) {
            block(dim->block, d);
        }
    }
    void block(const std::string& name, const Drawing& d) {
        const Block* b = d.findBlock(name);
        if (!b || !blocks.insert(name).second) {
            return;
        }
        for (const Entity& inner : b->entities) {
            add(inner, d);
        }
    }
};

}  // namespace

Clipboard clipboardOf(const Drawing& d, const std::vector<Handle>& handles) {
    Clipboard c;
    Used used;
    Box2 box;
    for (Handle h : handles) {
        const Entity* e = d.find(h);
        if (!e || e->erased) {
            continue;
        }
        const Box2 b = boundingBox(*e, d);
        if (std::isfinite(b.minX) && std::isfinite(b.minY)) {
            box.add(b.minX, b.minY);
        }
        Entity copy = *e;
        copy.handle = kNoHandle;
        used.layers.insert(copy.props().layer);
        used.add(copy, d);
        c.entities.push_back(std::move(copy));
    }
    for (const std::string& name : used.layers) {
        if (const Layer* layer = d.findLayer(name)) {
            c.layers.push_back(*layer);
            used.lineType(layer->lineType);
        }
    }
    for (const LineType& t : d.lineTypes()) {
        if (used.lineTypes.count(upper(t.name))) {
            c.lineTypes.push_back(t);
        }
    }
    for (const TextStyle& t : d.textStyles()) {
        if (used.textStyles.count(upper(t.name))) {
            c.textStyles.push_back(t);
        }
    }
    for (const std::string& name : used.blocks) {
        c.blocks.emplace(name, *d.findBlock(name));
    }
    c.base = box.empty() ? Point2{} : Point2{box.minX, box.minY};
    return c;
}

std::string clipboardDxf(const Clipboard& c) {
    static std::atomic<int> serial = 0;
    DrawingContent content;
    content.layers = c.layers;
    content.lineTypes = c.lineTypes;
    content.textStyles = c.textStyles;
    content.blocks = c.blocks;
    content.entities = c.entities;
    Drawing d;
    d.load(std::move(content));
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("brondel-clipboard-" + std::to_string(::getpid()) + "-" +
                                        std::to_string(serial++) + ".dxf");
    io::writeDxf(d, path.string());
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    in.close();
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    return text.str();
}

}  // namespace brondel::engine
