// Form text: the stored properties of a component tree, written and read back.
#pragma once

#include "package/framework/base/component.h"

namespace jox {

// Form text: one block per component with its stored properties (those differing from their defaults),
// the blocks of the components it parents nested inside:
//   object Form1: TForm
//     Caption = 'Demo'#13#10'two lines'
//     Width = 320
//     Font.Color = 255
//     Items.Strings = (
//       'one'
//       'two')
//     object Meter1: TMeter
//       Value = 2.5
//       Layout = 1          (enumerations as ordinals)
//     end
//   end
// Every component read is owned by the root; a nested block's component gets SetParentComponent with the
// enclosing one. Components the root already owns (same name) are read into instead of created.
// The writer lists each component's bounds first and nests blocks as GetChildren lists them (a control's
// children in z-order); what has no written parent goes in the root's block.
String WriteComponentText(TComponent* Root);
// Reads into Root: each component read has csLoading and csReading while its properties are set, then
// Loaded is called on all of them in reading order. Errors raise EReadError "Line n: ..." (or
// EClassNotFound for an unregistered class, EOutOfMemory for a failed allocation, or what a Loaded
// raises); a failed read deletes what it created, gives the properties it changed their old values and
// puts the controls it moved back in their parents, z-order and tab order.
void ReadComponentText(const String& Text, TComponent* Root);
// Creates the root from the text's first class (registered) with Owner, then reads into it.
TComponent* ReadComponentTextNew(const String& Text, TComponent* Owner);

}  // namespace jox
