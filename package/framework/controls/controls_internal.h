// What the framework's own files share about controls beyond the public interface.
#pragma once

#include "package/framework/controls/controls.h"

namespace jox {

// Empty rectangles come back as (0, 0, 0, 0).
TRect IntersectRects(const TRect& a, const TRect& b);
TRect UnionRects(const TRect& a, const TRect& b);

// Moves, presses, releases and double clicks of the three buttons (not the wheel).
inline bool IsMouseMessage(Cardinal Msg) { return Msg >= WM_MOUSEMOVE && Msg <= WM_MBUTTONDBLCLK; }

struct ControlAccess {
  // Takes c out of parent's lists (c->FParent is left to the caller).
  static void Unlink(TWinControl* parent, TControl* c);
  // Moves the root's focus to nothing when it lies in sub (sub itself included).
  static void DropFocusWithin(TControl* root, TControl* sub);
  // Focus change with WM_KILLFOCUS/WM_SETFOCUS and CM_EXIT/CM_ENTER along the way.
  static void ChangeFocus(TWinControl* root, TWinControl* to);
  // Paints the dirty area of a root.
  static void PaintRoot(TControl* root);
  // Adds r (root coordinates) to the root's dirty list.
  static void AddDirty(TControl* root, TRect r);
  // Marks what lies above c within its area dirty (after c drew outside a paint pass).
  static void InvalidateAbove(TControl* c);
  static void PaintTree(TControl* c, const TRect& clip, bool isRoot);
  static bool HasDirty(const TControl* root) { return !root->FDirty.empty(); }
  static void FillBackground(TWinControl* w);
};

}  // namespace jox
