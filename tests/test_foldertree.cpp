// The folder tree on a folder tree made under a temporary directory: listing rules, lazy loading,
// selecting paths, creating and removing folders, refreshing after outside changes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "foldertree/foldertree.h"
#include "package/framework/framework.h"
#include "tests/support/support.h"

using namespace jox;
namespace fs = std::filesystem;

namespace {

class FolderTreeTest : public jox::test::FrameworkTest {
 protected:
  void SetUp() override {
    FrameworkTest::SetUp();
    // beta, Alpha, gamma in that order of creation; Alpha has a subfolder, beta only a file.
    for (const char* d : {"beta", "Alpha/sub", "gamma/.git", ".hidden/inner", "lost+found", "Data", "data"})
      fs::create_directories(root / d);
    std::ofstream(root / "beta" / "note.txt") << "x";
    std::ofstream(root / "file.txt") << "x";
    fs::create_directory_symlink(root / "Alpha", root / "link");
    fs::create_symlink(root / "file.txt", root / "filelink");
    form.SetBounds(0, 0, 300, 400);
    tree = new TFolderTree(&form);
    tree->SetParent(&form);
    tree->SetBounds(0, 0, 250, 380);
  }
  String P(const std::string& rel = "") const {
    return FromUtf8((rel.empty() ? root.string() : (root / rel).string()) + "/");
  }
  std::vector<std::string> Names(TStringList& l) const {
    std::vector<std::string> v;
    for (Integer i = 0; i < l.Count(); ++i) v.push_back(ToUtf8(l.Get(i)));
    return v;
  }
  std::vector<std::string> Children(TTreeNode* n) const {
    std::vector<std::string> v;
    for (Integer i = 0; i < n->Count(); ++i) v.push_back(ToUtf8(n->Item(i)->Text()));
    return v;
  }
  jox::test::ScratchDir scratch;
  const fs::path root = scratch.Path();
  TForm form{nullptr};
  TFolderTree* tree = nullptr;
};

TEST_F(FolderTreeTest, ListsFoldersSortedWithoutDotNamesLinksOrSystemFolders) {
  TStringList l;
  ASSERT_TRUE(tree->GetSubDirs(P(), &l));
  EXPECT_EQ(Names(l), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma"}));
  // Alpha has a subfolder; beta holds only a file, gamma only a dot folder.
  EXPECT_NE(l.GetObject(0), nullptr);
  EXPECT_EQ(l.GetObject(1), nullptr);
  EXPECT_EQ(l.GetObject(4), nullptr);
  // Links to folders and system folders on request; links to files never.
  tree->SetOptions(fotSymLinks | fotSystem);
  TStringList all;
  tree->GetSubDirs(P(), &all);
  EXPECT_EQ(Names(all), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma", "link", "lost+found"}));
  // Appends to what the list holds; a missing folder gives false and leaves the list alone.
  TStringList more;
  more.Add(u"Zed");
  EXPECT_TRUE(tree->GetSubDirs(P("Alpha"), &more));
  EXPECT_EQ(Names(more), (std::vector<std::string>{"sub", "Zed"}));
  EXPECT_FALSE(tree->GetSubDirs(P("missing"), &more));
  EXPECT_TRUE(tree->GetSubDirs(P("gamma"), &more));  // no subfolders, but the list holds names
  EXPECT_EQ(more.Count(), 2);
  TStringList none;
  EXPECT_FALSE(tree->GetSubDirs(P("gamma"), &none));
}

TEST_F(FolderTreeTest, SelectPathLoadsTheWayAndExpandButtonsFollowSubfolders) {
  int dirChanges = 0;
  tree->SetOnDirChanged([&](TObject*) { ++dirChanges; });
  ASSERT_TRUE(tree->SelectPath(P()));
  EXPECT_EQ(tree->Directory(), P());
  EXPECT_EQ(dirChanges, 1);
  TTreeNode* sel = tree->Selected();
  ASSERT_NE(sel, nullptr);
  EXPECT_EQ(tree->PathOfNode(sel), P());
  EXPECT_EQ(reinterpret_cast<uintptr_t>(sel->Data()), TFolderTree::LoadedMarker);
  EXPECT_EQ(Children(sel), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma"}));
  TTreeNode* alpha = sel->Item(0);
  TTreeNode* beta = sel->Item(1);
  EXPECT_TRUE(alpha->HasChildren());
  EXPECT_EQ(Children(alpha), (std::vector<std::string>{"Child"}));
  EXPECT_FALSE(beta->HasChildren());
  // Expanding loads once: a folder made afterwards appears only after a refresh.
  alpha->Expand(false);
  EXPECT_EQ(Children(alpha), (std::vector<std::string>{"sub"}));
  fs::create_directory(root / "Alpha" / "later");
  alpha->Collapse(false);
  alpha->Expand(false);
  EXPECT_EQ(Children(alpha), (std::vector<std::string>{"sub"}));
  tree->RefreshTree();
  EXPECT_EQ(Children(tree->Selected()), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma"}));
  tree->Selected()->Item(0)->Expand(false);
  EXPECT_EQ(Children(tree->Selected()->Item(0)), (std::vector<std::string>{"later", "sub"}));
}

TEST_F(FolderTreeTest, PathsKeepTheirCase) {
  // "Data" and "data" are two folders here: each path selects its own node.
  ASSERT_TRUE(tree->SelectPath(P("Data")));
  EXPECT_EQ(tree->Directory(), P("Data"));
  ASSERT_TRUE(tree->SelectPath(FromUtf8(root.string() + "/data")));  // without the trailing separator
  EXPECT_EQ(tree->Directory(), P("data"));
  EXPECT_EQ(tree->Selected()->Text(), u"data");
}

TEST_F(FolderTreeTest, SelectingAMissingFolderKeepsTheTree) {
  ASSERT_TRUE(tree->SelectPath(P("Alpha/sub")));
  const Integer nodes = tree->Items()->Count();
  TTreeNode* sel = tree->Selected();
  int dirChanges = 0;
  tree->SetOnDirChanged([&](TObject*) { ++dirChanges; });
  EXPECT_FALSE(tree->SelectPath(P("Alpha/none")));
  EXPECT_EQ(tree->Items()->Count(), nodes);
  EXPECT_EQ(tree->Selected(), sel);
  EXPECT_EQ(tree->Directory(), P("Alpha/sub"));
  EXPECT_EQ(dirChanges, 0);
}

TEST_F(FolderTreeTest, MakeSubFolderCreatesNestedNamesAndRefusesBadOnes) {
  EXPECT_FALSE(tree->MakeSubFolder(u"nothing-selected"));
  ASSERT_TRUE(tree->SelectPath(P("gamma")));
  EXPECT_TRUE(tree->MakeSubFolder(u"a/b"));
  EXPECT_TRUE(fs::is_directory(root / "gamma" / "a" / "b"));
  EXPECT_EQ(tree->Directory(), P("gamma/a/b"));
  tree->SelectPath(P("gamma"));
  EXPECT_TRUE(tree->MakeSubFolder(u"\\c\\d\\"));  // the other separator, stripped at the ends
  EXPECT_TRUE(fs::is_directory(root / "gamma" / "c" / "d"));
  tree->SelectPath(P("gamma"));
  for (const char16_t* bad : {u"x|y", u"a<b", u"q\"", u"tab\there", u"", u"///", u"../escape", u"a/../../b", u"."}) {
    EXPECT_FALSE(tree->MakeSubFolder(bad)) << ToUtf8(bad);
    EXPECT_EQ(tree->Directory(), P("gamma"));
  }
  EXPECT_FALSE(fs::exists(root / "escape"));
  EXPECT_FALSE(fs::exists(root.parent_path() / "b"));
}

TEST_F(FolderTreeTest, RemoveSelectedFolderOnlyRemovesAnEmptyFolderAndNeverTheRoot) {
  ASSERT_TRUE(tree->SelectPath(P("Alpha")));
  EXPECT_FALSE(tree->RemoveSelectedFolder());  // holds "sub"
  EXPECT_TRUE(fs::is_directory(root / "Alpha" / "sub"));
  EXPECT_EQ(tree->Directory(), P("Alpha"));
  ASSERT_TRUE(tree->SelectPath(P("beta")));
  EXPECT_FALSE(tree->RemoveSelectedFolder());  // holds a file
  EXPECT_TRUE(fs::exists(root / "beta" / "note.txt"));
  ASSERT_TRUE(tree->SelectPath(P("Alpha/sub")));
  EXPECT_TRUE(tree->RemoveSelectedFolder());
  EXPECT_FALSE(fs::exists(root / "Alpha" / "sub"));
  EXPECT_EQ(tree->Directory(), P("Alpha"));
  // The root node.
  tree->SetSelected(tree->Items()->GetFirstNode());
  EXPECT_EQ(tree->Directory(), u"/");
  EXPECT_FALSE(tree->RemoveSelectedFolder());
  tree->Items()->Clear();
  EXPECT_FALSE(tree->RemoveSelectedFolder());
}

TEST_F(FolderTreeTest, RefreshTreeFallsBackToTheNearestExistingFolder) {
  ASSERT_TRUE(tree->SelectPath(P("gamma")));
  ASSERT_TRUE(tree->MakeSubFolder(u"x/y/z"));
  int dirChanges = 0;
  tree->SetOnDirChanged([&](TObject*) { ++dirChanges; });
  fs::remove_all(root / "gamma" / "x" / "y");
  EXPECT_TRUE(tree->RefreshTree());
  EXPECT_EQ(tree->Directory(), P("gamma/x"));
  EXPECT_EQ(tree->PathOfNode(tree->Selected()), P("gamma/x"));
  EXPECT_EQ(dirChanges, 1);
  // Nothing changed: no event.
  EXPECT_TRUE(tree->RefreshTree());
  EXPECT_EQ(dirChanges, 1);
}

TEST_F(FolderTreeTest, AFolderThatVanishedOrCannotBeReadShowsNoChildren) {
  ASSERT_TRUE(tree->SelectPath(P()));
  TTreeNode* alpha = tree->Selected()->Item(0);
  fs::remove_all(root / "Alpha");
  alpha->Expand(false);
  EXPECT_EQ(alpha->Count(), 0);
  EXPECT_FALSE(alpha->Expanded());
  EXPECT_FALSE(alpha->HasChildren());
  if (geteuid() != 0) {  // permissions do not stop the superuser
    fs::create_directories(root / "locked" / "inner");
    fs::permissions(root / "locked", fs::perms::none);
    TStringList l;
    EXPECT_FALSE(tree->GetSubDirs(P("locked"), &l));
    fs::permissions(root / "locked", fs::perms::owner_all);
  }
}

TEST_F(FolderTreeTest, ResetColoursAndEvents) {
  tree->SelectPath(P("gamma"));
  int dirChanges = 0, clicks = 0, changes = 0;
  tree->SetOnDirChanged([&](TObject*) { ++dirChanges; });
  tree->SetOnClick([&](TObject*) { ++clicks; });
  tree->SetOnChange([&](TObject*, TTreeNode*) { ++changes; });
  tree->SetSelected(tree->Selected()->Parent());
  EXPECT_EQ(tree->Directory(), P());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(dirChanges, 1);
  tree->Reset();
  EXPECT_EQ(tree->Directory(), u"/");
  EXPECT_EQ(tree->Items()->Count(), 2);  // the root and its placeholder
  EXPECT_EQ(dirChanges, 2);
  tree->Reset();
  EXPECT_EQ(dirChanges, 2);
  // The colour comes back after a disabled spell.
  tree->SetColor(clYellow);
  tree->SetEnabled(false);
  EXPECT_EQ(tree->Color(), clBtnFace);
  tree->SetEnabled(true);
  EXPECT_EQ(tree->Color(), clYellow);
  // Read-only and single selection.
  EXPECT_TRUE(tree->ReadOnly());
  EXPECT_FALSE(tree->MultiSelect());
  EXPECT_TRUE(tree->DoubleBuffered());
  tree->SetOldTreeStyle(false);
  EXPECT_TRUE(tree->ExplorerStyle());
}

TEST_F(FolderTreeTest, ClassTableAndLoading) {
  TFolderTree t(nullptr);
  EXPECT_TRUE(jox::test::DefaultsMatchTable(t));
  t.SetColor(clBlack);
  SetPropValue(&t, u"Options", Int64((fotSymLinks | fotSystem).bits));
  EXPECT_EQ(t.Options(), fotSymLinks | fotSystem);
  t.Loaded();
  EXPECT_EQ(t.Color(), clWhite);
  t.SetEnabled(false);
  t.SetEnabled(true);
  EXPECT_EQ(t.Color(), clWhite);
}

// Here the hidden folders are those whose name begins with a dot: listed with fotHidden only.
TEST_F(FolderTreeTest, HiddenOptionListsDotFolders) {
  TStringList plain;
  tree->GetSubDirs(P(), &plain);
  EXPECT_EQ(Names(plain), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma"}));
  EXPECT_EQ(plain.GetObject(4), nullptr);  // gamma holds only a dot folder
  TStringList none;
  EXPECT_FALSE(tree->GetSubDirs(P("gamma"), &none));

  tree->SetOptions(fotHidden);
  TStringList all;
  ASSERT_TRUE(tree->GetSubDirs(P(), &all));
  EXPECT_EQ(Names(all), (std::vector<std::string>{".hidden", "Alpha", "beta", "Data", "data", "gamma"}));
  EXPECT_NE(all.GetObject(0), nullptr);  // .hidden/inner
  EXPECT_NE(all.GetObject(5), nullptr);  // gamma/.git
  TStringList git;
  ASSERT_TRUE(tree->GetSubDirs(P("gamma"), &git));
  EXPECT_EQ(Names(git), (std::vector<std::string>{".git"}));
  // The tree shows them and opens them.
  ASSERT_TRUE(tree->SelectPath(P(".hidden/inner")));
  EXPECT_EQ(tree->Directory(), P(".hidden/inner"));

  EXPECT_EQ(Children(tree->Selected()->Parent()->Parent()),
            (std::vector<std::string>{".hidden", "Alpha", "beta", "Data", "data", "gamma"}));

  // Switched off again, the dot folders leave the tree.
  tree->SetOptions(TFolderOptions());
  ASSERT_TRUE(tree->SelectPath(P()));
  EXPECT_EQ(Children(tree->Selected()), (std::vector<std::string>{"Alpha", "beta", "Data", "data", "gamma"}));
}

// The application's own OnExpanding sees every expansion and may refuse it; the folders still load.
TEST_F(FolderTreeTest, ApplicationOnExpandingKeepsLazyLoading) {
  ASSERT_TRUE(tree->SelectPath(P()));
  std::vector<std::string> asked;
  bool allow = true;
  tree->SetOnExpanding([&](TObject* Sender, TTreeNode* Node, bool& Allow) {
    EXPECT_EQ(Sender, tree);
    asked.push_back(ToUtf8(Node->Text()));
    Allow = allow;
  });
  TTreeNode* alpha = tree->Selected()->Item(0);
  ASSERT_EQ(Children(alpha), (std::vector<std::string>{"Child"}));
  alpha->Expand(false);
  EXPECT_EQ(asked, (std::vector<std::string>{"Alpha"}));
  EXPECT_EQ(Children(alpha), (std::vector<std::string>{"sub"}));
  EXPECT_TRUE(alpha->Expanded());
  // A refusal keeps the node closed.
  alpha->Collapse(false);
  allow = false;
  alpha->Expand(false);
  EXPECT_FALSE(alpha->Expanded());
  EXPECT_EQ(asked.size(), 2u);
}

// Rebuilding the tree opens again what the user had open, as far as those folders still exist.
TEST_F(FolderTreeTest, RebuildsKeepOtherOpenBranchesOpen) {
  fs::create_directories(root / "Alpha" / "sub" / "deep");
  fs::create_directories(root / "Data" / "closed");
  ASSERT_TRUE(tree->SelectPath(P()));
  auto node = [&](const std::string& rel) -> TTreeNode* {
    for (Integer i = 0; i < tree->Items()->Count(); ++i)
      if (tree->PathOfNode(tree->Items()->Item(i)) == P(rel)) return tree->Items()->Item(i);
    return nullptr;
  };
  node("Alpha")->Expand(false);
  node("Alpha/sub")->Expand(false);
  node("Data")->Expand(false);
  node("Data")->Collapse(false);  // closed again by the user: stays closed
  auto open = [&](const std::string& rel) {
    TTreeNode* n = node(rel);
    return n && n->Expanded();
  };
  auto check = [&](const char* step) {
    EXPECT_TRUE(open("Alpha")) << step;
    EXPECT_TRUE(open("Alpha/sub")) << step;
    ASSERT_NE(node("Alpha/sub/deep"), nullptr) << step;
    EXPECT_FALSE(open("Data")) << step;
  };
  ASSERT_TRUE(tree->SelectPath(P("gamma")));
  check("SelectPath");
  EXPECT_EQ(tree->Directory(), P("gamma"));
  ASSERT_TRUE(tree->MakeSubFolder(u"made"));
  check("MakeSubFolder");
  EXPECT_EQ(tree->Directory(), P("gamma/made"));
  ASSERT_TRUE(tree->RemoveSelectedFolder());
  check("RemoveSelectedFolder");
  EXPECT_EQ(tree->Directory(), P("gamma"));
  tree->SetOptions(fotSystem);
  check("Options");
  EXPECT_EQ(tree->Directory(), P("gamma"));
  // A branch whose folder went away is simply gone.
  fs::remove_all(root / "Alpha" / "sub" / "deep");
  ASSERT_TRUE(tree->RefreshTree());
  EXPECT_TRUE(open("Alpha"));
  EXPECT_EQ(node("Alpha/sub/deep"), nullptr);
}

}  // namespace

TEST_F(FolderTreeTest, NamesThatAreNotUtf8NameTheirOwnFolders) {
  // Latin-1 bytes, as an old archive leaves them; a UTF-8 folder beside it with the look of the decoded one.
  const std::string latin = "caf\xE9", decoded = "caf\xEF\xBF\xBD";
  fs::create_directories(root / latin / "inner");
  fs::create_directories(root / decoded);
  const String name = FileNameFromBytes(latin);
  EXPECT_EQ(FileNameToBytes(name), latin);
  EXPECT_EQ(FileNameDisplay(name), FromUtf8(decoded));
  // A character outside the first plane is no carried byte.
  EXPECT_EQ(FileNameToBytes(FileNameFromBytes("\xF0\x9F\x98\x80\x80")), "\xF0\x9F\x98\x80\x80");

  TStringList l;
  ASSERT_TRUE(tree->GetSubDirs(P(), &l));
  EXPECT_GE(l.IndexOf(name), 0);
  const String path = P() + name + u"/";
  ASSERT_TRUE(tree->SelectPath(path));
  EXPECT_EQ(tree->Directory(), path);
  EXPECT_EQ(tree->Selected()->Text(), FromUtf8(decoded));  // shown decoded
  EXPECT_EQ(FileNameToBytes(tree->PathOfNode(tree->Selected())), root.string() + "/" + latin + "/");
  EXPECT_EQ(Children(tree->Selected()), (std::vector<std::string>{"inner"}));

  ASSERT_TRUE(tree->MakeSubFolder(u"made"));
  EXPECT_TRUE(fs::is_directory(root / latin / "made"));
  EXPECT_FALSE(fs::exists(root / decoded / "made"));
  EXPECT_EQ(tree->Directory(), path + u"made/");
  EXPECT_TRUE(tree->RemoveSelectedFolder());
  EXPECT_FALSE(fs::exists(root / latin / "made"));
  EXPECT_EQ(tree->Directory(), path);
  ASSERT_TRUE(tree->SelectPath(path + u"inner"));
  EXPECT_TRUE(tree->RemoveSelectedFolder());
  EXPECT_FALSE(fs::exists(root / latin / "inner"));
  EXPECT_TRUE(tree->RemoveSelectedFolder());  // the folder itself, empty now
  EXPECT_FALSE(fs::exists(root / latin));
  EXPECT_TRUE(fs::exists(root / decoded));
}

TEST_F(FolderTreeTest, StarListsTheBranchOnAThreadEntersEachFolderOnceAndEscapeStops) {
  fs::create_directories(root / "Alpha" / "sub" / "deep");
  fs::create_directory_symlink(root, root / "Alpha" / "sub" / "up");  // back to the top: a cycle
  tree->SetOptions(fotSymLinks);
  ASSERT_TRUE(tree->SelectPath(P()));
  auto node = [&](const std::string& rel) -> TTreeNode* {
    for (TTreeNode* n = tree->Items()->GetFirstNode(); n; n = n->GetNext())
      if (tree->PathOfNode(n) == P(rel)) return n;
    return nullptr;
  };
  input::TypeText(tree, u"*");
  // The key returns at once; the listing goes on while the loop runs.
  EXPECT_TRUE(tree->ExpandingBranch());
  EXPECT_EQ(Screen->Cursor(), crAppStart);
  for (int i = 0; i < 5000 && tree->ExpandingBranch(); ++i) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_FALSE(tree->ExpandingBranch());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  ASSERT_NE(node("Alpha/sub/deep"), nullptr);
  EXPECT_TRUE(node("Alpha")->Expanded());
  EXPECT_TRUE(node("Alpha/sub")->Expanded());
  // The link back to the top and the link to Alpha are shown, not entered.
  ASSERT_NE(node("Alpha/sub/up"), nullptr);
  EXPECT_FALSE(node("Alpha/sub/up")->Expanded());
  ASSERT_NE(node("link"), nullptr);
  EXPECT_FALSE(node("link")->Expanded());

  // Escape stops a walk at once; nothing more is opened.
  for (int i = 0; i < 100; ++i) fs::create_directories(root / "wide" / std::to_string(i) / "x");
  ASSERT_TRUE(tree->SelectPath(P("wide")));
  input::TypeText(tree, u"*");
  input::KeyPress(tree, VK_ESCAPE);
  EXPECT_FALSE(tree->ExpandingBranch());
  EXPECT_EQ(Screen->Cursor(), crDefault);
  for (int i = 0; i < 20; ++i) Application->ProcessMessages();
  EXPECT_FALSE(node("wide")->Expanded());
  // A rebuild while a walk runs stops it too.
  input::TypeText(tree, u"*");
  tree->Reset();
  EXPECT_FALSE(tree->ExpandingBranch());
  for (int i = 0; i < 20; ++i) Application->ProcessMessages();
}

TEST_F(FolderTreeTest, AClickOnANodeFiresOnClickOnceAndTheFramePropertiesArePublished) {
  ASSERT_TRUE(tree->SelectPath(P()));
  int clicks = 0;
  tree->SetOnClick([&](TObject*) { ++clicks; });
  TTreeNode* alpha = tree->Selected()->Item(0);
  alpha->MakeVisible();
  const TRect r = alpha->DisplayRect(true);
  ASSERT_FALSE(r.IsEmpty());
  input::Click(tree, r.Left + 4, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(tree->Selected(), alpha);
  EXPECT_EQ(clicks, 1);
  // A click that changes no selection is still one click; a key that moves the selection is one too.
  Application->AdvanceClock(1000);
  input::Click(tree, r.Left + 4, (r.Top + r.Bottom) / 2);
  EXPECT_EQ(clicks, 2);
  input::KeyPress(tree, VK_DOWN);
  EXPECT_EQ(clicks, 3);
  for (const char* name : {"BevelInner", "BevelOuter", "BevelKind", "BevelWidth", "BorderWidth", "Constraints"})
    EXPECT_NE(TFolderTree::ClassInfo().FindProp(FromUtf8(name)), nullptr) << name;
  const Integer w = tree->ClientWidth();
  tree->SetBevelKind(bkFlat);
  tree->SetBorderWidth(2);
  EXPECT_EQ(tree->ClientWidth(), w - 2 * (1 + 1 + 2));
}
