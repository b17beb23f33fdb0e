#include "engine/xref_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/error.h"
#include "engine/explode.h"
#include "engine/image_paths.h"
#include "engine/io/drawing_files.h"
#include "engine/table_editor.h"
#include "engine/xref_block.h"

namespace brondel::engine {

namespace fs = std::filesystem;

namespace {

// References within references stop here even without a cycle: no real
// drawing nests deeper, and a stack of them could not overflow.
constexpr std::size_t kDeepestNesting = 16;
// Block references inside blocks are placed down to this depth; a block
// that holds itself ends there.
constexpr int kDeepestBlock = 16;
constexpr double kChordTolerance = 0.01;

std::string sameFile(const std::string& path) {
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(fs::absolute(path, ec), ec);
    return ec ? path : canonical.string();
}

std::string leafName(const std::string& path) {
    return fs::path(path).filename().string();
}

// Block references and dimensions become the entities they show, so the
// reference needs none of its file's blocks.
void placeInto(const Entity& e, const BlockLookup& blocks, int depth, std::vector<Entity>& out) {
    const bool compound = geomIf<InsertGeom>(e) || geomIf<DimensionGeom>(e);
    if (!compound || depth >= kDeepestBlock) {
        if (!compound) {
            out.push_back(e);
            out.back().handle = kNoHandle;
        }
        return;
    }
    std::vector<Entity> parts = explodeEntity(e, blocks, kChordTolerance);
    if (parts.empty()) {
        // A dimension without its picture block draws from its own points;
        // a reference to a missing block shows nothing.
        if (geomIf<DimensionGeom>(e)) {
            out.push_back(e);
            out.back().handle = kNoHandle;
        }
        return;
    }
    for (const Entity& part : parts) {
        placeInto(part, blocks, depth + 1, out);
    }
}

}  // namespace

std::vector<std::string> xrefsAround(const std::string& drawingFile) {
    const std::string saved = savedDrawingFile(drawingFile);
    return saved.empty() ? std::vector<std::string>{} : std::vector<std::string>{sameFile(saved)};
}

XrefContents readXref(const std::string& stored, const std::string& drawingFile,
                      std::vector<std::string> around) {
    if (stored.empty()) {
        return {{}, "it names no file"};
    }
    const std::string path = resolvedImagePath(stored, drawingFile);
    if (!imageFileFound(stored, drawingFile)) {
        return {{}, path + " is not found"};
    }
    const std::string file = sameFile(path);
    if (!around.empty() && around.back() == file) {
        return {{}, "a drawing cannot refer to itself"};
    }
    if (std::find(around.begin(), around.end(), file) != around.end()) {
        return {{}, "the references lead back to " + leafName(file) + ", which refers to it"};
    }
    if (around.size() >= kDeepestNesting) {
        return {{}, "references are nested deeper than " + std::to_string(kDeepestNesting)};
    }
    DrawingContent content;
    try {
        content = io::readDxf(path);
    } catch (const Error& e) {
        return {{}, leafName(path) + ": " + e.description()};
    }
    around.push_back(file);
    for (auto& [name, block] : content.blocks) {
        if (!isXrefBlock(block)) {
            continue;
        }
        XrefContents inner = readXref(block.xrefPath, path, around);
        if (!inner.error.empty()) {
            // Shown without a part, the file would not look as it does.
            return {{}, leafName(path) + " holds reference " + name + ": " + inner.error};
        }
        block.entities = std::move(inner.entities);
    }
    Drawing read;
    read.keepHistory(false);
    read.load(std::move(content));
    XrefContents contents;
    for (const Entity& e : read.entities()) {
        if (!e.erased) {
            placeInto(e, read, 0, contents.entities);
        }
    }
    return contents;
}

std::string loadXrefs(DrawingContent& content, const std::string& file) {
    const std::vector<std::string> around = {sameFile(file)};
    std::vector<std::string> failed;
    for (auto& [name, block] : content.blocks) {
        if (!isXrefBlock(block)) {
            continue;
        }
        XrefContents read = readXref(block.xrefPath, file, around);
        if (read.error.empty()) {
            block.entities = std::move(read.entities);
        } else {
            failed.push_back(name + " (" + read.error + ")");
        }
    }
    if (failed.empty()) {
        return {};
    }
    std::string line = failed.size() == 1
                           ? std::string("Reference not loaded: ")
                           : std::to_string(failed.size()) + " references not loaded: ";
    for (std::size_t i = 0; i < failed.size(); ++i) {
        line += (i ? "; " : "") + failed[i];
    }
    return line;
}

std::string newXrefName(const std::map<std::string, Block>& blocks, const std::string& file) {
    std::string stem = fs::path(file).stem().string();
    for (char& c : stem) {
        if (!refusedTableName(std::string(1, c)).empty() || c == '|' || c == '*') {
            c = '_';
        }
    }
    if (stem.empty()) {
        stem = "XREF";
    }
    const auto taken = [&](const std::string& name) {
        return std::any_of(blocks.begin(), blocks.end(),
                           [&](const auto& b) { return sameTableName(b.first, name); });
    };
    std::string name = stem;
    for (int n = 2; taken(name); ++n) {
        name = stem + "_" + std::to_string(n);
    }
    return name;
}

}  // namespace brondel::engine
