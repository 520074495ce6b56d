// Accessibility: how a control describes itself to assistive technology (a screen reader, a magnifier,
// a test driving the desktop's accessibility bus). Sections: [types] [node] [control] [items] [helpers]
//
// Every control has one node, made on first use by its virtual CreateAccessible and owned by the control.
// The framework's classes get a fitting default (a button is a push button named by its caption, a label
// names its FocusControl, an edit is a text with caret and selection, a grid a table); a unit overrides
// CreateAccessible where it has a value or draws items of its own:
//
//   class TDialAccessible : public jox::TControlAccessible {
//    public:
//     using TControlAccessible::TControlAccessible;
//     jox::TAccRole Role() const override { return jox::arSlider; }
//     bool GetValue(jox::TAccValue& V) const override { V = {dial()->Pos(), 0, 100, 1}; return true; }
//   };
//   jox::TAccessible* TDial::CreateAccessible() { return new TDialAccessible(this); }
//
// Items a control draws itself (cells, days, nodes, thumbnails) are children known by a key the control
// picks (an index, a cell number, a node's address): it lists them with ItemCount/ItemAt and describes
// one with DescribeItem; the node makes and keeps one child object per key, so a client sees the same
// object for the same item until the control goes. A bridge to the desktop reads these nodes and compares
// them after each pass of the event loop to raise its change events.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "package/framework/base/types.h"

namespace jox {

class TControl;
class TCustomGrid;

// [types] --------------------------------------------------------------------------------------------------
enum TAccRole : uint8_t {
  arUnknown, arApplication, arWindow, arDialog, arPanel, arPushButton, arToggleButton, arCheckBox,
  arRadioButton, arLabel, arText, arSpinButton, arSlider, arProgressBar, arLevelBar, arComboBox, arList,
  arListItem, arMenu, arPopupMenu, arMenuItem, arCheckMenuItem, arRadioMenuItem, arSeparator, arTable,
  arTableCell, arColumnHeader, arRowHeader, arTree, arTreeItem, arCalendar, arImage, arCanvas, arDateEditor,
  arFiller, arPageTabList, arPageTab
};

enum TAccState : uint32_t {
  asEnabled = 1u << 0, asVisible = 1u << 1, asShowing = 1u << 2, asFocusable = 1u << 3, asFocused = 1u << 4,
  asCheckable = 1u << 5, asChecked = 1u << 6, asPressed = 1u << 7, asSelectable = 1u << 8,
  asSelected = 1u << 9, asExpandable = 1u << 10, asExpanded = 1u << 11, asReadOnly = 1u << 12,
  asEditable = 1u << 13, asMultiLine = 1u << 14, asSingleLine = 1u << 15, asActive = 1u << 16,
  asModal = 1u << 17, asHorizontal = 1u << 18, asVertical = 1u << 19, asMultiSelectable = 1u << 20,
  asDefault = 1u << 21, asManagesDescendants = 1u << 22, asDefunct = 1u << 23, asIndeterminate = 1u << 24
};
using TAccStates = uint32_t;

struct TAccValue {
  double Current = 0, Minimum = 0, Maximum = 0, Step = 0;
};

// Names of the actions clients know.
inline const String kActPress = u"press", kActToggle = u"toggle", kActExpand = u"expand",
                    kActCollapse = u"collapse", kActShowMenu = u"showMenu", kActActivate = u"activate",
                    kActSelect = u"select";

// [node] ---------------------------------------------------------------------------------------------------
// One object of the accessible tree. Offsets of text are in UTF-16 units, 0-based.
class TAccessible {
 public:
  TAccessible() = default;
  TAccessible(const TAccessible&) = delete;
  TAccessible& operator=(const TAccessible&) = delete;
  // Tells the listener the object is gone.
  virtual ~TAccessible();

  virtual TAccRole Role() const = 0;
  virtual String Name() const { return {}; }
  virtual String Description() const { return {}; }
  virtual TAccStates States() const { return 0; }
  // Where the object is on the screen.
  virtual TRect ScreenBounds() const { return {}; }
  virtual TAccessible* Parent() const = 0;
  virtual Integer ChildCount() const { return 0; }
  virtual TAccessible* Child(Integer Index) { return nullptr; }
  // Position among the parent's children, -1 when not found.
  Integer IndexInParent() const;
  // The control the object belongs to.
  virtual TControl* Control() const = 0;
  // Moves the keyboard focus to the object; false when it cannot take it.
  virtual bool GrabFocus() { return false; }

  virtual Integer ActionCount() const { return Integer(Actions().size()); }
  virtual std::vector<String> Actions() const { return {}; }
  // Runs action Index of Actions(); false when there is none such or it cannot run now.
  virtual bool DoAction(Integer Index) { return false; }
  Integer ActionIndex(const String& Name) const;

  // A value with its range, for sliders, meters, progress bars and numeric fields.
  virtual bool GetValue(TAccValue& Value) const { return false; }
  virtual bool SetValue(double Value) { return false; }

  // Text with caret and selection (HasText), editable when SetTextContents succeeds.
  virtual bool HasText() const { return false; }
  virtual String Text() const { return Name(); }
  virtual Integer CaretOffset() const { return -1; }
  virtual bool SetCaretOffset(Integer Offset) { return false; }
  // The selection as [Start, End); false when nothing is selected.
  virtual bool Selection(Integer& Start, Integer& End) const { return false; }
  virtual bool SetSelection(Integer Start, Integer End) { return false; }
  virtual bool SetTextContents(const String& Value) { return false; }

  // A table of cells (rows and columns without the headers).
  virtual bool IsTable() const { return false; }
  virtual Integer RowCount() const { return 0; }
  virtual Integer ColumnCount() const { return 0; }
  virtual TAccessible* Cell(Integer Row, Integer Column) { return nullptr; }
  virtual String ColumnHeader(Integer Column) const { return {}; }
  virtual String RowHeader(Integer Row) const { return {}; }
  // Row and column of a child cell; false when Child is no cell of this table.
  virtual bool CellPosition(const TAccessible* Child, Integer& Row, Integer& Column) const { return false; }

  // The child that has the focus within a control that draws its items (the current cell, day or node).
  virtual TAccessible* FocusedChild() { return nullptr; }
};

// Told when accessible objects go away, so a bridge drops what it holds of them. One at a time.
class TAccessibleListener {
 public:
  virtual ~TAccessibleListener() = default;
  virtual void Destroyed(TAccessible* Object) = 0;
};
void SetAccessibleListener(TAccessibleListener* Listener);

// [control] ------------------------------------------------------------------------------------------------
// A control's node: role, name, state and bounds from the control; children its visible child controls
// first, then its items. The subclasses below give the framework's classes their defaults.
class TControlAccessible : public TAccessible {
 public:
  using TAccKey = intptr_t;

  explicit TControlAccessible(TControl* AControl) : FControl(AControl) {}
  ~TControlAccessible() override;

  TAccRole Role() const override { return arPanel; }
  // The caption, else the text of a label whose FocusControl is this control, else the hint.
  String Name() const override;
  String Description() const override;
  TAccStates States() const override;
  TRect ScreenBounds() const override;
  TAccessible* Parent() const override;
  Integer ChildCount() const override;
  TAccessible* Child(Integer Index) override;
  TControl* Control() const override { return FControl; }
  bool GrabFocus() override;
  TAccessible* FocusedChild() override;

  // Items the control draws itself; none in the base.
  virtual Integer ItemCount() const { return 0; }
  virtual TAccKey ItemAt(Integer Index) const { return Index; }
  // Nested items (tree nodes); a key's parent is kNoItem for a top-level item.
  static constexpr TAccKey kNoItem = -1;
  virtual Integer SubItemCount(TAccKey Key) const { return 0; }
  virtual TAccKey SubItemAt(TAccKey Key, Integer Index) const { return kNoItem; }
  virtual TAccKey ItemParent(TAccKey Key) const { return kNoItem; }
  // Fills Info for a live item; false when the key names no item now (its object then reads as defunct).
  struct TItemInfo {
    TAccRole Role = arListItem;
    String Name, Description;
    TAccStates States = 0;  // enabled, visible and showing come from the control and these:
    bool Enabled = true;
    TRect Bounds;  // client coordinates of the control; empty while scrolled away
    std::vector<String> Actions;
    bool HasValue = false;
    TAccValue Value;
  };
  virtual bool DescribeItem(TAccKey Key, TItemInfo& Info) const { return false; }
  virtual bool DoItemAction(TAccKey Key, Integer Action) { return false; }
  // Moves the control's focus to the item (selects it); false when it cannot.
  virtual bool FocusItem(TAccKey Key) { return false; }
  // The item that has the control's focus, kNoItem when none.
  virtual TAccKey FocusedItem() const { return kNoItem; }
  // The object of an item, made on first use and kept while this node lives.
  TAccessible* Item(TAccKey Key);
  // The key of an item object of this node; false for other objects.
  bool KeyOf(const TAccessible* Object, TAccKey& Key) const;

 protected:
  // The text of a label whose FocusControl is the control, else the hint's short part.
  String LabelledName() const;
  // The text of a label whose FocusControl is the control alone.
  String LabelText() const;
  // Whether the control counts as focused for the states (a graphic control counts while its stand-in is).
  bool ControlFocused() const;
  // Child controls that are exposed: visible, and not a keyboard stand-in.
  std::vector<TControl*> ExposedChildren() const;

 private:
  TControl* FControl;
  std::map<TAccKey, std::unique_ptr<TAccessible>> FItems;
};

// A control with a value in a range: slider, meter, progress bar, spin field (Role chooses which).
class TRangeAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  bool GetValue(TAccValue& Value) const override = 0;
  TAccStates States() const override;
};

// A control whose text is its content (an edit, a read-out): text interface with caret and selection.
class TTextAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arLabel; }
  bool HasText() const override { return true; }
  String Text() const override;
  String Name() const override;
  Integer CaretOffset() const override { return 0; }
};

// A table of a grid: rows and columns below and beside the fixed ones, whose texts are the headers.
// Subclasses give the cell texts (CellText) and may map rows and columns differently.
class TTableAccessible : public TControlAccessible {
 public:
  using TControlAccessible::TControlAccessible;
  TAccRole Role() const override { return arTable; }
  TAccStates States() const override;
  bool IsTable() const override { return true; }
  Integer ItemCount() const override { return RowCount() * ColumnCount(); }
  bool DescribeItem(TAccKey Key, TItemInfo& Info) const override;
  TAccessible* Cell(Integer Row, Integer Column) override;
  bool CellPosition(const TAccessible* Child, Integer& Row, Integer& Column) const override;
  TAccKey CellKey(Integer Row, Integer Column) const { return TAccKey(Row) * ColumnCount() + Column; }

  // Texts of a table cell, 0-based in the table; the base reads nothing.
  virtual String CellText(Integer Row, Integer Column) const { return {}; }
  // The table cell's rectangle in the control's client coordinates (empty when scrolled away).
  virtual TRect CellBounds(Integer Row, Integer Column) const { return {}; }
  virtual bool CellSelected(Integer Row, Integer Column) const { return false; }
  // The current cell; false when there is none.
  virtual bool FocusedCell(Integer& Row, Integer& Column) const { return false; }
  TAccKey FocusedItem() const override;
};

// A grid's table: the cells below and beside the fixed ones, the fixed row's texts the column headers and
// the fixed column's the row headers. Units give the texts with GridText (grid coordinates, fixed cells
// included); "activate" on a cell makes it the current one.
class TGridAccessible : public TTableAccessible {
 public:
  explicit TGridAccessible(TCustomGrid* Grid);
  Integer RowCount() const override;
  Integer ColumnCount() const override;
  String ColumnHeader(Integer Column) const override;
  String RowHeader(Integer Row) const override;
  String CellText(Integer Row, Integer Column) const override;
  TRect CellBounds(Integer Row, Integer Column) const override;
  bool CellSelected(Integer Row, Integer Column) const override;
  bool FocusedCell(Integer& Row, Integer& Column) const override;
  bool FocusItem(TAccKey Key) override;
  bool DoItemAction(TAccKey Key, Integer Action) override;
  // The text of a grid cell as the control shows it; the base grid knows none.
  virtual String GridText(Integer ACol, Integer ARow) const { return {}; }

 protected:
  TCustomGrid* Grid() const;
};

// [helpers] ------------------------------------------------------------------------------------------------
// The object of a control: the one the control keeps (made on first use).
TAccessible* AccessibleOf(TControl* Control);
// The objects of the top level: every visible form and open popup, the main form first.
std::vector<TAccessible*> AccessibleTopLevels();
// Text of a caption without its mnemonic marks ("&Open" reads "Open", "&&" reads "&").
String StripAccel(const String& Caption);
// The name of a role as AT-SPI spells it ("push button", "table cell"), for dumps and tests.
const char* AccRoleName(TAccRole Role);
// The object with the focus: the focused control of the active form (or the top popup), or the
// focused item within it.
TAccessible* AccessibleFocus();

}  // namespace jox
