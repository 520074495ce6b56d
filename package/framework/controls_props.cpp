// Published-property tables of the control classes, and the visual-style stand-in.
#include "package/framework/controls.h"

namespace jox {

const TClassInfo& TControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TControl>(&TComponent::ClassInfo())
      .Prop("Left", &TControl::Left, &TControl::SetLeft)
      .Prop("Top", &TControl::Top, &TControl::SetTop)
      .Prop("Width", &TControl::Width, &TControl::SetWidth)
      .Prop("Height", &TControl::Height, &TControl::SetHeight)
      .Prop("Align", &TControl::Align, &TControl::SetAlign, alNone)
      .Prop("Anchors", &TControl::Anchors, &TControl::SetAnchors, akLeft | akTop)
      .Prop("Visible", &TControl::Visible, &TControl::SetVisible, true)
      .Prop("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
      .Prop("Color", &TControl::Color, &TControl::SetColor, clWindow)
      .StoredIf([](const TControl& c) { return !c.ParentColor() && c.Color() != clWindow; })
      .Prop("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, true)
      .Prop("Font", &TControl::Font, &TControl::SetFont)
      .StoredIf([](const TControl& c) { return !c.ParentFont(); })
      .Prop("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
      .Prop("Hint", &TControl::Hint, &TControl::SetHint, String())
      .Prop("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false)
      .StoredIf([](const TControl& c) { return !c.ParentShowHint(); })
      .Prop("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
      .Prop("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault)
      .Prop("StyleElements", &TControl::StyleElements, &TControl::SetStyleElements, seAllElements)
      .Prop("DragMode", &TControl::DragMode, &TControl::SetDragMode, dmManual)
      .Prop("DragKind", &TControl::DragKind, &TControl::SetDragKind, dkDrag)
      .Prop("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, crDrag)
      .Prop("BiDiMode", &TControl::BiDiMode, &TControl::SetBiDiMode, bdLeftToRight)
      .Prop("ParentBiDiMode", &TControl::ParentBiDiMode, &TControl::SetParentBiDiMode, true)
      .Prop("Ctl3D", &TControl::Ctl3D, &TControl::SetCtl3D, true)
      .Prop("ParentCtl3D", &TControl::ParentCtl3D, &TControl::SetParentCtl3D, true)
      .Prop("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext, Integer(0))
      .Event("OnClick").Event("OnDblClick").Event("OnMouseDown").Event("OnMouseMove").Event("OnMouseUp")
      .Event("OnMouseWheel").Event("OnMouseWheelDown").Event("OnMouseWheelUp").Event("OnMouseEnter")
      .Event("OnMouseLeave").Event("OnResize").Event("OnContextPopup").Event("OnDragDrop")
      .Event("OnDragOver").Event("OnEndDrag");
  return info;
}

const TClassInfo& TWinControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TWinControl>(&TControl::ClassInfo())
      .Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, Integer(-1))
      .Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
      .Event("OnKeyDown").Event("OnKeyPress").Event("OnKeyUp").Event("OnEnter").Event("OnExit");
  return info;
}

const TClassInfo& TGraphicControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TGraphicControl>(&TControl::ClassInfo());
  return info;
}

const TClassInfo& TCustomControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TCustomControl>(&TWinControl::ClassInfo());
  return info;
}

// The fixed style: a light grey theme, so styled branches draw something recognisable.
TCustomStyleServices::TCustomStyleServices() {
  for (TColor& c : FColors) c = RGB(0xF0, 0xF0, 0xF0);
  for (TColor& c : FFontColors) c = RGB(0x20, 0x20, 0x20);
  FColors[scBorder] = RGB(0x7A, 0x7A, 0x7A);
  FColors[scWindow] = RGB(0xFF, 0xFF, 0xFF);
  FColors[scEdit] = RGB(0xFF, 0xFF, 0xFF);
  FColors[scButtonNormal] = RGB(0xE1, 0xE1, 0xE1);
  FColors[scButtonHot] = RGB(0xE5, 0xF1, 0xFB);
  FColors[scButtonPressed] = RGB(0xCC, 0xE4, 0xF7);
  FFontColors[sfButtonTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfPanelTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfEditBoxTextDisabled] = RGB(0x83, 0x83, 0x83);
  FFontColors[sfWindowTextDisabled] = RGB(0x83, 0x83, 0x83);
}

TColor TCustomStyleServices::GetStyleColor(TStyleColor c) const {
  return c < scStyleColorCount ? FColors[c] : clNone;
}

TColor TCustomStyleServices::GetStyleFontColor(TStyleFont f) const {
  return f < sfStyleFontCount ? FFontColors[f] : clNone;
}

TColor TCustomStyleServices::GetSystemColor(TColor c) const {
  if (!FEnabled || (c & 0xFF000000) != clSystemColor) return ColorToRGB(c);
  switch (c) {
    case clWindow: return FColors[scWindow];
    case clBtnFace: return FColors[scPanel];
    case clWindowText:
    case clBtnText: return FFontColors[sfWindowTextNormal];
    case clBtnShadow: return FColors[scBorder];
    default: return ColorToRGB(c);
  }
}

TCustomStyleServices* StyleServices() {
  static TCustomStyleServices services;
  return &services;
}

}  // namespace jox
