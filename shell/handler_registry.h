#pragma once

// Each part of the program adds the handlers of the menu items and buttons
// it serves (by item name) when the main window is made.
namespace brondel::shell {

class MainWindow;

void registerDocumentHandlers(MainWindow& main);   // documents/
void registerCoordFileHandlers(MainWindow& main);  // coordfiles/
void registerWindowHandlers(MainWindow& main);     // windows/
void registerPickToolHandlers(MainWindow& main);   // pathtools/: tools served by a press
void registerPathHandlers(MainWindow& main);       // pathtools/: preparation and reorganization

}  // namespace brondel::shell
