#include "package/setters.h"

#include "package/framework/controls/application.h"

namespace jox {

void PaintNow(TControl* Control) {
  const TComponentState state = Control->ComponentState();
  if (state.Contains(csLoading) || state.Contains(csDestroying)) return;
  if (!Displayed(Control)) return;  // shown again, it is invalidated and painted whole
  Control->Paint();
}

}  // namespace jox
