#pragma once

namespace brondel::documents {
class DrawingWindow;
}

namespace brondel::pathtools {

// Writes the DAT list to the DAT file the user chooses, then reports how
// closely the saved steps follow the drawing's path.
void saveDatFile(documents::DrawingWindow& window);

}  // namespace brondel::pathtools
