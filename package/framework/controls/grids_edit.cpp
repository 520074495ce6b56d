// The in-place editor of a grid: begin, commit and cancel, the ellipsis button and the pick list.
// Sections: [editor] [grid editing]
#include <algorithm>
#include <string_view>
#include <vector>

#include "package/framework/controls/grids.h"
#include "package/framework/controls/dropdownlist.h"
#include "package/framework/graphics/drawedge.h"

namespace jox {

// [editor] -------------------------------------------------------------------------------------------------
TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner), FPickList(std::make_unique<TStringList>()) {
  FGrid = dynamic_cast<TCustomGrid*>(AOwner);
  SetBorderStyle(bsNone);
  SetAutoSize(false);
  // The grid selects the text when an edit begins; typing that starts an edit must not be selected.
  SetAutoSelect(false);
  SetTabStop(false);
  SetParentColor(false);
  SetColor(clWindow);
  // Enter and Escape commit and cancel the cell: a dialog's default and cancel buttons must not see them.
  SetMessageHandler(WM_GETDLGCODE, [this](TMessage& m) {
    m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS |
               (FGrid && (FGrid->Options() & goTabs) ? DLGC_WANTTAB : 0);
  });
}

TInplaceEdit::~TInplaceEdit() {
  if (FList) FList->ClosePopup(true);
}

TRect TInplaceEdit::ButtonRect() const {
  if (FEditStyle == esSimple) return TRect{};
  return Rect(Width() - ScaledMetric(this, ButtonWidth), 0, Width(), Height());
}

void TInplaceEdit::Paint() {
  TCustomEdit::Paint();
  const TRect b = ButtonRect();
  if (b.IsEmpty()) return;
  TCanvas* c = Canvas();
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(b);
  TRect edge = b;
  DrawEdge(c, edge, BDR_RAISEDINNER, BF_RECT);
  c->Pen()->SetWidth(1);
  c->Pen()->SetColor(clBlack);
  const Integer cx = (b.Left + b.Right) / 2, cy = (b.Top + b.Bottom) / 2;
  if (FEditStyle == esEllipsis) {
    for (Integer d : {-4, 0, 4}) {
      c->MoveTo(cx + d - 1, cy + 1);
      c->LineTo(cx + d + 1, cy + 1);
      c->MoveTo(cx + d - 1, cy + 2);
      c->LineTo(cx + d + 1, cy + 2);
    }
  } else {
    for (Integer i = 0; i < 4; ++i) {
      c->MoveTo(cx - 3 + i, cy - 1 + i);
      c->LineTo(cx + 4 - i, cy - 1 + i);
    }
  }
}

bool TInplaceEdit::ListVisible() const { return FList && FList->IsOpen(); }

void TInplaceEdit::DropDown() {
  if (FEditStyle != esPickList || ListVisible() || !FGrid) return;
  FPickList->Clear();
  FGrid->GetPickListItems(FGrid->FEditCell.X, FGrid->FEditCell.Y, FPickList.get());
  if (FPickList->Count() == 0) return;
  if (!FList) {
    FList = std::make_unique<TDropDownList>();
    FList->SetItems(FPickList.get());
    FList->SetOnPick([this](Integer i) {
      SetText(FPickList->Get(i));
      SelectAll();
    });
  }
  FList->ItemsChanged();
  FList->Font()->Assign(FGrid->Font());
  FList->Box()->Font()->Assign(FGrid->Font());
  FList->DropDown(this, FDropDownRows, Width(), FPickList->IndexOf(Text()));
}

void TInplaceEdit::CloseUp(bool Accept) {
  if (!ListVisible()) return;
  if (Accept) FList->PickHot();
  else FList->ClosePopup(true);
}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift) {
  if (!FGrid) return TCustomEdit::KeyDown(Key, Shift);
  // Keys meant for the open list (it takes them itself when they come through the input road).
  if (ListVisible() && FList->HandleKey(Key, Shift)) {
    Key = 0;
    return;
  }
  const bool toggle = Key == VK_F4 || ((Key == VK_DOWN || Key == VK_UP) && (Shift & ssAlt));
  if (toggle && FEditStyle == esPickList) {
    DropDown();
    Key = 0;
    return;
  }
  if (Key == VK_RETURN && (Shift & ssCtrl) && FEditStyle == esEllipsis) {
    FGrid->EditButtonClick();
    Key = 0;
    return;
  }
  // Keys that leave the cell belong to the grid; Left and Right only at the ends of the text.
  const bool atStart = SelStart() == 0 && SelLength() == 0;
  const bool atEnd = SelStart() == Integer(Text().size()) && SelLength() == 0;
  const bool toGrid = Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_TAB ||
                      (Key == VK_LEFT && atStart && !(Shift & ssShift)) ||
                      (Key == VK_RIGHT && atEnd && !(Shift & ssShift)) ||
                      ((Key == VK_HOME || Key == VK_END) && (Shift & ssCtrl));
  if (toGrid) {
    TCustomGrid* grid = FGrid;
    const bool tab = Key == VK_TAB;
    grid->CommitEdit();
    grid->KeyDown(Key, Shift);
    // Tab goes on editing in the next cell, as in a spreadsheet.
    if (tab) grid->ShowEditor();
    Key = 0;
    return;
  }
  TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char16_t& Key) {
  if (FGrid && (Key == 13 || Key == 27)) {
    if (ListVisible()) {
      CloseUp(Key == 13);
      Key = 0;
      return;
    }
    // Enter and Escape end the edit; the grid decides what follows (and may see a consumed key).
    TCustomGrid* grid = FGrid;
    grid->KeyPress(Key);
    Key = 0;
    return;
  }
  if (Key == 9) {
    Key = 0;
    return;
  }
  if (!FEditMask.empty() && Key >= 32) {
    if (!TypeMasked(Key)) MessageBeep(0);
    Key = 0;
    return;
  }
  TCustomEdit::KeyPress(Key);
}

namespace {

// One place of an edit mask: a literal, or the class of character typed there and its case.
struct TMaskPlace {
  char16_t Kind = 0;  // 0 for a literal
  char16_t Literal = 0;
  int Case = 0;  // 1 upper, -1 lower
};

std::vector<TMaskPlace> MaskPlaces(const String& Mask) {
  std::vector<TMaskPlace> out;
  int caseMode = 0;
  const size_t end = std::min(Mask.find(u';'), Mask.size());
  for (size_t i = 0; i < end; ++i) {
    const char16_t m = Mask[i];
    if (m == u'>') caseMode = i + 1 < end && Mask[i + 1] == u'<' ? (++i, 0) : 1;
    else if (m == u'<') caseMode = -1;
    else if (m == u'!') continue;
    else if (m == u'\\' && i + 1 < end) out.push_back({0, Mask[++i], 0});
    else if (std::u16string_view(u"09#LlAaCc").find(m) != std::u16string_view::npos) out.push_back({m, 0, caseMode});
    else out.push_back({0, m, 0});
  }
  return out;
}

bool FitsPlace(const TMaskPlace& p, char16_t& ch) {
  const bool digit = ch >= u'0' && ch <= u'9';
  const bool letter = (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || ch >= 0xC0;
  bool ok = false;
  switch (p.Kind) {
    case u'0': ok = digit; break;
    case u'9': ok = digit || ch == u' '; break;
    case u'#': ok = digit || ch == u' ' || ch == u'+' || ch == u'-'; break;
    case u'L': ok = letter; break;
    case u'l': ok = letter || ch == u' '; break;
    case u'A': ok = letter || digit; break;
    case u'a': ok = letter || digit || ch == u' '; break;
    default: ok = true; break;  // C, c
  }
  if (ok && p.Case > 0 && ch >= u'a' && ch <= u'z') ch = char16_t(ch - 32);
  if (ok && p.Case < 0 && ch >= u'A' && ch <= u'Z') ch = char16_t(ch + 32);
  return ok;
}

}  // namespace

bool TInplaceEdit::TypeMasked(char16_t Ch) {
  const std::vector<TMaskPlace> places = MaskPlaces(FEditMask);
  String text = Text();
  const Integer start = SelStart();
  text.erase(size_t(start), size_t(SelLength()));
  size_t at = size_t(start);
  String put;
  // Literals in the way are put in by themselves, unless the literal is what was typed.
  while (at < places.size() && places[at].Kind == 0 && places[at].Literal != Ch) put += places[at++].Literal;
  if (at >= places.size()) return false;
  char16_t ch = Ch;
  if (places[at].Kind != 0 ? !FitsPlace(places[at], ch) : places[at].Literal != ch) return false;
  put += ch;
  if (text.size() + put.size() > places.size()) return false;
  text.insert(size_t(start), put);
  SetText(text);
  SetSelStart(start + Integer(put.size()));
  return true;
}

void TInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (Button == mbLeft && ButtonRect().Contains(Point(X, Y))) {
    if (FEditStyle == esPickList) {
      if (ListVisible()) CloseUp(false);
      else DropDown();
    } else if (FGrid) {
      FGrid->EditButtonClick();
    }
    return;
  }
  if (ListVisible()) CloseUp(false);
  TCustomEdit::MouseDown(Button, Shift, X, Y);
}

void TInplaceEdit::DoExit() {
  CloseUp(false);
  TCustomEdit::DoExit();
  // Focus went elsewhere than the grid: what was typed is kept.
  if (FGrid && !FGrid->FEditing && Visible() && !FGrid->Focused()) FGrid->CommitEdit();
}

// [grid editing] -------------------------------------------------------------------------------------------
// Row selection does not forbid editing: the edit opens on the current column of the row.
bool TCustomGrid::CanEditShow() const {
  return (FOptions & goEditing) && FCurrent.X >= FFixedCols &&
         FCurrent.Y >= FFixedRows && FCurrent.X < ColCount() && FCurrent.Y < RowCount() && Enabled();
}

void TCustomGrid::PlaceEditor() {
  if (!EditorMode()) return;
  const TRect r = CellRect(FEditCell.X, FEditCell.Y);
  if (r.IsEmpty()) {
    // Scrolled out of sight: the edit stays open but is not shown over another cell.
    FInplaceEdit->SetBounds(-1000, -1000, 10, 10);
    return;
  }
  FInplaceEdit->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TCustomGrid::ShowEditor() {
  if (EditorMode() || !CanEditShow()) return;
  if (!FInplaceEdit) FInplaceEdit = new TInplaceEdit(this);
  ScrollToCell(FCurrent.X, FCurrent.Y);
  FEditCell = FCurrent;
  FInplaceEdit->FEditStyle = GetEditStyle(FEditCell.X, FEditCell.Y);
  FInplaceEdit->Font()->Assign(Font());
  FInplaceEdit->SetMaxLength(GetEditLimit());
  FInplaceEdit->SetEditMask(GetEditMask(FEditCell.X, FEditCell.Y));
  FEditOriginal = GetEditText(FEditCell.X, FEditCell.Y);
  FInplaceEdit->SetText(FEditOriginal);
  FInplaceEdit->SetParent(this);
  FInplaceEdit->Show();
  PlaceEditor();
  FInplaceEdit->SelectAll();
  if (Focused() || (FInplaceEdit->CanFocus() && FocusedControl() == nullptr)) FInplaceEdit->SetFocus();
  else if (FocusedControl() && ContainsControl(FocusedControl())) FInplaceEdit->SetFocus();
  InvalidateCell(FEditCell.X, FEditCell.Y);
}

void TCustomGrid::CommitEdit() {
  if (!EditorMode() || FEditing) return;
  FEditing = true;
  const TGridCoord cell = FEditCell;
  const String text = FInplaceEdit->Text();
  FInplaceEdit->CloseUp(false);
  const bool hadFocus = FInplaceEdit->Focused();
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  FEditCell = {-1, -1};
  try {
    // Only a changed text is written back: an edit that changed nothing leaves the cell alone.
    if (text != FEditOriginal) SetEditText(cell.X, cell.Y, text);
  } catch (...) {
    // A refused text: the edit opens again on its cell with what was typed, to be put right or
    // cancelled, and the error goes on to the caller.
    FEditing = false;
    if (cell.X < ColCount() && cell.Y < RowCount()) {
      FEditCell = cell;
      FInplaceEdit->SetText(text);
      FInplaceEdit->Show();
      PlaceEditor();
      if (hadFocus && FInplaceEdit->CanFocus()) FInplaceEdit->SetFocus();
      InvalidateCell(cell.X, cell.Y);
    }
    throw;
  }
  FEditing = false;
  InvalidateCell(cell.X, cell.Y);
}

void TCustomGrid::CancelEdit() {
  if (!EditorMode() || FEditing) return;
  FEditing = true;
  const TGridCoord cell = FEditCell;
  FInplaceEdit->CloseUp(false);
  const bool hadFocus = FInplaceEdit->Focused();
  FInplaceEdit->Hide();
  if (hadFocus && CanFocus()) SetFocus();
  FEditCell = {-1, -1};
  FEditing = false;
  InvalidateCell(cell.X, cell.Y);
}

void TCustomGrid::HideEditor() { CommitEdit(); }

void TCustomGrid::SetEditorMode(bool v) {
  if (v) ShowEditor();
  else HideEditor();
}

void TCustomGrid::UpdateEditor() {
  if ((FOptions & goAlwaysShowEditor) && (FOptions & goEditing)) ShowEditor();
}

}  // namespace jox
