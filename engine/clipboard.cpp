#include "engine/clipboard.h"

#include <unistd.h>

#include <atomic>
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

Clipboard clipboardOf(const Drawing& d, const std::vector<Handle>& handles) {
    Clipboard c;
    std::set<std::string> layers;
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
        layers.insert(copy.props.layer);
        c.entities.push_back(std::move(copy));
    }
    for (const std::string& name : layers) {
        if (const Layer* layer = d.findLayer(name)) {
            c.layers.push_back(*layer);
        }
    }
    c.blocks = d.blocks();
    c.base = box.empty() ? Point2{} : Point2{box.minX, box.minY};
    return c;
}

std::string clipboardDxf(const Clipboard& c) {
    static std::atomic<int> serial = 0;
    DrawingContent content;
    content.layers = c.layers;
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
