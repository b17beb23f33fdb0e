#pragma once

#include <string>
#include <vector>

#include "engine/table_editor.h"

namespace brondel::engine {

class Drawing;

// Image Manager: the picture files the drawing's images show, with whether
// each is found; reloaded, pointed at another file, or detached (its images
// removed). Each change is one undo step.
class ImageEditor : public TableEditor {
  public:
    struct Row {
        std::string file;  // as the drawing keeps it
        std::string path;  // where that is on disk
        bool found = false;
        std::size_t images = 0;
    };

    ImageEditor(Drawing& drawing, std::string drawingFile)
        : drawing_(drawing), drawingFile_(std::move(drawingFile)) {}

    std::vector<Row> rows() const;
    // Takes the file's pixel size afresh, the images keeping their width.
    std::string reload(const std::string& file);
    // The images of one file show another picture from now on; a relative
    // name is read from the drawing's folder.
    std::string repath(const std::string& file, const std::string& newFile);
    std::string detach(const std::string& file);

    std::string title() const override { return "Image Manager"; }
    std::string prompt() const override;
    std::string command(const std::string& line) override;

  private:
    std::string point(const std::string& file, const std::string& to, const std::string& verb);

    Drawing& drawing_;
    std::string drawingFile_;
};

}  // namespace brondel::engine
