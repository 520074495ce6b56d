// The folder tree: the file system's folders as a tree whose nodes load their subfolders when first
// expanded. The root is "/" and every path ends in "/". Hidden folders (names beginning with a dot),
// symbolic links to folders and system folders (lost+found anywhere, and the kernel's /proc, /sys, /dev
// and /run) are listed only when Options ask for them.
#pragma once

#include <memory>

#include "package/framework/base/strings.h"
#include "package/framework/controls/treeview.h"

namespace jox {

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
  // The node's path: each ancestor's text with a trailing "/" (the root's text is "/").
  String PathOfNode(const TTreeNode* Node) const;

  const TNotifyEvent& OnDirChanged() const { return FOnDirChange; }
  void SetOnDirChanged(TNotifyEvent E) { FOnDirChange = std::move(E); }

  // From another TFolderTree: its published properties; another class raises EConvertError.
  void Assign(TPersistent* Source) override;
  JOX_CLASS_TABLE

 protected:
  void AssignTo(TPersistent* Dest) override;
  void CreateWnd() override;
  void Change(TTreeNode* Node) override;
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

  String FDirectory;
  TFolderOptions FOptions;
  bool FUseOldStyle = true;
  TColor FColorBak = clWindow;
  TNotifyEvent FOnDirChange;
  std::unique_ptr<TStringList> FDirNames;
};

}  // namespace jox
