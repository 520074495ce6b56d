// How the dot-matrix label reads to assistive technology: a label whose text is the whole text, however
// far it has scrolled.
#include "package/framework/controls/accessible.h"
#include "rasterlab/rasterlab.h"

namespace jox {

TAccessible* TRasterLab::CreateAccessible() { return new TTextAccessible(this); }

}  // namespace jox
