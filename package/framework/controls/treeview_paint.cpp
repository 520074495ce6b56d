// Tree view painting: frame, rows, lines, buttons and labels in the classic and the explorer look.
// Sections: [colours] [paint] [rows] [buttons] [scale]
#include <algorithm>

#include "package/framework/controls/controls_internal.h"
#include "package/framework/controls/treeview.h"
#include "package/framework/graphics/drawedge.h"

namespace jox {

// [colours] ------------------------------------------------------------------------------------------------
namespace {
constexpr TColor kLineColor = clGray;
// The explorer look: light blue selection and hover, grey and dark triangles.
constexpr TColor kExplorerSelFill = RGB(204, 232, 255), kExplorerSelBorder = RGB(153, 209, 255);
constexpr TColor kExplorerInactiveFill = RGB(217, 217, 217);
constexpr TColor kExplorerHotFill = RGB(229, 243, 255);
constexpr TColor kExplorerClosed = RGB(166, 166, 166), kExplorerOpen = RGB(64, 64, 64);
constexpr TColor kExplorerHotGlyph = RGB(28, 196, 247);

// Dotted lines: every other pixel, aligned to the content so that rows join up while scrolling.
void DotLineV(TCanvas* C, Integer X, Integer Y1, Integer Y2, Integer Phase, TColor Color) {
  for (Integer y = Y1; y < Y2; ++y)
    if (((X + y + Phase) & 1) == 0) C->SetPixels(X, y, Color);
}

void DotLineH(TCanvas* C, Integer X1, Integer X2, Integer Y, Integer Phase, TColor Color) {
  for (Integer x = X1; x < X2; ++x)
    if (((x + Y + Phase) & 1) == 0) C->SetPixels(x, Y, Color);
}
}  // namespace

// [paint] --------------------------------------------------------------------------------------------------
void TCustomTreeView::Paint() {
  EnsureRows();
  TCanvas* screen = Canvas();
  const TRect client = ClientRect();
  if (!DoubleBuffered()) {
    PaintRows(screen, client, screen->ClipRect());
    return;
  }
  // Everything goes to an off-screen copy first and reaches the screen in one copy.
  if (!FBuffer) FBuffer = std::make_unique<TBitmap>();
  if (FBuffer->Width() != Width() || FBuffer->Height() != Height()) FBuffer->SetSize(Width(), Height());
  TCanvas* b = FBuffer->Canvas();
  PaintRows(b, client, client);
  screen->CopyRect(client, b, client);
}

// [rows] ---------------------------------------------------------------------------------------------------
void TCustomTreeView::PaintRows(TCanvas* C, const TRect& Client, const TRect& Clip) {
  const TRect area = Client;
  const TColor back = Color();
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(back);
  C->FillRect(area);
  const TRect clip = IntersectRects(area, Clip);
  if (clip.IsEmpty() || FRows.empty()) return;
  C->SetClipRect(clip);
  C->Font()->Assign(Font());
  const Integer ih = ItemHeight();
  const Integer th = C->TextHeight(u"Wg");
  const Integer sx = ScrollPos(sbHorizontal);
  const Integer top = TopRow();
  const Integer first = top + (clip.Top - area.Top) / ih;
  const Integer last = std::min<Integer>(Integer(FRows.size()) - 1, top + (clip.Bottom - 1 - area.Top) / ih);
  const bool focused = Focused();
  const bool enabled = Enabled();
  const Integer rootCols = FShowRoot ? 1 : 0;
  // The dots' phase follows the scroll position, so a line does not shimmer while scrolling.
  const Integer phase = (sx + top * ih) & 1;
  for (Integer r = first; r <= last; ++r) {
    TTreeNode* n = FRows[size_t(r)];
    const Integer y = area.Top + (r - top) * ih;
    const Integer cy = y + ih / 2;
    const Integer level = n->Level();
    const Integer x0 = area.Left - sx;  // x of the content's left edge
    const Integer col = level + rootCols - 1;  // the column holding the node's button, -1: none
    const Integer labelX = x0 + NodeLeft(n);
    const Integer labelW = LabelWidth(n);
    const bool selected = n->FSelected || n == FDropTarget;
    const bool hot = FHotTrack && n == FHotNode;
    const bool fullRow = FRowSelect || FExplorerStyle;
    const TRect rowRect = Rect(area.Left, y, area.Right, y + ih);
    const TRect labelRect = Rect(labelX, y, labelX + labelW, y + ih);
    const TRect selRect = fullRow ? rowRect : labelRect;
    TColor text = enabled ? Font()->Color() : clGrayText;

    // Selection and hover behind the row.
    if (FExplorerStyle) {
      if (selected && (focused || !FHideSelection || n == FDropTarget)) {
        C->Brush()->SetColor(focused || n == FDropTarget ? kExplorerSelFill : kExplorerInactiveFill);
        C->FillRect(selRect);
        if (focused) {
          C->Brush()->SetColor(kExplorerSelBorder);
          C->FrameRect(selRect);
        }
      } else if (hot) {
        C->Brush()->SetColor(kExplorerHotFill);
        C->FillRect(selRect);
      }
    } else if (selected && ((focused && enabled) || n == FDropTarget)) {
      C->Brush()->SetColor(clHighlight);
      C->FillRect(selRect);
      text = clHighlightText;
    } else if (selected && !FHideSelection) {
      C->Brush()->SetColor(clBtnFace);
      C->FillRect(selRect);
      text = clBtnText;
    }

    // Lines: through the columns of ancestors that have siblings below, then the node's own joint.
    if (FShowLines && !FExplorerStyle && col >= 0) {
      for (const TTreeNode* a = n->Parent(); a; a = a->Parent()) {
        const Integer acol = a->Level() + rootCols - 1;
        if (acol < 0) break;
        if (a->GetNextSibling()) DotLineV(C, x0 + acol * FIndent + FIndent / 2, y, y + ih, phase, kLineColor);
      }
      const Integer cx = x0 + col * FIndent + FIndent / 2;
      const bool above = n->Parent() || n->Index() > 0;
      DotLineV(C, cx, above ? y : cy, n->GetNextSibling() ? y + ih : cy + 1, phase, kLineColor);
      DotLineH(C, cx, labelX - ImageSpace() - 1, cy, phase, kLineColor);
    }
    if (FShowButtons && col >= 0 && n->HasChildren())
      PaintButton(C, x0 + col * FIndent + FIndent / 2, cy, n->FExpanded, hot);

    // The picture, then the label.
    if (FImages) {
      const Integer index = n->FSelected && n->FSelectedIndex >= 0 ? n->FSelectedIndex : n->FImageIndex;
      FImages->Draw(C, labelX - ImageSpace() + 1, y + (ih - FImages->Height()) / 2, index, enabled);
    }
    C->Brush()->SetStyle(bsClear);
    C->Font()->SetColor(text);
    const bool underline = hot && !FExplorerStyle;
    if (underline) {
      C->Font()->SetStyle(C->Font()->Style() | fsUnderline);
      C->Font()->SetColor(selected && focused ? text : TColor(clHotLight));
    }
    if (n != FEditNode) C->TextOut(labelX + 2, y + (ih - th) / 2, n->FText);
    if (underline) C->Font()->Assign(Font());
    C->Brush()->SetStyle(bsSolid);
    if (focused && n == FSelected && !FExplorerStyle && n != FEditNode) C->DrawFocusRect(selRect);
  }
  C->ResetClipRect();
}

// [buttons] ------------------------------------------------------------------------------------------------
void TCustomTreeView::PaintButton(TCanvas* C, Integer CX, Integer CY, bool Expanded, bool Hot) {
  auto px = [this](Integer v) { return ScaledMetric(this, v); };
  if (FExplorerStyle) {
    // A hollow triangle pointing right when closed, a filled one pointing down-right when open.
    const TColor ink = Hot ? kExplorerHotGlyph : Expanded ? kExplorerOpen : kExplorerClosed;
    C->Pen()->SetColor(ink);
    C->Pen()->SetWidth(1);
    const Integer a = px(2), b = px(3), c = px(4);
    if (Expanded) {
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(ink);
      const TPoint pts[] = {Point(CX + b, CY - b), Point(CX + b, CY + b), Point(CX - b, CY + b)};
      C->Polygon(pts, 3);
    } else {
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(Color());
      const TPoint pts[] = {Point(CX - a, CY - c), Point(CX + a, CY), Point(CX - a, CY + c)};
      C->Polygon(pts, 3);
    }
    return;
  }
  // The classic 9 x 9 box with a minus, and a plus when closed; its strokes stay one line thick per
  // logical pixel.
  const Integer half = px(4), arm = px(2), stroke = px(1);
  const TRect box = Rect(CX - half, CY - half, CX + half + 1, CY + half + 1);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Color());
  C->FillRect(box);
  C->Brush()->SetColor(kLineColor);
  for (Integer i = 0; i < stroke; ++i) C->FrameRect(Rect(box.Left + i, box.Top + i, box.Right - i, box.Bottom - i));
  C->Brush()->SetColor(clWindowText);
  const Integer lo = -(stroke - 1) / 2, hi = stroke / 2 + 1;
  C->FillRect(Rect(CX - arm, CY + lo, CX + arm + 1, CY + hi));
  if (!Expanded) C->FillRect(Rect(CX + lo, CY - arm, CX + hi, CY + arm + 1));
}

// [scale] ------------------------------------------------------------------------------------------------
// Indent and a fixed item height are designed sizes: they grow with the form.
void TCustomTreeView::ChangeScale(double K) {
  FIndent = ScaledMetric(K, FIndent);
  if (FItemHeight > 0) FItemHeight = ScaledMetric(K, FItemHeight);
  StructureChanged();
}

}  // namespace jox
