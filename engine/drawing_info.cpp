#include "engine/drawing_info.h"

#include <array>
#include <filesystem>

#include "engine/measure.h"

namespace brondel::engine {

namespace {

const char* unitsName(int insUnits) {
    static constexpr std::array<const char*, 21> kNames = {"unitless",
                                                           "inches",
                                                           "feet",
                                                           "miles",
                                                           "millimetres",
                                                           "centimetres",
                                                           "metres",
                                                           "kilometres",
                                                           "microinches",
                                                           "mils",
                                                           "yards",
                                                           "angstroms",
                                                           "nanometres",
                                                           "microns",
                                                           "decimetres",
                                                           "decametres",
                                                           "hectometres",
                                                           "gigametres",
                                                           "astronomical units",
                                                           "light years",
                                                           "parsecs"};
    return insUnits >= 0 && insUnits < static_cast<int>(kNames.size()) ? kNames[insUnits]
                                                                       : "unknown";
}

std::string fileLine(const std::string& fileName) {
    if (fileName.empty()) {
        return "file: none (never saved)";
    }
    std::error_code error;
    const auto size = std::filesystem::file_size(fileName, error);
    return "file: " + fileName +
           (error ? std::string(" (not on disk)") : ", " + std::to_string(size) + " bytes on disk");
}

}  // namespace

std::vector<std::string> drawingInfo(const Drawing& d, const std::string& fileName) {
    std::vector<std::string> lines;
    lines.push_back(fileLine(fileName));
    const std::string& version = d.header().acadVersion;
    lines.push_back("version: " + (version.empty() ? std::string("new drawing") : version));
    lines.push_back("units: " + std::string(unitsName(d.header().insUnits)));

    std::array<std::size_t, 32> counts{};
    for (const Entity& e : d.entities()) {
        if (e.erased) {
            continue;
        }
        ++counts[static_cast<std::size_t>(code(e.type())) % counts.size()];
    }
    std::string kinds;
    for (std::size_t k = 0; k < counts.size(); ++k) {
        if (counts[k] > 0) {
            kinds += (kinds.empty() ? "" : ", ") +
                     std::string(typeName(static_cast<EntityType>(k))) + " " +
                     std::to_string(counts[k]);
        }
    }
    lines.push_back("entities: " + std::to_string(d.liveCount()) +
                    (kinds.empty() ? "" : " (" + kinds + ")"));

    std::string layers;
    for (const Layer& l : d.layers()) {
        layers += (layers.empty() ? "" : ", ") + l.name;
    }
    lines.push_back("layers: " + std::to_string(d.layers().size()) + " (" + layers + "), current " +
                    d.currentLayer());
    std::size_t blocks = 0;
    for (const auto& [name, block] : d.blocks()) {
        blocks += name.empty() || name[0] != '*' ? 1 : 0;
    }
    lines.push_back("blocks: " + std::to_string(blocks));
    const Box2 box = d.extents();
    lines.push_back(box.empty() ? std::string("extents: none")
                                : "extents: (" + shownNumber(box.minX) + ", " +
                                      shownNumber(box.minY) + ") to (" + shownNumber(box.maxX) +
                                      ", " + shownNumber(box.maxY) + ")");
    return lines;
}

}  // namespace brondel::engine
