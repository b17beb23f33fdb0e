#pragma once

#include <string>

#include "engine/io/drawing_files.h"
#include "ports/dialogs.h"

namespace brondel::engine {
class Vecad;
}
namespace brondel::shell {
class MainWindow;
}

// The drawing-file commands of the File menu and the command toolbar. Each
// acts on the active drawing window or makes a new one.
namespace brondel::documents {

inline constexpr const char* kNewDrawingName = "Drawing.dxf";

// The file dialog as Open and Save As set it up. Save As offers DXF 2000
// and DXF R12 as two file types and starts on the drawing's own version.
ports::FileDialogSetup openDrawingSetup();
ports::FileDialogSetup saveDrawingSetup(
    engine::io::DxfVersion current = engine::io::DxfVersion::R2000);
inline constexpr int kDxf2000Type = 1;
inline constexpr int kDxfR12Type = 4;

// Asks for the name a drawing is saved under ("" = cancelled); the DXF
// version chosen with it becomes the drawing's.
std::string askDrawingName(shell::MainWindow& main, engine::Vecad& drawing);

void fileNew(shell::MainWindow& main);
void fileOpen(shell::MainWindow& main);
void saveCurrent(shell::MainWindow& main);
void saveAs(shell::MainWindow& main);
void closeActive(shell::MainWindow& main);
void closeAll(shell::MainWindow& main);
void print(shell::MainWindow& main);
void printPreview(shell::MainWindow& main);
void printerSetup(shell::MainWindow& main);

}  // namespace brondel::documents
