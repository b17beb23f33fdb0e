#pragma once

// Each part of the program adds the handlers of the menu items and buttons
// it serves (by item name) when the main window is made.
namespace brondel::shell {

class MainWindow;

void registerDocumentHandlers(MainWindow& main);   // documents/
void registerCoordFileHandlers(MainWindow& main);  // coordfiles/
void registerWindowHandlers(MainWindow& main);     // windows/

}  // namespace brondel::shell
