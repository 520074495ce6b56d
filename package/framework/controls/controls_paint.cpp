// Painting on the shared surface: canvas views, dirty areas, and the paint pass that draws parents'
// backgrounds, then their children in z-order.
#include <algorithm>

#include "package/framework/controls/controls.h"
#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/forms.h"
#include "package/framework/graphics/drawedge.h"

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
  if (!FPaintingFrame) {
    // Paint draws only in the client area; the frame and scroll bars around it are WM_NCPAINT's.
    const TPoint o = OriginInRoot();
    const TRect c = ClientRect();
    clip = IntersectRects(clip, Bounds(o.X, o.Y, c.Width(), c.Height()));
  }
  if (root->FPainting) {
    clip = IntersectRects(clip, root->FPaintClip);
  } else {
    if (FParent) ControlAccess::InvalidateAbove(this);
    // Drawing outside a paint pass (a setter that paints at once, a timer) reaches the window by the
    // same road as a paint pass: the host shows the area at its next present.
    if (!clip.IsEmpty()) PlatformHost()->Present(root, clip);
  }
  FCanvas->SetViewport(OriginInRoot(), clip);
}

TCanvas* TControl::Canvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    FCanvas->Font()->Assign(FFont.get());
    FCanvas->Brush()->SetColor(FColor);
  }
  // Within a paint pass the view was set once for this control's WM_PAINT; paint code may ask per cell.
  if (!FCanvasReady) PrepareCanvas();
  return FCanvas.get();
}

// More rectangles than this fold into their bounding box: past it, one larger paint is cheaper.
constexpr size_t kMaxDirtyRects = 8;

void ControlAccess::AddDirty(TControl* root, TRect r) {
  auto& list = root->FDirty;
  // Overlapping or touching rectangles merge, so no pixel is painted twice in one pass.
  for (bool merged = true; merged;) {
    merged = false;
    for (size_t i = 0; i < list.size(); ++i) {
      const TRect& d = list[i];
      if (d.Left <= r.Right && r.Left <= d.Right && d.Top <= r.Bottom && r.Top <= d.Bottom) {
        r = UnionRects(r, d);
        list.erase(list.begin() + std::ptrdiff_t(i));
        merged = true;
        break;
      }
    }
  }
  list.push_back(r);
  if (list.size() > kMaxDirtyRects) {
    TRect all;
    for (const TRect& d : list) all = UnionRects(all, d);
    list.assign(1, all);
  }
  if (Application) Application->MarkDirty(root);
}

void TControl::Invalidate() {
  if (FWidth <= 0 || FHeight <= 0) return;
  TRect r = VisibleRectInRoot();
  if (r.IsEmpty()) return;
  ControlAccess::AddDirty(Root(), r);
}

void TControl::InvalidateRect(const TRect& R) {
  if (FWidth <= 0 || FHeight <= 0) return;
  const TPoint o = OriginInRoot();
  const TRect r = IntersectRects(VisibleRectInRoot(), Rect(R.Left + o.X, R.Top + o.Y, R.Right + o.X, R.Bottom + o.Y));
  if (r.IsEmpty()) return;
  ControlAccess::AddDirty(Root(), r);
}

void TControl::Update() {
  TControl* root = Root();
  if (!root->FDirty.empty()) ControlAccess::PaintRoot(root);
}

void ControlAccess::InvalidateAbove(TControl* c) {
  // What a control draws outside a paint pass may cover controls above it; they paint again on top.
  TRect area = c->VisibleRectInRoot();
  if (area.IsEmpty()) return;
  for (TControl* k = c; k->FParent; k = k->FParent) {
    TWinControl* p = k->FParent;
    const bool windowed = dynamic_cast<TWinControl*>(k) != nullptr;
    bool after = false;
    for (TControl* s : p->FControls) {
      if (s == k) {
        after = true;
        continue;
      }
      const bool sWindowed = dynamic_cast<TWinControl*>(s) != nullptr;
      // Above: windowed siblings over a graphic control, and later siblings of the same kind.
      const bool above = (!windowed && sWindowed) || (after && sWindowed == windowed);
      if (!above || !s->FVisible) continue;
      const TRect hit = IntersectRects(area, s->VisibleRectInRoot());
      if (!hit.IsEmpty()) AddDirty(c->Root(), hit);
    }
  }
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
  c->FillRect(w->ClientRect());
  c->Brush()->Assign(&saved);
}

void TWinControl::PaintNonClient() {
  const TRect b = ClientBounds();
  TRect r = Rect(-b.Left, -b.Top, FWidth - b.Left, FHeight - b.Top);
  TCanvas* c = Canvas();
  const auto shrink = [](TRect& R, Integer D) { R = Rect(R.Left + D, R.Top + D, R.Right - D, R.Bottom - D); };
  // The bevels, outermost: each cut BevelWidth rings of edge.
  if (FBevelKind != bkNone) {
    for (const TBevelCut cut : {FBevelOuter, FBevelInner}) {
      if (cut == bvNone) continue;
      const Cardinal edge = cut == bvRaised && FBevelKind != bkFlat ? BDR_RAISEDINNER : BDR_SUNKENOUTER;
      const Cardinal flags = BF_RECT | (FBevelKind == bkFlat ? BF_FLAT : 0) | (FBevelKind == bkSoft ? BF_SOFT : 0);
      for (Integer k = 0; k < FBevelWidth; ++k) {
        if (cut == bvSpace) {
          TBrush saved;
          saved.Assign(c->Brush());
          c->Brush()->SetStyle(bsSolid);
          c->Brush()->SetColor(clBtnFace);
          c->FrameRect(r);
          c->Brush()->Assign(&saved);
          shrink(r, 1);
        } else {
          DrawEdge(c, r, edge, flags | BF_ADJUST);
        }
      }
    }
  }
  // The border width, inside the frame, in the control's colour.
  if (FBorderWidth > 0) {
    const Integer fw = NonClientFrame();
    TRect inner = r;
    shrink(inner, fw);
    TBrush saved;
    saved.Assign(c->Brush());
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    for (Integer k = 0; k < FBorderWidth && !inner.IsEmpty(); ++k) {
      c->FrameRect(inner);
      shrink(inner, 1);
    }
    c->Brush()->Assign(&saved);
  }
  const Integer fw = NonClientFrame();
  if (fw <= 0) return;
  if (fw >= 2) {
    DrawEdge(c, r, EDGE_SUNKEN, BF_RECT);
  } else {
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clWindowFrame);
    c->FrameRect(r);
  }
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
  c->TControl::Canvas();
  c->FCanvasReady = true;
  try {
    c->Perform(WM_PAINT);
  } catch (...) {
    c->FCanvasReady = false;
    throw;
  }
  c->FCanvasReady = false;
  if (!w) return;
  if (w->ClientBounds() != Rect(0, 0, w->FWidth, w->FHeight)) w->Perform(WM_NCPAINT);
  const std::vector<TControl*> kids = w->FControls;
  const uint32_t gen = w->FControlsGen;
  // Graphic controls first: windowed children lie above them. A child taken away meanwhile is skipped
  // (looked for only when the children changed at all, so painting stays linear in them).
  for (int pass = 0; pass < 2; ++pass)
    for (TControl* k : kids) {
      if (w->FControlsGen != gen && !StillChild(w, k)) continue;
      const bool windowed = dynamic_cast<TWinControl*>(k) != nullptr;
      if (windowed != (pass == 1)) continue;
      PaintTree(k, vis, false);
    }
}

void ControlAccess::PaintRoot(TControl* root) {
  if (root->FPainting) return;
  const std::vector<TRect> dirty = std::move(root->FDirty);
  root->FDirty.clear();
  root->Surface();
  for (const TRect& d : dirty) {
    const TRect clip = IntersectRects(d, Rect(0, 0, root->FWidth, root->FHeight));
    if (clip.IsEmpty()) continue;
    root->FPainting = true;
    root->FPaintClip = clip;
    try {
      PaintTree(root, clip, true);
    } catch (...) {
      root->FPainting = false;
      throw;
    }
    root->FPainting = false;
    PlatformHost()->Present(root, clip);
  }
}

}  // namespace jox
