#include "info_command.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "base/error.h"
#include "engine/io/drawing_files.h"

namespace brondel::cli {

namespace {

std::string lowerExtension(const std::string& path) {
    const auto dot = path.find_last_of('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext;
}

std::string number(double v) {
    char buffer[32];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, v);
    return std::string(buffer, r.ptr);
}

}  // namespace

int runInfo(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    using namespace engine;
    io::ReadReport report;
    Drawing drawing;
    try {
        const std::string ext = lowerExtension(path);
        if (ext == "dwg") {
            throw Error(err::kDwgNotSupported);
        }
        if (ext == "vec") {
            drawing.load(io::readVec(path));
            report.version = drawing.header().acadVersion;
            for (const Entity& e : drawing.entities()) {
                ++report.counts[typeName(e.type())];
            }
        } else {
            drawing.load(io::readDxf(path, &report));
        }
    } catch (const Error& e) {
        err << "Error " << e.number() << ": " << e.description() << "\n";
        return 1;
    }

    const Box2 ext = drawing.extents();
    if (json) {
        nlohmann::ordered_json j;
        j["file"] = path;
        j["version"] = report.version;
        j["producer"] = report.producer;
        j["counts"] = report.counts;
        j["skipped"] = report.skipped;
        j["layers"] = nlohmann::json::array();
        for (const Layer& l : drawing.layers()) {
            j["layers"].push_back(l.name);
        }
        j["blocks"] = nlohmann::json::array();
        for (const auto& [name, block] : drawing.blocks()) {
            j["blocks"].push_back(name);
        }
        if (ext.empty()) {
            j["extents"] = nullptr;
        } else {
            j["extents"] = {{"min", {ext.minX, ext.minY}}, {"max", {ext.maxX, ext.maxY}}};
        }
        out << j.dump(2) << "\n";
        return 0;
    }

    out << "File:     " << path << "\n";
    out << "Version:  " << (report.version.empty() ? "unknown" : report.version) << "\n";
    if (!report.producer.empty()) {
        out << "Producer: " << report.producer << "\n";
    }
    out << "Entities:\n";
    for (const auto& [name, count] : report.counts) {
        out << "  " << name << ": " << count << "\n";
    }
    if (!report.skipped.empty()) {
        out << "Left out (kinds the drawing model does not hold):\n";
        for (const auto& [name, count] : report.skipped) {
            out << "  " << name << ": " << count << "\n";
        }
    }
    out << "Layers (" << drawing.layers().size() << "):";
    for (const Layer& l : drawing.layers()) {
        out << " " << l.name;
    }
    out << "\nBlocks (" << drawing.blocks().size() << ")\n";
    if (ext.empty()) {
        out << "Extents:  none\n";
    } else {
        out << "Extents:  (" << number(ext.minX) << ", " << number(ext.minY) << ") to ("
            << number(ext.maxX) << ", " << number(ext.maxY) << ")\n";
    }
    return 0;
}

}  // namespace brondel::cli
