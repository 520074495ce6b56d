// TNTabEd popup menus (data menu, heading menu), their masks and captions, and the two editors that
// open over the grid: the heading editor and the comment memo.
// Sections: [creation] [masks and captions] [data menu] [keyboard] [heading menu] [heading editor] [comment]
#include <algorithm>
#include <cmath>

#include "ntabed/ntabed.h"
#include "ntabed/ntabed_internal.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/forms.h"

namespace jox {

// [creation] -----------------------------------------------------------------------------------------------
namespace {

const char16_t* const kDataCaptions[NTabEdDataItems] = {
    u"Mark as type A", u"Mark as type B", u"Unmark type A", u"Unmark type B", u"Unmark All",
    u"Clear", u"Copy", u"Paste", u"Extract from Clipboard", u"Data Read-Only",
    u"Select All", u"Toggle Empty State", u"Reset All Empty States"};
const char16_t* const kHeadCaptions[NTabEdHeadItems] = {u"Edit Heading", u"Change Precision", u"Select..",
                                                        u"Insert..", u"Delete.."};
const char16_t* const kRangeCaptions[4] = {u"Range", u"Column", u"Row", u"All"};
const char16_t* const kSubNames[4] = {u"M1It", u"M2It", u"U1It", u"U2It"};

constexpr Integer kCaptionLength = 50;

TMenuItem* NewItem(TPopupMenu* Menu, TMenuItem* Parent, const String& Name, const String& Caption,
                   TNotifyEvent OnClick) {
  auto* item = new TMenuItem(Menu);
  item->SetName(Name);
  item->SetCaption(Caption);
  if (OnClick) item->SetOnClick(std::move(OnClick));
  Parent->Add(item);
  return item;
}

bool Bit(Integer Mask, Integer n) { return (Mask >> n) & 1; }

}  // namespace

void TNTabEd::CreateMenus() {
  FPopupD = new TPopupMenu(this);
  FPopupD->SetName(u"PopupDTAction");
  FPopupD->SetAutoPopup(false);
  for (Integer n = 1; n <= NTabEdDataItems; ++n) {
    TNotifyEvent click;
    switch (n) {
      case 5: click = [this](TObject*) { UnmarkAllCellsAction(); }; break;
      case 6: click = [this](TObject* s) { ClearSelection(s); }; break;
      case 7: click = [this](TObject*) { Copy(); }; break;
      case 8: click = [this](TObject*) { Paste(); }; break;
      case 9: click = [this](TObject*) { ExtractFromClipboard(); }; break;
      case 10: click = [this](TObject*) { SetDataReadOnly(!FReadOnly); ChangedSetup(); }; break;
      case 11: click = [this](TObject*) { SelectAllData(); }; break;
      case 12: click = [this](TObject*) { ToggleEmptySelection(); }; break;
      case 13: click = [this](TObject*) { ResetAllEmptyStates(); }; break;
      default: break;
    }
    FDItems[n] = NewItem(FPopupD, FPopupD->Items(), u"DIt" + IntToStr(n), kDataCaptions[n - 1], click);
  }
  for (Integer k = 0; k < 4; ++k) {
    const Byte bit = (k % 2 == 0) ? ntsMarkA : ntsMarkB;
    const bool set = k < 2;
    for (Integer i = 1; i <= 4; ++i)
      FMarkItems[k][i] = NewItem(FPopupD, FDItems[k + 1], kSubNames[k] + IntToStr(i), kRangeCaptions[i - 1],
                                 [this, bit, set, i](TObject*) { MarkSelection(bit, set, i); });
  }
  FDItems[8]->SetEnabled(false);
  FPopupD->SetOnPopup([this](TObject*) { PrepareDataMenu(); });

  FPopupH = new TPopupMenu(this);
  FPopupH->SetName(u"PopupHTAction");
  FPopupH->SetAutoPopup(false);
  const TNotifyEvent headClicks[NTabEdHeadItems] = {
      [this](TObject*) { EditHeading(); }, [this](TObject*) { ChangePrecision(); },
      [this](TObject*) { HeadSelect(); }, [this](TObject*) { HeadInsert(); }, [this](TObject*) { HeadDelete(); }};
  for (Integer n = 1; n <= NTabEdHeadItems; ++n)
    FHItems[n] = NewItem(FPopupH, FPopupH->Items(), u"HIt" + IntToStr(n), kHeadCaptions[n - 1], headClicks[n - 1]);
  // The outline drawn around the heading goes with the menu.
  FPopupH->SetOnClose([this](TObject*) {
    FOutlined = {-1, -1};
    Invalidate();
  });
}

// [masks and captions] -------------------------------------------------------------------------------------
void TNTabEd::ApplyDMask() {
  for (Integer n = 1; n <= NTabEdDataItems; ++n) {
    if (!FDItems[n]) continue;
    FDItems[n]->SetEnabled(Bit(FPopupDMask, n - 1));
    FDItems[n]->SetVisible(Bit(FPopupDMask, n - 1));
  }
}

void TNTabEd::ApplyHMask() {
  for (Integer n = 1; n <= NTabEdHeadItems; ++n)
    if (FHItems[n]) FHItems[n]->SetEnabled(Bit(FPopupHMask, n - 1));
}

void TNTabEd::SetPopupDMask(Integer v) {
  FPopupDMask = v;
  ApplyDMask();
  ChangedSetup();
}

void TNTabEd::SetPopupHMask(Integer v) {
  FPopupHMask = v;
  ApplyHMask();
  ChangedSetup();
}

String TNTabEd::PopupDCaptions(Integer Index) const {
  return Index >= 1 && Index <= NTabEdDataItems && FDItems[Index] ? FDItems[Index]->Caption() : String();
}

void TNTabEd::SetPopupDCaptions(Integer Index, const String& Value) {
  if (Index >= 1 && Index <= NTabEdDataItems && FDItems[Index])
    FDItems[Index]->SetCaption(Value.substr(0, kCaptionLength));
}

String TNTabEd::PopupHCaptions(Integer Index) const {
  return Index >= 1 && Index <= NTabEdHeadItems && FHItems[Index] ? FHItems[Index]->Caption() : String();
}

void TNTabEd::SetPopupHCaptions(Integer Index, const String& Value) {
  if (Index >= 1 && Index <= NTabEdHeadItems && FHItems[Index])
    FHItems[Index]->SetCaption(Value.substr(0, kCaptionLength));
}

String TNTabEd::PopupMCaptions(Integer Index) const {
  return Index >= 1 && Index <= 4 && FMarkItems[0][Index] ? FMarkItems[0][Index]->Caption() : String();
}

void TNTabEd::SetPopupMCaptions(Integer Index, const String& Value) {
  if (Index < 1 || Index > 4) return;
  for (Integer k : {0, 1})
    if (FMarkItems[k][Index]) FMarkItems[k][Index]->SetCaption(Value.substr(0, kCaptionLength));
}

String TNTabEd::PopupUCaptions(Integer Index) const {
  return Index >= 1 && Index <= 4 && FMarkItems[2][Index] ? FMarkItems[2][Index]->Caption() : String();
}

void TNTabEd::SetPopupUCaptions(Integer Index, const String& Value) {
  if (Index < 1 || Index > 4) return;
  for (Integer k : {2, 3})
    if (FMarkItems[k][Index]) FMarkItems[k][Index]->SetCaption(Value.substr(0, kCaptionLength));
}

// [data menu] ----------------------------------------------------------------------------------------------
void TNTabEd::PrepareDataMenu() {
  ApplyDMask();
  FDItems[8]->SetEnabled(FDataCopyAvail && Bit(FPopupDMask, 7) && !FReadOnly);
  FDItems[6]->SetEnabled(Bit(FPopupDMask, 5) && !FReadOnly);
  FDItems[9]->SetEnabled(Bit(FPopupDMask, 8) && !FReadOnly);
}

void TNTabEd::OpenDataMenu(Integer X, Integer Y) {
  if (!FPopupD || PopupMenu() || FBlockIntPopup) return;
  TBitmap glyph;
  glyph.LoadFromResourceName(HInstance, FReadOnly ? u"CHECKEDBOX" : u"EMPTYBOX");
  FDItems[10]->SetBitmap(&glyph);
  if (FOnBeforePopup) FOnBeforePopup(this, FPopupD);
  const TPoint at = ClientToScreen(Point(X + 10, Y - 20));
  FPopupD->SetPopupComponent(this);
  FPopupD->Popup(at.X, at.Y);
}

void TNTabEd::UnmarkAllCellsAction() {
  Data->UnmarkAllCells();
  PaintView();
  ChangedCellStates();
}

void TNTabEd::ClearSelection(TObject* Sender) {
  {
    TInternSuppress quiet(this);
    AttachDataCallback(false);
    if (FOnClear) {
      FOnClear(Sender ? Sender : this);
    } else {
      Integer L, T, R, B;
      if (TableSelection(L, T, R, B))
        for (Integer c = L; c <= R; ++c)
          for (Integer r = T; r <= B; ++r) {
            if (TableCellProtected(*Data, c, r)) continue;
            Data->SetElem(c, r, 0);
            Data->SetCellState(c, r, 0);
          }
    }
    AttachDataCallback(true);
  }
  PaintView();
  ChangedData();
  ChangedCellStates();
}

void TNTabEd::ToggleEmptySelection() {
  AttachDataCallback(false);
  Integer L, T, R, B;
  if (TableSelection(L, T, R, B))
    for (Integer c = L; c <= R; ++c)
      for (Integer r = T; r <= B; ++r) Data->SetCellState(c, r, Data->GetCellState(c, r) ^ ntsEmpty);
  AttachDataCallback(true);
  PaintView();
  ChangedEmptyStates();
}

void TNTabEd::ResetAllEmptyStates() {
  {
    TInternSuppress quiet(this);
    SetAllStateBits(ntsEmpty, false);
  }
  PaintView();
  ChangedEmptyStates();
}

void TNTabEd::SelectAllData() {
  if (NrOfColumns() < 1 || NrOfRows() < 1) return;
  SetSelection({FColOffset + 1, FRowOffset + 1, NrOfColumns() + FColOffset, NrOfRows() + FRowOffset});
  PaintView();
  ChangedSelection();
}

// [keyboard] -----------------------------------------------------------------------------------------------
void TNTabEd::DefaultHandler(TMessage& Message) {
  // A menu asked for from the keyboard (no mouse point) opens at the current cell.
  if (Message.Msg == WM_CONTEXTMENU && Message.LParam == -1 && !PopupMenu() && !FBlockIntPopup) {
    OpenMenuFromKeyboard(false);
    Message.Result = 1;
    return;
  }
  TCustomGrid::DefaultHandler(Message);
}

void TNTabEd::OpenMenuFromKeyboard(bool Heading) {
  const Integer c = TCustomGrid::Col(), r = TCustomGrid::Row();
  if (Heading) {
    FPopupTarget = {c, FRowOffset};
    OpenHeadMenu(c, FRowOffset);
    return;
  }
  const TRect rc = CellRect(c, r);
  if (rc.IsEmpty()) return;
  FPopupTarget = {c, r};
  // OpenDataMenu places the menu beside a mouse point; this puts it just below the cell.
  OpenDataMenu(rc.Left, rc.Bottom + 20);
}

// [heading menu] -------------------------------------------------------------------------------------------
void TNTabEd::OutlineCell(Integer ACol, Integer ARow) {
  FOutlined = {ACol, ARow};
  PaintOutline();
}

// Drawn again by Paint while the heading menu stays open.
void TNTabEd::PaintOutline() {
  if (FOutlined.X < 0) return;
  const TRect rc = CellRect(FOutlined.X, FOutlined.Y);
  if (rc.IsEmpty()) return;
  TCanvas* cv = Canvas();
  cv->Pen()->SetMode(pmNot);
  cv->Pen()->SetWidth(1);
  cv->Brush()->SetStyle(bsClear);
  cv->Rectangle(rc.Left, rc.Top, rc.Right + 1, rc.Bottom + 1);
  cv->Pen()->SetMode(pmCopy);
  cv->Brush()->SetStyle(bsSolid);
}

void TNTabEd::PrepareHeadMenu(bool Column) {
  ApplyHMask();
  FHeadTargetIsCol = Column;
  if (Bit(FPopupHMask, 1)) FHItems[2]->SetEnabled(Column);
  FHItems[3]->SetEnabled(Bit(FPopupHMask, 2));
  FHItems[4]->SetEnabled(Bit(FPopupHMask, 3) && !FReadOnly);
  FHItems[5]->SetEnabled(Bit(FPopupHMask, 4) && !FReadOnly);
  FHItems[3]->SetCaption(Column ? u"Select Column" : u"Select Row");
  FHItems[4]->SetCaption(Column ? u"Insert Column" : u"Insert Row");
  FHItems[5]->SetCaption(Column ? u"Delete Column" : u"Delete Row");
}

void TNTabEd::OpenHeadMenu(Integer ACol, Integer ARow) {
  if (!FPopupH || PopupMenu() || FBlockIntPopup) return;
  const bool column = ACol > FColOffset && ARow <= FRowOffset;
  const bool row = ARow > FRowOffset && ACol <= FColOffset;
  if (!column && !row) return;
  PrepareHeadMenu(column);
  OutlineCell(ACol, ARow);
  if (FOnBeforePopup) FOnBeforePopup(this, FPopupH);
  const TRect rc = CellRect(ACol, ARow);
  const TPoint at = ClientToScreen(Point(rc.Left + 20, rc.Top + 20));
  FPopupH->SetPopupComponent(this);
  FPopupH->Popup(at.X, at.Y);
}

void TNTabEd::ChangePrecision() {
  const Integer c = FPopupTarget.X - FColOffset;
  if (c < 1 || c > Integer(FDecP.size())) return;
  Integer p = FDecP[size_t(c - 1)] - 1;
  if (p < -1) p = 10;
  FDecP[size_t(c - 1)] = int8_t(p);
  // The menu comes back at hand, so that further clicks step on; it opens once the click that chose
  // this item is done with the menu it closed.
  FOutlined = FPopupTarget;
  PaintView();
  if (HandleAllocated()) PostMessage(Handle(), CM_NTABEDREOPENMENU, 0, 0);
  else ReopenHeadMenu();
  ChangedLayout();
}

void TNTabEd::ReopenHeadMenu() {
  if (!FPopupH || PopupMenu() || FBlockIntPopup) return;
  const TRect rc = CellRect(FPopupTarget.X, FPopupTarget.Y);
  if (rc.IsEmpty()) return;
  FOutlined = FPopupTarget;
  Invalidate();
  const TPoint at = ClientToScreen(Point(rc.Left + 20, rc.Top + 20));
  FPopupH->Popup(at.X, at.Y);
}

void TNTabEd::SelectTargetColumn() {
  const Integer g = FPopupTarget.X;
  if (g <= FColOffset || g > NrOfColumns() + FColOffset || NrOfRows() < 1) return;
  SetSelection({g, FRowOffset + 1, g, NrOfRows() + FRowOffset});
  PaintView();
  ChangedSelection();
}

void TNTabEd::SelectTargetRow() {
  const Integer g = FPopupTarget.Y;
  if (g <= FRowOffset || g > NrOfRows() + FRowOffset || NrOfColumns() < 1) return;
  SetSelection({FColOffset + 1, g, NrOfColumns() + FColOffset, g});
  PaintView();
  ChangedSelection();
}

void TNTabEd::HeadSelect() {
  if (FHeadTargetIsCol) SelectTargetColumn();
  else SelectTargetRow();
}

void TNTabEd::HeadInsert() {
  AttachDataCallback(false);
  if (FHeadTargetIsCol) {
    const Integer c = FPopupTarget.X - FColOffset;
    if (c >= 1 && c <= NrOfColumns() + 1) {
      InsertColumn(c);
      Data->SetColName(c, u"(...)");
    }
  } else {
    const Integer r = FPopupTarget.Y - FRowOffset;
    if (r >= 1 && r <= NrOfRows() + 1) {
      InsertRow(r);
      Data->SetRowName(r, u"(...)");
    }
  }
  AttachDataCallback(true);
  PaintView();
}

void TNTabEd::HeadDelete() {
  if (FHeadTargetIsCol) RemoveColumn(FPopupTarget.X - FColOffset);
  else RemoveRow(FPopupTarget.Y - FRowOffset);
  ChangedSetup();
}

// [heading editor] -----------------------------------------------------------------------------------------
void TNTabEd::EditHeading() {
  const Integer gc = FPopupTarget.X, gr = FPopupTarget.Y;
  if (!FNameEd || (gc <= FColOffset && gr <= FRowOffset)) return;
  const Integer c = gc - FColOffset, r = gr - FRowOffset;
  String text;
  if (gc > FColOffset) text = gr != 0 ? IntToStr(Data->GetColAttrib(c)) : Data->GetColName(c);
  else text = gc != 0 ? IntToStr(Data->GetRowAttrib(r)) : Data->GetRowName(r);
  const TRect rc = CellRect(gc, gr);
  if (rc.IsEmpty()) return;
  FNameEdCell = {gc, gr};
  FNameEd->SetBounds(rc.Left + 30, rc.Top + 5, std::max(120, rc.Width()), 21);
  FNameEd->SetText(text);
  FNameEd->SelectAll();
  FNameEd->Show();
  FNameEd->BringToFront();
  if (FNameEd->CanFocus()) FNameEd->SetFocus();
}

void TNTabEd::NameEdKeyPress(char16_t& Key) {
  if (Key != 13 && Key != 27) return;
  const bool store = Key == 13;
  Key = 0;
  FNameEd->Hide();
  Invalidate();
  if (CanFocus()) SetFocus();
  if (!store) return;
  const Integer gc = FNameEdCell.X, gr = FNameEdCell.Y;
  const Integer c = gc - FColOffset, r = gr - FRowOffset;
  const String text = FNameEd->Text();
  const bool attrib = gc > FColOffset ? gr != 0 : gc != 0;
  if (attrib) {
    Extended v = 0;
    TFormatSettings fs = FormatSettings;
    fs.DecimalSeparator = u'.';
    String t = text;
    std::replace(t.begin(), t.end(), u',', u'.');
    if (!TryStrToFloat(t, v, fs) || std::isnan(double(v))) return;
    const Byte a = Byte(RoundHalfEven(std::clamp(double(v), 0.0, 255.0)));
    if (gc > FColOffset) SetColAttrib(c, a);
    else SetRowAttrib(r, a);
  } else {
    const String name = text.substr(0, 255);
    if (gc > FColOffset) SetColName(c, name);
    else SetRowName(r, name);
  }
  ChangedHeading();
}

// [comment] ------------------------------------------------------------------------------------------------
void TNTabEd::OpenCommentEditor() {
  if (!FCommentMM || FBlockIntPopup || !FCommEdAllowed) return;
  FCommentOpen = true;
  const TRect rc = CellRect(0, 0);
  TCanvas* cv = Canvas();
  cv->Brush()->SetStyle(bsSolid);
  cv->Brush()->SetColor(TColor(0x808000));
  cv->Font()->Assign(Font());
  cv->Font()->SetColor(clWhite);
  cv->TextRect(rc, rc.Left + 3, rc.Top + 2, u"Comment:");
  const Integer w0 = TCustomGrid::ColWidths(0);
  FCommentMM->SetBounds(w0, 0, std::max(20, Width() - w0 - 20), 80);
  FCommentMM->SetText(Data->Comment());
  FCommentMM->SetSelStart(Integer(Data->Comment().size()));
  FCommentMM->SetColor(TColor(0x808000));
  FCommentMM->Font()->SetColor(clWhite);
  FCommentMM->Show();
  FCommentMM->BringToFront();
  if (FCommentMM->CanFocus()) FCommentMM->SetFocus();
  InvalidateCell(0, 0);
}

void TNTabEd::CloseCommentEditor(bool Store) {
  if (!FCommentMM) return;
  FCommentMM->Hide();
  FCommentOpen = false;
  if (Store) {
    Data->SetFComment(FCommentMM->Text());
    ChangedData();
  }
  if (CanFocus()) SetFocus();
  InvalidateCell(0, 0);
}

void TNTabEd::CommentKeyPress(char16_t& Key) {
  if (Key != 13 && Key != 27) return;
  const bool store = Key == 13;
  Key = 0;
  CloseCommentEditor(store);
}

}  // namespace jox
