#pragma once

#include "engine/entity.h"
#include "engine/transform.h"

namespace brondel::engine {

// A text or multi-line text that a mirroring map m (det < 0) has placed in
// `mirrored` reads backwards. Turns it back into readable letters at the
// mirrored place: the text is flipped about its own vertical axis (left and
// right alignment swap) or about its baseline (top and bottom swap),
// whichever keeps its direction nearer the source's. Mirroring twice over the
// same line gives the source back. Other kinds are left as they are.
void keepTextReadable(const Entity& source, const Affine& m, Entity& mirrored);

}  // namespace brondel::engine
