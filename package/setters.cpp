#include "package/setters.h"

namespace jox {

void PaintNow(TControl* Control) {
  const TComponentState state = Control->ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  Control->Paint();
}

}  // namespace jox
