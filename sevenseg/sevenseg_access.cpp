// How the seven-segment display reads to assistive technology: a label whose text is the digits shown.
#include "package/framework/controls/accessible.h"
#include "sevenseg/sevenseg.h"

namespace jox {

TAccessible* TSevenSeg::CreateAccessible() { return new TTextAccessible(this); }

}  // namespace jox
