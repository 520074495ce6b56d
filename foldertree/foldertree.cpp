// The folder tree. Sections: [listing] [lifetime] [properties] [tree] [paths] [folders] [table]
#include "foldertree/foldertree.h"
#include "foldertree/foldertree_list.h"

#include <sys/stat.h>
#include <sys/vfs.h>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "package/core/fileutil.h"
#include "package/core/strutil.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/menus.h"
#include "package/units.h"

namespace fs = std::filesystem;

namespace jox {

// [listing] ------------------------------------------------------------------------------------------------
namespace {

// A name's object in a listing: the folder has subfolders.
TObject* const kHasSubDirs = reinterpret_cast<TObject*>(intptr_t(-1));

// Folders of the system rather than of the user.
bool IsSystemFolder(const fs::path& Parent, const std::string& Name) {
  if (Name == "lost+found") return true;
  if (Parent != fs::path("/")) return false;
  return Name == "proc" || Name == "sys" || Name == "dev" || Name == "run";
}

// Whether an entry of Parent is a folder the options let the tree show. Never throws: an entry that
// cannot be examined is left out.
bool Listed(const fs::directory_entry& E, const fs::path& Parent, TFolderOptions Options) {
  const std::string name = E.path().filename().string();
  // A leading dot is what makes a folder hidden here.
  if (name.empty() || name == "." || name == ".." || (name[0] == '.' && !(Options & fotHidden))) return false;
  std::error_code ec;
  if (E.is_symlink(ec)) {
    // Only links that lead to a folder; a dangling one or one to a file is no folder.
    if (!(Options & fotSymLinks) || !E.is_directory(ec) || ec) return false;
  } else if (!E.is_directory(ec) || ec) {
    return false;
  }
  return (Options & fotSystem) || !IsSystemFolder(Parent, name);
}

// File systems whose folders count their subfolders in the link count (2 + subfolders): there a
// folder with 2 links has none, which a stat tells faster than opening it.
bool CountsSubDirsInLinks(const fs::path& Dir, dev_t& Device) {
  struct statfs fsInfo {};
  struct stat st {};
  if (::statfs(Dir.c_str(), &fsInfo) != 0 || ::stat(Dir.c_str(), &st) != 0) return false;
  Device = st.st_dev;
  constexpr long kExt = 0xEF53, kTmpfs = 0x01021994, kXfs = 0x58465342;
  return fsInfo.f_type == kExt || fsInfo.f_type == kTmpfs || fsInfo.f_type == kXfs;
}

bool HasNoSubDirsByLinks(const fs::path& Dir, dev_t Device) {
  struct stat st {};
  // A mount point may be another file system: only folders of the same device are judged.
  return ::stat(Dir.c_str(), &st) == 0 && st.st_dev == Device && S_ISDIR(st.st_mode) && st.st_nlink == 2;
}

bool HasListedSubDir(const fs::path& Dir, TFolderOptions Options) {
  std::error_code ec;
  fs::directory_iterator it(Dir, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec))
    if (Listed(*it, Dir, Options)) return true;
  return false;
}

}  // namespace

namespace foldertree {
namespace {

// Case-insensitive, ascending. Names equal but for case come in code order, as a sorted search gives
// them, so that the order does not depend on the order the file system keeps.
void SortFolders(std::vector<TFolderEntry>& Entries) {
  std::vector<std::pair<String, TFolderEntry>> keyed;
  keyed.reserve(Entries.size());
  for (TFolderEntry& e : Entries) keyed.emplace_back(LowerCase(e.Name), std::move(e));
  std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second.Name < b.second.Name;
  });
  for (size_t i = 0; i < keyed.size(); ++i) Entries[i] = std::move(keyed[i].second);
}

}  // namespace

std::vector<TFolderEntry> ListFolder(const std::string& DirBytes, TFolderOptions Options) {
  std::vector<TFolderEntry> found;
  const fs::path dir(DirBytes);
  std::error_code ec;
  fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec);
  // An unreadable folder simply has no subfolders.
  if (ec) return found;
  // Links to folders are not counted in the link count, so with them every folder is looked into.
  dev_t device = 0;
  const bool byLinks = !(Options & fotSymLinks) && CountsSubDirsInLinks(dir, device);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (!Listed(*it, dir, Options)) continue;
    std::error_code lec;
    const bool none = byLinks && !it->is_symlink(lec) && HasNoSubDirsByLinks(it->path(), device);
    found.push_back({FileNameFromBytes(it->path().filename().string()), !none && HasListedSubDir(it->path(), Options)});
  }
  SortFolders(found);
  return found;
}

}  // namespace foldertree

void TFolderTree::ListSubDirs(const String& Path, TStringList* List) const {
  const auto entries = foldertree::ListFolder(FileNameToBytes(EnsureTrailingBkSlash(Path)), FOptions);
  // Nothing found leaves the list as it was.
  if (entries.empty()) return;
  struct TFound {
    String Lower, Name;
    TObject* Obj;
  };
  std::vector<TFound> found;
  for (Integer i = 0; i < List->Count(); ++i) found.push_back({LowerCase(List->Get(i)), List->Get(i), List->GetObject(i)});
  for (const auto& e : entries) found.push_back({LowerCase(e.Name), e.Name, e.HasSubDirs ? kHasSubDirs : nullptr});
  std::stable_sort(found.begin(), found.end(), [](const TFound& x, const TFound& y) {
    return x.Lower != y.Lower ? x.Lower < y.Lower : x.Name < y.Name;
  });
  List->BeginUpdate();
  List->Clear();
  for (const TFound& f : found) List->AddObject(f.Name, f.Obj);
  List->EndUpdate();
}

bool TFolderTree::GetSubDirs(const String& Path, TStringList* DirList) {
  if (!DirList || !DirExists(Path)) return false;
  ListSubDirs(Path, DirList);
  return DirList->Count() > 0;
}

bool TFolderTree::GetSubDirs(TTreeNode* Node, TStringList* DirList) {
  return Node && GetSubDirs(PathOfNode(Node), DirList);
}

// [lifetime] -----------------------------------------------------------------------------------------------
TFolderTree::TFolderTree(TComponent* AOwner)
    : TCustomTreeView(AOwner), FDirNames(std::make_unique<TStringList>()) {
  SetMultiSelect(false);
  SetReadOnly(true);
  SetDoubleBuffered(true);
  FColorBak = Color();
  SetExplorerStyle(!FUseOldStyle);
}

TFolderTree::~TFolderTree() { StopExpandingBranch(); }

void TFolderTree::CreateWnd() {
  TCustomTreeView::CreateWnd();
  SetExplorerStyle(!FUseOldStyle);
  Reset();
}

void TFolderTree::Loaded() {
  TCustomTreeView::Loaded();
  // Disabled, the tree shows clBtnFace and keeps the colour it was read with for when it is enabled.
  if (!Enabled()) {
    if (FColorBak == clBlack) FColorBak = clWhite;
    TControl::SetColor(clBtnFace);
  } else {
    if (Color() == clBlack) TControl::SetColor(clWhite);
    FColorBak = Color();
  }
  FullCollapse();
}

// [properties] ---------------------------------------------------------------------------------------------
void TFolderTree::SetOptions(TFolderOptions Value) {
  if (Value == FOptions) return;
  FOptions = Value;
  RefreshTree();
}

void TFolderTree::SetOldTreeStyle(bool Value) {
  if (Value == FUseOldStyle) return;
  FUseOldStyle = Value;
  SetExplorerStyle(!Value);
}

void TFolderTree::SetColor(TColor Value) {
  FColorBak = Value;
  // Read after Enabled = False, the colour waits for the tree to be enabled.
  if (Enabled() || !ComponentState().Contains(csLoading)) TControl::SetColor(Value);
}

void TFolderTree::SetEnabled(bool Value) {
  TControl::SetColor(Value ? FColorBak : clBtnFace);
  TCustomTreeView::SetEnabled(Value);
}

// [tree] ---------------------------------------------------------------------------------------------------
void TFolderTree::BuildMainTree() {
  Items()->BeginUpdate();
  Items()->Clear();
  TTreeNode* root = Items()->Add(nullptr, u"/");
  Items()->AddChild(root, DummyChild);
  Items()->EndUpdate();
}

// Loading here rather than in OnExpanding leaves that event to the application, which sees the
// loaded children and may still refuse the expansion.
bool TFolderTree::CanExpand(TTreeNode* Node) {
  bool allow = true;
  ProcessExpanding(this, Node, allow);
  return TCustomTreeView::CanExpand(Node) && allow;
}

void TFolderTree::ProcessExpanding(TObject*, TTreeNode* Node, bool& AllowExpansion) {
  if (ComponentState() & csDesigning) return;
  AllowExpansion = true;
  if (reinterpret_cast<uintptr_t>(Node->Data()) == LoadedMarker) return;
  const TCursor before = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  LoadChildren(Node);
  Screen->SetCursor(before);
}

void TFolderTree::LoadChildren(TTreeNode* Node) {
  FillChildren(Node, foldertree::ListFolder(FileNameToBytes(PathOfNode(Node)), FOptions));
}

void TFolderTree::FillChildren(TTreeNode* Node, const std::vector<foldertree::TFolderEntry>& Entries) {
  Items()->BeginUpdate();
  Node->DeleteChildren();
  if (!Entries.empty()) {
    Node->SetData(reinterpret_cast<void*>(LoadedMarker));
    for (const auto& e : Entries) {
      TTreeNode* child = AddFolderNode(Node, e.Name);
      if (e.HasSubDirs) Items()->AddChild(child, DummyChild);
    }
  }
  Items()->EndUpdate();
}

void TFolderTree::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  FClickFired = false;
  TCustomTreeView::MouseDown(Button, Shift, X, Y);
}

void TFolderTree::Click() {
  if (std::exchange(FClickFired, false)) return;
  TCustomTreeView::Click();
}

void TFolderTree::Change(TTreeNode* Node) {
  if (OnClick()) {
    OnClick()(this);
    FClickFired = true;
  }
  const String old = FDirectory;
  if (Node) FDirectory = PathOfNode(Node);
  TCustomTreeView::Change(Node);
  DirChanged(old);
}

void TFolderTree::DirChanged(const String& Old) {
  if (FDirectory != Old && FOnDirChange) FOnDirChange(this);
}

void TFolderTree::Reset() {
  const String old = FDirectory;
  FDirectory.assign(1, u'/');
  BuildMainTree();
  FullCollapse();
  DirChanged(old);
}

// [paths] --------------------------------------------------------------------------------------------------
TTreeNode* TFolderTree::AddFolderNode(TTreeNode* Parent, const String& Name) {
  const String shown = FileNameDisplay(Name);
  TTreeNode* node = Items()->AddChild(Parent, shown);
  if (shown != Name) FRawNames[node] = Name;
  return node;
}

const String& TFolderTree::FolderName(const TTreeNode* Node) const {
  const auto it = FRawNames.find(Node);
  return it != FRawNames.end() ? it->second : Node->Text();
}

void TFolderTree::Delete(TTreeNode* Node) {
  if (Node == WalkTop()) StopExpandingBranch();
  FRawNames.erase(Node);
  TCustomTreeView::Delete(Node);
}

String TFolderTree::PathOfNode(const TTreeNode* Node) const {
  if (!Node) return String();
  std::vector<const TTreeNode*> chain;
  for (const TTreeNode* n = Node; n; n = n->Parent()) chain.push_back(n);
  String path;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) path += EnsureTrailingBkSlash(FolderName(*it));
  return path;
}

TTreeNode* TFolderTree::LoadPath(const String& Path) {
  TOpenStringArray parts;
  Tokenize(Path, u"/", parts);
  // The first part is the root's (empty before the leading "/"); empty parts ("//") add nothing.
  TTreeNode* node = Items()->GetFirstNode();
  if (Path.empty() || Path[0] != u'/' || !node) return nullptr;
  if (reinterpret_cast<uintptr_t>(node->Data()) != LoadedMarker) LoadChildren(node);
  for (size_t k = 1; k < parts.size(); ++k) {
    if (parts[k].empty()) continue;
    TTreeNode* next = nullptr;
    for (Integer i = 0; i < node->Count() && !next; ++i)
      if (FolderName(node->Item(i)) == parts[k]) next = node->Item(i);
    if (!next) return nullptr;
    node = next;
    if (reinterpret_cast<uintptr_t>(node->Data()) != LoadedMarker) LoadChildren(node);
  }
  return node;
}

bool TFolderTree::SelectPath(const String& Path) {
  // Names differ by case on this platform, so the path is taken as given.
  const String path = EnsureTrailingBkSlash(Path);
  if (!DirExists(path)) return false;
  // The rebuild must not close what the user has open: remember the open nodes, parents first.
  std::vector<String> open;
  for (TTreeNode* n = Items()->GetFirstNode(); n; n = n->GetNext())
    if (n->Expanded()) open.push_back(PathOfNode(n));
  Items()->BeginUpdate();
  BuildMainTree();
  for (const String& p : open)
    if (TTreeNode* n = LoadPath(p)) n->Expand(false);
  TTreeNode* node = LoadPath(path);
  Items()->EndUpdate();
  if (node) SetSelected(node);
  return true;
}

bool TFolderTree::RefreshTree() {
  const String remembered = FDirectory;
  bool result = SelectPath(FDirectory);
  while (!result && !FDirectory.empty()) {
    // ParentDir ends with "" above the root, so the walk always ends.
    FDirectory = EnsureTrailingBkSlash(ParentDir(FDirectory));
    result = SelectPath(FDirectory);
  }
  DirChanged(remembered);
  return result;
}

// [folders] ------------------------------------------------------------------------------------------------
bool TFolderTree::MakeSubFolder(const String& FolderName) {
  TTreeNode* sel = Selected();
  if (!sel) return false;
  for (char16_t c : FolderName)
    if (c < 32 || c == u'"' || c == u'<' || c == u'>' || c == u'|') return false;
  String name = StripTrailingChars(u'/', StripLeadingChars(u'/', ReplaceCharInString(FolderName, u'\\', u'/')));
  if (name.empty()) return false;
  TOpenStringArray parts;
  Tokenize(name, u"/", parts);
  for (const String& p : parts)
    if (p == u"." || p == u"..") return false;
  const String path = PathOfNode(sel) + name;
  if (!ForceDirectories(path)) return false;
  SelectPath(path);
  return true;
}

bool TFolderTree::RemoveSelectedFolder() {
  TTreeNode* sel = Selected();
  if (!sel || !sel->Parent()) return false;
  const String parent = PathOfNode(sel->Parent());
  const bool removed = RemoveDir(PathOfNode(sel));
  Application->ProcessMessages();
  if (removed) SelectPath(parent);
  return removed;
}

// [table] --------------------------------------------------------------------------------------------------
const TClassInfo& TFolderTree::ClassInfo() {
  using C = TFolderTree;
  static const TClassInfo info = TClassBuilder<TFolderTree>(&TCustomTreeView::ClassInfo())
      .Prop("Options", &C::Options, &C::SetOptions, TFolderOptions())
      .Prop("OldTreeStyle", &C::OldTreeStyle, &C::SetOldTreeStyle, true)
      // A disabled tree is grey; what it stores is the colour it shows enabled.
      .Prop("Color", [](const C& c) { return c.Enabled() ? c.Color() : c.FColorBak; }, &C::SetColor, clWindow)
      .Prop("BorderStyle", &C::BorderStyle, &C::SetBorderStyle, bsSingle)
      .Prop("HotTrack", &C::HotTrack, &C::SetHotTrack, false)
      .Prop("Indent", &C::Indent, &C::SetIndent, Integer(19))
      .Prop("PopupMenu", &C::PopupMenu, &C::SetPopupMenu)
      .Prop("ShowButtons", &C::ShowButtons, &C::SetShowButtons, true)
      .Prop("ShowLines", &C::ShowLines, &C::SetShowLines, true)
      .Prop("ShowRoot", &C::ShowRoot, &C::SetShowRoot, true)
      .Prop("TabStop", &C::TabStop, &C::SetTabStop, true)
      .Event("OnDirChanged").Event("OnChange")
      .Publish(ControlProperties(), pgBounds)
      .Publish(ControlProperties(), {"Enabled", "Align", "Anchors", "BevelInner", "BevelOuter", "BevelKind",
                                     "BevelWidth", "BorderWidth", "Constraints", "Cursor", "Ctl3D", "Font", "ParentShowHint",
                                     "ParentFont", "ShowHint", "StyleElements", "TabOrder", "Visible", "OnClick",
                                     "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyUp", "OnKeyPress",
                                     "OnMouseEnter", "OnMouseLeave", "OnMouseDown"});
  return info;
}

// Registered for form text by the unit's start-up.
static const TUnitClasses FolderTreeClasses(juFolderTree, {&TFolderTree::ClassInfo});

// [copying] ------------------------------------------------------------------------------------------------
void TFolderTree::Assign(TPersistent* Source) {
  if (auto* s = dynamic_cast<TFolderTree*>(Source)) {
    AssignPublished(this, s);
    return;
  }
  TCustomTreeView::Assign(Source);
}

void TFolderTree::AssignTo(TPersistent* Dest) {
  if (dynamic_cast<TFolderTree*>(Dest))
    Dest->Assign(this);
  else
    TCustomTreeView::AssignTo(Dest);
}

}  // namespace jox
