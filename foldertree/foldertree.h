// The folder tree: the file system's folders as a tree whose nodes load their subfolders when first
// expanded. The root is "/" and every path ends in "/". Hidden folders (names beginning with a dot),
// symbolic links to folders and system folders (lost+found anywhere, and the kernel's /proc, /sys, /dev
// and /run) are listed only when Options ask for them.
#pragma once

#include <memory>
#include <unordered_map>
#include <vector>

#include "package/framework/base/strings.h"
#include "package/framework/controls/treeview.h"

namespace jox {

namespace foldertree {
struct TFolderEntry;
}

enum TFolderOptTypes : uint8_t { fotSymLinks, fotHidden, fotSystem };
using TFolderOptions = TSet<TFolderOptTypes, Byte, true>;
JOX_SET_OPERATORS(TFolderOptions, TFolderOptTypes)

class TFolderTree : public TCustomTreeView {
 public:
  // Data of a node whose children are loaded; any other value: not loaded yet.
  static constexpr uintptr_t LoadedMarker = 0xA5F016ED;
  // The only child of a node whose subfolders are not loaded yet, so that it shows a button.
  static constexpr const char16_t* DummyChild = u"Child";

  explicit TFolderTree(TComponent* AOwner);
  ~TFolderTree() override;

  // The selected folder's path, ending in "/"; "/" after Reset.
  const String& Directory() const { return FDirectory; }
  // Default empty. A change lists the folders again (RefreshTree).
  TFolderOptions Options() const { return FOptions; }
  void SetOptions(TFolderOptions Value);
  // Default true: the classic look; false: the explorer look.
  bool OldTreeStyle() const { return FUseOldStyle; }
  void SetOldTreeStyle(bool Value);
  // Also kept as the colour that enabling restores.
  void SetColor(TColor Value);
  // Disabling shows clBtnFace; enabling restores the colour kept.
  void SetEnabled(bool Value) override;
  TStringList* DirNames() const { return FDirNames.get(); }
  // After form reading: black becomes white, the colour is kept for enabling, all collapsed.
  void Loaded() override;

  // The root alone, collapsed; Directory "/" (OnDirChanged when it changed).
  void Reset();
  // Rebuilds the tree (branches that were open and still exist open again), loads the folders along
  // Path and selects Path's node. False (tree unchanged) when the folder does not exist.
  bool SelectPath(const String& Path);
  // SelectPath(Directory), walking up to the nearest folder that still exists; OnDirChanged when
  // Directory changed. The last SelectPath's result.
  bool RefreshTree();
  // Creates FolderName (nested names with "/" too) under the selected folder and selects it. False
  // without selection, for an empty name, a name with a control character or one of " < > |, a name
  // with a "." or ".." part (it would leave the selected folder), or when the folder cannot be made.
  bool MakeSubFolder(const String& FolderName);
  // Removes the selected folder when it is empty and not the root, then selects its parent.
  bool RemoveSelectedFolder();
  // Appends the subfolders of Path (of the node's folder) to DirList, sorted by name without case;
  // each name's object is -1 when that folder has subfolders itself. False when the folder does not
  // exist; otherwise whether DirList holds any name.
  bool GetSubDirs(const String& Path, TStringList* DirList);
  bool GetSubDirs(TTreeNode* Node, TStringList* DirList);
  // The node's path: each ancestor's folder name with a trailing "/" (the root's is "/"). Names are
  // the file system's bytes (FileNameFromBytes): a name that is not UTF-8 shows with U+FFFD in its
  // node, but its path names that folder, for SelectPath, the file functions and FileNameToBytes.
  String PathOfNode(const TTreeNode* Node) const;

  // "*" on a node lists every folder below it on a thread of its own and opens the branch as the
  // listings arrive, so the tree stays usable; a folder met again (a link back up, by device and inode)
  // is shown but not entered. The busy cursor shows meanwhile; Escape stops it, keeping what is open.
  bool ExpandingBranch() const { return FWalk != nullptr; }
  void StopExpandingBranch();

  const TNotifyEvent& OnDirChanged() const { return FOnDirChange; }
  void SetOnDirChanged(TNotifyEvent E) { FOnDirChange = std::move(E); }

  // From another TFolderTree: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  void AssignTo(TPersistent* Dest) override;
  void CreateWnd() override;
  void Change(TTreeNode* Node) override;
  void Delete(TTreeNode* Node) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(char16_t& Key) override;
  // A click that selects a node has fired OnClick with the selection change: the click itself does
  // not fire it again.
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void Click() override;
  // Loads the node's folders before the application's OnExpanding is asked.
  bool CanExpand(TTreeNode* Node) override;

 private:
  void BuildMainTree();
  void ProcessExpanding(TObject* Sender, TTreeNode* Node, bool& AllowExpansion);
  // Replaces the node's children by its subfolders (each with a dummy child when it has subfolders).
  void LoadChildren(TTreeNode* Node);
  // The node of Path, loading the folders on the way; nullptr when the tree has none.
  TTreeNode* LoadPath(const String& Path);
  void ListSubDirs(const String& Path, TStringList* List) const;
  void DirChanged(const String& Old);
  struct TWalk;
  void StartWalk(TTreeNode* Node);
  TTreeNode* WalkTop() const;  // the node "*" was pressed on while its walk runs
  void QueueDrain(const std::shared_ptr<TWalk>& W);
  void DrainWalk(const std::shared_ptr<TWalk>& W);
  // Replaces the node's children by Entries (each with a dummy child when it has subfolders).
  void FillChildren(TTreeNode* Node, const std::vector<foldertree::TFolderEntry>& Entries);
  // A child node for a folder name as FileNameFromBytes gives it; the node shows it decoded.
  TTreeNode* AddFolderNode(TTreeNode* Parent, const String& Name);
  // The name the node stands for (its text unless that is only how the name shows).
  const String& FolderName(const TTreeNode* Node) const;

  String FDirectory;
  TFolderOptions FOptions;
  bool FUseOldStyle = true;
  TColor FColorBak = clWindow;
  TNotifyEvent FOnDirChange;
  std::unique_ptr<TStringList> FDirNames;
  // Names whose shown text differs (bytes that are not UTF-8), by node.
  std::unordered_map<const TTreeNode*, String> FRawNames;
  std::shared_ptr<TWalk> FWalk;
  TCursor FCursorBeforeWalk = crDefault;
  bool FClickFired = false;  // OnClick fired by the selection change of the press under way
};

}  // namespace jox
