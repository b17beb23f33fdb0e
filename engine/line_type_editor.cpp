#include "engine/line_type_editor.h"

#include "engine/drawing.h"
#include "engine/line_type_file.h"

namespace brondel::engine {

namespace {

// The line types every drawing has, whether its table lists them or not.
constexpr const char* kFixed[] = {"BYLAYER", "BYBLOCK", "CONTINUOUS"};

bool isFixed(const std::string& name) {
    for (const char* fixed : kFixed) {
        if (sameTableName(name, fixed)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> LineTypeEditor::choices() const {
    std::vector<std::string> names(std::begin(kFixed), std::end(kFixed));
    for (const LineType& t : drawing_.lineTypes()) {
        if (!isFixed(t.name)) {
            names.push_back(t.name);
        }
    }
    return names;
}

std::string LineTypeEditor::setCurrent(const std::string& name) {
    for (const std::string& known : choices()) {
        if (sameTableName(known, name)) {
            if (known != drawing_.header().currentLineType) {
                DrawingHeader h = drawing_.header();
                h.currentLineType = known;
                Drawing::Step step(drawing_, title());
                drawing_.setHeader(h);
            }
            return {};
        }
    }
    return "No line type named \"" + name + "\" (load it from a .lin file first)";
}

std::string LineTypeEditor::load(const std::string& path) {
    if (path.empty()) {
        return loadFrom(parseLineTypes(ownLineTypeFile()), "the program's line types");
    }
    LineTypeFile file;
    if (std::string why = readLineTypeFile(path, file); !why.empty()) {
        return why;
    }
    return loadFrom(file, path);
}

std::string LineTypeEditor::loadFrom(const LineTypeFile& file, const std::string& from) {
    std::string left;
    for (const std::string& skipped : file.skipped) {
        left += "\r  " + skipped;
    }
    if (file.types.empty()) {
        return "No line type definitions this program can take in " + from + left;
    }
    std::size_t added = 0;
    {
        Drawing::Step step(drawing_, title());
        for (const LineType& t : file.types) {
            const std::size_t before = drawing_.lineTypes().size();
            if (!isFixed(t.name)) {
                drawing_.addLineType(t);
            }
            added += drawing_.lineTypes().size() - before;
        }
    }
    note_ = "Loaded " + std::to_string(added) + " new line types from " + from;
    if (added < file.types.size()) {
        note_ += " (" + std::to_string(file.types.size() - added) + " the drawing had already)";
    }
    if (!left.empty()) {
        note_ += "; left out:" + left;
    }
    return {};
}

std::string LineTypeEditor::prompt() const {
    std::string text = note_.empty() ? "" : note_ + "\r";
    text += "Line types (current: " + drawing_.header().currentLineType + "):";
    for (const std::string& name : choices()) {
        text += "\r" + name;
        for (const LineType& t : drawing_.lineTypes()) {
            if (t.name == name && !t.description.empty()) {
                text += "  " + t.description;
            }
        }
    }
    text +=
        "\rType: current NAME (ByLayer, ByBlock or a line type), load (the program's line "
        "types), load FILE.lin; nothing to close";
    return text;
}

std::string LineTypeEditor::command(const std::string& line) {
    note_.clear();
    const std::vector<std::string> w = typedWords(line);
    if (w.empty()) {
        return "Nothing typed";
    }
    const std::string verb = lowerCase(w[0]);
    if (verb == "current" && w.size() == 2) {
        return setCurrent(w[1]);
    }
    if (verb == "load" && w.size() <= 2) {
        return load(w.size() == 2 ? w[1] : std::string());
    }
    return "Not understood: " + line;
}

}  // namespace brondel::engine
