#pragma once

namespace brondel::desktop {

// From now on every Cut and Copy also puts a DXF file of what it took on
// the system clipboard (as application/dxf and as plain text), so that
// other programs can paste it.
void mirrorClipboardOnSystem();

}  // namespace brondel::desktop
