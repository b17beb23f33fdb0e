#pragma once

#include <optional>
#include <string>
#include <vector>

// The one door to the user: every message box, input box and file dialog of
// the program goes through a Dialogs implementation (Qt on the desktop,
// scripted answers in tests and `brondel-cli run`, fixed answers in
// `brondel-cli convert`). Texts arrive exactly as the program writes them;
// character 13 separates lines.
namespace brondel::engine {
class TableEditor;
class LayerEditor;
class CurrentPropertiesEditor;
class BlockEditor;
class ImageEditor;
class DimStyleEditor;
class ViewPresetsEditor;
}  // namespace brondel::engine

namespace brondel::ports {

enum class Buttons { Ok, YesNo, YesNoCancel };
enum class Icon { None, Information, Exclamation, Question, Critical };
enum class Answer { Ok, Yes, No, Cancel };

// Flags of a file dialog's set-up.
namespace file_flags {
inline constexpr int kOverwritePrompt = 0x2;   // ask before replacing an existing file
inline constexpr int kFileMustExist = 0x1000;  // only names of existing files are accepted
inline constexpr int kCreatePrompt = 0x2000;   // ask before creating a new file
}  // namespace file_flags

struct FileDialogSetup {
    std::string title;
    std::string filter;  // "Description (*.dxf)|*.dxf|..." pairs
    int filterIndex = 1;
    std::string defaultExt;
    std::string initialName;
    int flags = 0;
};

// A save dialog's answer: the path ("" when cancelled) and the file type
// chosen with it (1-based, as filterIndex).
struct SaveAnswer {
    std::string path;
    int filterIndex = 1;
};

// A message box without a title of its own shows the application title.
inline constexpr const char* kApplicationTitle = "Brondel 3.0";

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual Answer messageBox(const std::string& text, Buttons buttons, Icon icon,
                              const std::string& title) = 0;
    // The typed text, "" when cancelled.
    virtual std::string inputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // The chosen path, "" when cancelled.
    virtual std::string openFile(const FileDialogSetup& setup) = 0;
    virtual std::string saveFile(const FileDialogSetup& setup) = 0;
    // Where two file types share an extension (DXF 2000 and R12), the type
    // tells them apart. Dialogs without a type list answer the set-up's.
    // One of the names chosen from a list ("" when cancelled); nothing from
    // dialogs that show no lists: the name is typed instead.
    virtual std::optional<std::string> chooseName(const std::string& /*title*/,
                                                  const std::vector<std::string>& /*names*/) {
        return std::nullopt;
    }
    virtual SaveAnswer saveFileWithType(const FileDialogSetup& setup) {
        return {saveFile(setup), setup.filterIndex};
    }
    // The Format dialogs over the editors that carry their changes out.
    // Dialogs without controls of their own take the changes as typed lines.
    virtual void formatLayers(engine::LayerEditor& editor);
    virtual void formatCurrentProperties(engine::CurrentPropertiesEditor& editor);
    virtual void formatBlocks(engine::BlockEditor& editor);
    virtual void manageImages(engine::ImageEditor& editor);
    virtual void formatDimensionStyle(engine::DimStyleEditor& editor);
    virtual void viewPresets(engine::ViewPresetsEditor& editor);
};

// One input box per change, showing the editor's prompt, until an empty
// answer; a refused change is named in a message box and the next is asked.
void typedEditing(Dialogs& dialogs, engine::TableEditor& editor);

}  // namespace brondel::ports
