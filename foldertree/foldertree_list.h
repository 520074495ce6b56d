// What the folder tree's sources share: the listing of one folder, which the UI thread and the
// thread that walks a whole branch both use. It touches no control.
#pragma once

#include <string>
#include <vector>

#include "foldertree/foldertree.h"

namespace jox::foldertree {

struct TFolderEntry {
  String Name;  // as FileNameFromBytes gives it
  bool HasSubDirs = false;
};

// The subfolders of the folder DirBytes (ending in "/") that Options let the tree show, sorted by
// name without case. Empty when the folder cannot be read.
std::vector<TFolderEntry> ListFolder(const std::string& DirBytes, TFolderOptions Options);

struct TListing;

}  // namespace jox::foldertree
