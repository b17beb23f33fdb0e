#pragma once

namespace brondel::shell {
class MainWindow;
}

// Reading a DAT or COR file into a new drawing: the file's pairs become the
// DAT list, the shape drawn at the horizontal size the user enters becomes a
// chain of lines, and line collection fills the coordinate list.
namespace brondel::coordfiles {

inline constexpr const char* kSizePrompt =
    "Enter the horizontal size of the original shape to create an accurate DXF File";
inline constexpr const char* kSizeTitle = "DXF Horizontal Size";
inline constexpr const char* kImportLayer = "DXF";
inline constexpr const char* kImportingDatTask = "Importing DAT file";
inline constexpr const char* kImportingCorTask = "Importing COR file";

enum class PairFileKind { Dat, Cor };

void importPairFile(shell::MainWindow& main, PairFileKind kind);

}  // namespace brondel::coordfiles
