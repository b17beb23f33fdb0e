#include "engine/view_presets_editor.h"

#include "engine/vecad.h"

namespace brondel::engine {

ViewDirection ViewPresetsEditor::current() const {
    return control_.viewDirection();
}

void ViewPresetsEditor::choose(ViewDirection direction) {
    control_.setViewDirection(direction);
}

std::string ViewPresetsEditor::title() const {
    return "3D Viewpoint Presets";
}

std::string ViewPresetsEditor::prompt() const {
    return "The view shows the drawing from: " + viewDirectionName(current()) +
           "\rType: top, bottom, left, right, front, back, sw, se, ne or nw; nothing to close";
}

std::string ViewPresetsEditor::command(const std::string& line) {
    const std::vector<std::string> words = typedWords(line);
    const std::optional<ViewDirection> direction =
        words.size() == 1 ? viewDirectionNamed(words.front()) : std::nullopt;
    if (!direction) {
        return "There is no view preset \"" + line + "\"";
    }
    choose(*direction);
    return {};
}

}  // namespace brondel::engine
