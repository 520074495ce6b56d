// Published-property tables of the control classes.
#include "package/framework/controls/controls.h"
#include "package/framework/controls/menus.h"

namespace jox {

const TClassInfo& ControlProperties() {
  static const TClassInfo info = [] {
    TClassInfo i = TClassBuilder<TControl>(nullptr)
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
      .Prop("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
      .Prop("Constraints", &TControl::Constraints, &TControl::SetConstraints)
      .StoredIf([](const TControl& c) { return !c.Constraints()->IsEmpty(); })
      .Event("OnClick").Event("OnDblClick").Event("OnMouseDown").Event("OnMouseMove").Event("OnMouseUp")
      .Event("OnMouseWheel").Event("OnMouseWheelDown").Event("OnMouseWheelUp").Event("OnMouseEnter")
      .Event("OnMouseLeave").Event("OnResize").Event("OnContextPopup").Event("OnDragDrop")
      .Event("OnDragOver").Event("OnEndDrag").Event("OnStartDrag").Event("OnEndDock").Event("OnStartDock")
      .Event("OnKeyDown").Event("OnKeyPress").Event("OnKeyUp").Event("OnEnter").Event("OnExit");
    const TClassInfo windowed = TClassBuilder<TWinControl>(nullptr)
      .Prop("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, Integer(-1))
      .Prop("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false)
      .Prop("BevelInner", &TWinControl::BevelInner, &TWinControl::SetBevelInner, bvRaised)
      .Prop("BevelOuter", &TWinControl::BevelOuter, &TWinControl::SetBevelOuter, bvLowered)
      .Prop("BevelKind", &TWinControl::BevelKind, &TWinControl::SetBevelKind, bkNone)
      .Prop("BevelWidth", &TWinControl::BevelWidth, &TWinControl::SetBevelWidth, Integer(1))
      .Prop("BorderWidth", &TWinControl::BorderWidth, &TWinControl::SetBorderWidth, Integer(0));
    i.Props.insert(i.Props.end(), windowed.Props.begin(), windowed.Props.end());
    i.Name = u"ControlProperties";
    return i;
  }();
  return info;
}

// The bases publish nothing: each class's table lists what it publishes.
const TClassInfo& TControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TControl>(&TComponent::ClassInfo());
  return info;
}

const TClassInfo& TSizeConstraints::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TSizeConstraints>(&TPersistent::ClassInfo())
      .Prop("MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight, Integer(0))
      .Prop("MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth, Integer(0))
      .Prop("MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight, Integer(0))
      .Prop("MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth, Integer(0));
  return info;
}

const TClassInfo& TWinControl::ClassInfo() {
  static const TClassInfo info = TClassBuilder<TWinControl>(&TControl::ClassInfo());
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

}  // namespace jox
