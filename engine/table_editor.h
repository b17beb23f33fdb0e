#pragma once

#include <optional>
#include <string>
#include <vector>

// The behaviour behind a Format dialog: the desktop calls the editor's own
// members from its controls; dialogs without controls (scripted sessions,
// tests) type changes as lines through command().
namespace brondel::engine {

class TableEditor {
  public:
    virtual ~TableEditor() = default;
    virtual std::string title() const = 0;
    // What the editor holds now and the lines it takes.
    virtual std::string prompt() const = 0;
    // Applies one typed change as one undo step; answers why it was refused
    // ("" when it was applied). A refused change leaves the drawing as it was.
    virtual std::string command(const std::string& line) = 0;
};

// The words of a typed line, split at blanks; "double quotes" keep blanks.
std::vector<std::string> typedWords(const std::string& line);
// A typed word that is a number and nothing else; nothing otherwise.
std::optional<double> typedNumber(const std::string& word);
// Names of tables compare without regard to case, as in DXF.
bool sameTableName(const std::string& a, const std::string& b);
std::string lowerCase(std::string text);
// Why a layer or block name cannot be used ("" when it can): empty, or
// holding one of the characters DXF reserves.
std::string refusedTableName(const std::string& name);
// One of the line weights DXF knows (hundredths of a millimetre, or by
// layer, by block, default).
bool isLineWeight(int weight);

}  // namespace brondel::engine
