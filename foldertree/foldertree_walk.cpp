// The folder tree's "*": a thread lists every folder of a branch, depth first, and hands the listings
// to the UI thread in batches (Application->Queue), which fills and opens the nodes. The thread never
// touches the tree; the UI thread never waits for the disk, except to stop the thread.
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "foldertree/foldertree.h"
#include "foldertree/foldertree_list.h"
#include "package/framework/controls/application.h"
#include "package/framework/controls/forms.h"

namespace jox {

// One folder's subfolders; Chain names the folder below the branch's top node. Outside the anonymous
// namespace: the tree's walk, a class with linkage, holds these.
struct foldertree::TListing {
  std::vector<String> Chain;
  std::vector<foldertree::TFolderEntry> Subs;
};
using foldertree::TListing;

namespace {

// Listings applied per queued call: small enough that input is served between two of them.
constexpr size_t kBatch = 64;
// The thread waits while this many listings wait for the UI thread.
constexpr size_t kBacklog = 4096;

}  // namespace

struct TFolderTree::TWalk {
  std::atomic<bool> Stop{false};
  TTreeNode* Top = nullptr;  // UI thread only
  std::mutex Lock;           // guards what follows
  std::deque<TListing> Pending;
  bool DrainQueued = false;
  bool Done = false;
  std::thread Worker;
};

namespace {

using TFolderId = std::pair<dev_t, ino_t>;

bool FolderId(const std::string& Path, TFolderId& Id) {
  struct stat st {};
  if (::stat(Path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  Id = {st.st_dev, st.st_ino};
  return true;
}

}  // namespace

void TFolderTree::StartWalk(TTreeNode* Node) {
  StopExpandingBranch();
  auto w = std::make_shared<TWalk>();
  w->Top = Node;
  FWalk = w;
  FCursorBeforeWalk = Screen->Cursor();
  Screen->SetCursor(crAppStart);
  const std::string top = FileNameToBytes(PathOfNode(Node));
  const TFolderOptions options = FOptions;
  // The thread holds the walk, not the tree: a call it queues finds the walk stopped when the tree
  // stopped it or is gone.
  w->Worker = std::thread([this, w, top, options] {
    auto hand = [&](TListing L) {
      std::unique_lock lock(w->Lock);
      w->Pending.push_back(std::move(L));
      if (!w->DrainQueued) {
        w->DrainQueued = true;
        QueueDrain(w);
      }
      while (w->Pending.size() > kBacklog && !w->Stop) {
        lock.unlock();
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        lock.lock();
      }
    };
    // Every folder above the top counts as met, so a link back to one of them is not entered.
    std::set<TFolderId> met;
    TFolderId id;
    for (size_t p = top.find('/'); p != std::string::npos; p = top.find('/', p + 1))
      if (FolderId(top.substr(0, p + 1), id)) met.insert(id);
    // A folder counts as met when it is entered, so the first of two ways to it in the tree's order
    // (the folder before a link to it that sorts later) is the one that opens.
    std::vector<std::pair<std::string, std::vector<String>>> stack{{top, {}}};
    while (!stack.empty() && !w->Stop) {
      auto [path, chain] = std::move(stack.back());
      stack.pop_back();
      if (!chain.empty() && (!FolderId(path, id) || !met.insert(id).second)) continue;
      TListing l{chain, foldertree::ListFolder(path, options)};
      for (auto it = l.Subs.rbegin(); it != l.Subs.rend(); ++it) {
        if (!it->HasSubDirs) continue;
        std::vector<String> next = chain;
        next.push_back(it->Name);
        stack.emplace_back(path + FileNameToBytes(it->Name) + "/", std::move(next));
      }
      hand(std::move(l));
    }
    std::lock_guard lock(w->Lock);
    w->Done = true;
    if (!w->DrainQueued) {
      w->DrainQueued = true;
      QueueDrain(w);
    }
  });
}

void TFolderTree::QueueDrain(const std::shared_ptr<TWalk>& W) {
  // A stopped walk's calls return before touching the tree, which may be gone by then.
  Application->Queue([this, W] {
    if (!W->Stop) DrainWalk(W);
  });
}

void TFolderTree::DrainWalk(const std::shared_ptr<TWalk>& W) {
  std::vector<TListing> batch;
  bool more, done;
  {
    std::lock_guard lock(W->Lock);
    while (!W->Pending.empty() && batch.size() < kBatch) {
      batch.push_back(std::move(W->Pending.front()));
      W->Pending.pop_front();
    }
    more = !W->Pending.empty();
    done = W->Done && !more;
    if (!more) W->DrainQueued = false;
  }
  Items()->BeginUpdate();
  for (const TListing& l : batch) {
    TTreeNode* node = W->Top;
    for (const String& name : l.Chain) {
      TTreeNode* next = nullptr;
      for (Integer i = 0; i < node->Count() && !next; ++i)
        if (FolderName(node->Item(i)) == name) next = node->Item(i);
      node = next;
      if (!node) break;  // gone from the tree meanwhile
    }
    if (!node) continue;
    if (reinterpret_cast<uintptr_t>(node->Data()) != LoadedMarker) FillChildren(node, l.Subs);
    if (node->Count() > 0 && !node->Expanded()) node->Expand(false);
  }
  Items()->EndUpdate();
  if (more) QueueDrain(W);
  else if (done) StopExpandingBranch();
}

TTreeNode* TFolderTree::WalkTop() const { return FWalk ? FWalk->Top : nullptr; }

void TFolderTree::StopExpandingBranch() {
  if (!FWalk) return;
  const std::shared_ptr<TWalk> w = std::move(FWalk);
  FWalk.reset();
  w->Stop = true;
  if (w->Worker.joinable()) w->Worker.join();
  Screen->SetCursor(FCursorBeforeWalk);
}

void TFolderTree::KeyPress(char16_t& Key) {
  if (Key == u'*' && Selected() && !(ComponentState() & csDesigning)) {
    StartWalk(Selected());
    Key = 0;
    return;
  }
  TCustomTreeView::KeyPress(Key);
}

void TFolderTree::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_ESCAPE && FWalk) {
    StopExpandingBranch();
    Key = 0;
    return;
  }
  TCustomTreeView::KeyDown(Key, Shift);
}

}  // namespace jox
