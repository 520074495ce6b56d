// Painting on the shared surface: canvas views, dirty areas, and the paint pass that draws parents'
// backgrounds, then their children in z-order.
#include <algorithm>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"

namespace jox {

TBitmap* TControl::Surface() {
  TControl* root = Root();
  if (!root->FSurface) {
    root->FSurface = std::make_unique<TBitmap>();
    root->FSurface->SetSize(root->FWidth, root->FHeight);
  } else if (root->FSurface->Width() != root->FWidth || root->FSurface->Height() != root->FHeight) {
    root->FSurface->SetSize(root->FWidth, root->FHeight);
  }
  return root->FSurface.get();
}

void TControl::PrepareCanvas() {
  TControl* root = Root();
  TBitmap* surface = Surface();
  if (FCanvas->Target() != surface) FCanvas->SetTarget(surface);
  TRect clip = VisibleRectInRoot();
  if (root->FPainting) clip = IntersectRects(clip, root->FPaintClip);
  FCanvas->SetViewport(OriginInRoot(), clip);
}

TCanvas* TControl::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    FCanvas->Font()->Assign(FFont.get());
    FCanvas->Brush()->SetColor(FColor);
  }
  PrepareCanvas();
  return FCanvas.get();
}

void TControl::Invalidate() {
  if (FWidth <= 0 || FHeight <= 0) return;
  TRect r = VisibleRectInRoot();
  if (r.IsEmpty()) return;
  TControl* root = Root();
  root->FDirty = UnionRects(root->FDirty, r);
  if (Application) Application->MarkDirty(root);
}

void TControl::Update() {
  TControl* root = Root();
  if (!root->FDirty.IsEmpty()) ControlAccess::PaintRoot(root);
}

void TWinControl::PaintBackground() {
  if (FControlStyle & csOpaque) return;
  ControlAccess::FillBackground(this);
}

void ControlAccess::FillBackground(TWinControl* w) {
  TCanvas* c = w->Canvas();
  // The background is drawn with a brush of its own, leaving the control's canvas settings alone.
  TBrush saved;
  saved.Assign(c->Brush());
  c->Brush()->SetColor(w->FColor);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(Rect(0, 0, w->FWidth, w->FHeight));
  c->Brush()->Assign(&saved);
}

static bool StillChild(TWinControl* parent, TControl* c) {
  for (Integer i = 0; i < parent->ControlCount(); ++i)
    if (parent->Controls(i) == c) return true;
  return false;
}

void ControlAccess::PaintTree(TControl* c, const TRect& clip, bool isRoot) {
  if (!isRoot && !c->Visible()) return;
  TRect vis = IntersectRects(c->VisibleRectInRoot(), clip);
  if (vis.IsEmpty()) return;
  auto* w = dynamic_cast<TWinControl*>(c);
  if (w) w->PaintBackground();
  c->Perform(WM_PAINT);
  if (!w) return;
  std::vector<TControl*> kids;
  for (Integer i = 0; i < w->ControlCount(); ++i) kids.push_back(w->Controls(i));
  // Graphic controls first: windowed children lie above them.
  for (int pass = 0; pass < 2; ++pass)
    for (TControl* k : kids) {
      const bool windowed = dynamic_cast<TWinControl*>(k) != nullptr;
      if (windowed != (pass == 1) || !StillChild(w, k)) continue;
      PaintTree(k, vis, false);
    }
}

void ControlAccess::PaintRoot(TControl* root) {
  TRect clip = IntersectRects(root->FDirty, Rect(0, 0, root->FWidth, root->FHeight));
  root->FDirty = TRect();
  if (clip.IsEmpty() || root->FPainting) return;
  root->Surface();
  root->FPainting = true;
  root->FPaintClip = clip;
  try {
    PaintTree(root, clip, true);
  } catch (...) {
    root->FPainting = false;
    throw;
  }
  root->FPainting = false;
}

}  // namespace jox
