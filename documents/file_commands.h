#pragma once

#include "ports/dialogs.h"

namespace brondel::shell {
class MainWindow;
}

// The drawing-file commands of the File menu and the command toolbar. Each
// acts on the active drawing window or makes a new one.
namespace brondel::documents {

inline constexpr const char* kNewDrawingName = "Drawing.dxf";

// The file dialog as Open and Save As set it up.
ports::FileDialogSetup openDrawingSetup();
ports::FileDialogSetup saveDrawingSetup();

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
