// The memo's line store and its layout cache. Sections: [lines view] [store changes] [measuring] [rows]
//
// Lines() is a view on the store: what a program does through it edits the store line by line and
// re-measures only those lines. Each line keeps its width and the columns where its wrapped rows start;
// FRowStart maps lines to rows and is rebuilt lazily from the first line whose row count changed.
#include <algorithm>

#include "package/framework/controls/memo.h"
#include "package/framework/graphics/fonts.h"

namespace jox {

// [lines view] ---------------------------------------------------------------------------------------------
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}
  Integer Count() const override { return FMemo->LineCount(); }
  String Get(Integer Index) const override {
    Check(Index, Count());
    return FMemo->FText[size_t(Index)];
  }
  void Put(Integer Index, const String& S) override {
    Check(Index, Count());
    FMemo->FText[size_t(Index)] = S;
    FMemo->LineChanged(Index);
    Changed();
  }
  void Insert(Integer Index, const String& S) override {
    Check(Index, Count() + 1);
    FMemo->FText.insert(FMemo->FText.begin() + Index, S);
    FMemo->LinesInserted(Index, 1);
    Changed();
  }
  void Delete(Integer Index) override {
    Check(Index, Count());
    FMemo->FText.erase(FMemo->FText.begin() + Index);
    FMemo->LinesDeleted(Index, 1);
    Changed();
  }
  void Clear() override {
    if (FMemo->FText.empty()) return;
    const Integer n = Count();
    FMemo->FText.clear();
    FMemo->LinesDeleted(0, n);
    Changed();
  }
  String Text() const override {
    size_t size = 0;
    for (const String& l : FMemo->FText) size += l.size() + LineBreak().size();
    String out;
    out.reserve(size);
    for (const String& l : FMemo->FText) out.append(l).append(LineBreak());
    return out;
  }

 protected:
  void AddItems(TItems&& Items) override {
    const Integer at = Count();
    FMemo->FText.reserve(FMemo->FText.size() + Items.size());
    for (auto& item : Items) FMemo->FText.push_back(std::move(item.first));
    FMemo->LinesInserted(at, Integer(Items.size()));
    Changed();
  }
  void SetUpdateState(bool Updating) override {
    if (!Updating && FPending) {
      FPending = false;
      FMemo->LinesReplaced();
    }
  }

 private:
  void Changed() {
    if (UpdateCount() > 0) FPending = true;
    else FMemo->LinesReplaced();
  }
  static void Check(Integer Index, Integer Limit) {
    if (Index < 0 || Index >= Limit) Error("List index out of bounds (%d)", Index);
  }
  TCustomMemo* FMemo;
  bool FPending = false;
};

TCustomMemo::TCustomMemo(TComponent* AOwner)
    : TCustomScrollControl(AOwner), FLines(std::make_unique<TMemoStrings>(this)) {
  Init();
}

TCustomMemo::~TCustomMemo() = default;

TStrings* TCustomMemo::Lines() const { return FLines.get(); }
void TCustomMemo::SetLines(TStrings* v) { FLines->Assign(v); }


// [store changes] ------------------------------------------------------------------------------------------
void TCustomMemo::LinesInserted(Integer Index, Integer Count) {
  FLayout.insert(FLayout.begin() + Index, size_t(Count), TLineLayout());
  FRowStart.insert(FRowStart.begin() + Index, size_t(Count), 0);
  FRowsValid = std::min(FRowsValid, Index);
  for (Integer i = Index; i < Index + Count; ++i) MeasureLine(i);
}

void TCustomMemo::LinesDeleted(Integer Index, Integer Count) {
  for (Integer i = Index; i < Index + Count; ++i)
    if (FLayout[size_t(i)].Width >= FMaxWidth) FMaxWidth = -1;
  FLayout.erase(FLayout.begin() + Index, FLayout.begin() + Index + Count);
  FRowStart.erase(FRowStart.begin() + Index, FRowStart.begin() + Index + Count);
  FRowsValid = std::min(FRowsValid, Index);
}

void TCustomMemo::LineChanged(Integer Index) {
  const size_t rows = FLayout[size_t(Index)].Breaks.size();
  const Integer width = FLayout[size_t(Index)].Width;
  MeasureLine(Index);
  if (width >= FMaxWidth && FLayout[size_t(Index)].Width < width) FMaxWidth = -1;
  if (FLayout[size_t(Index)].Breaks.size() != rows) FRowsValid = std::min(FRowsValid, Index + 1);
}

// [measuring] ----------------------------------------------------------------------------------------------
const fonts::SizedFont* TCustomMemo::SizedFont() {
  if (!FSizedFont) {
    TCanvas* c = TControl::Canvas();
    c->Font()->Assign(Font());
    FSizedFont = c->SizedFont();
  }
  return FSizedFont;
}

void TCustomMemo::Advances(std::u16string_view S, std::vector<Integer>& X) {
  const fonts::SizedFont* f = SizedFont();
  X.resize(S.size() + 1);
  X[0] = 0;
  for (size_t i = 0; i < S.size();) {
    // A surrogate pair is one glyph: the boundary inside it sits where the pair starts.
    const size_t n = i + 1 < S.size() && S[i] >= 0xD800 && S[i] < 0xDC00 && S[i + 1] >= 0xDC00 && S[i + 1] < 0xE000 ? 2 : 1;
    const Integer w = fonts::TextWidth(f, S.substr(i, n));
    if (n == 2) X[i + 1] = X[i];
    X[i + n] = X[i] + w;
    i += n;
  }
}

Integer TCustomMemo::WrapWidth() { return FWordWrap ? ClientWidth() - 2 * kMemoMargin : 0; }

void TCustomMemo::MeasureLine(Integer Index) {
  const String& s = FText[size_t(Index)];
  TLineLayout& l = FLayout[size_t(Index)];
  l.Breaks.clear();
  static thread_local std::vector<Integer> x;
  Advances(s, x);
  const Integer n = Integer(s.size());
  l.Width = x[size_t(n)];
  if (l.Width > FMaxWidth && FMaxWidth >= 0) FMaxWidth = l.Width;
  const Integer avail = FWrapWidth;
  auto step = [&](Integer i) {
    return i + 1 < n && s[size_t(i)] >= 0xD800 && s[size_t(i)] < 0xDC00 ? 2 : 1;
  };
  // Greedy wrapping at blanks; a word longer than the row breaks where it stops fitting.
  Integer start = 0;
  while (FWordWrap && avail > 0 && start < n && x[size_t(n)] - x[size_t(start)] > avail) {
    Integer cut = start, lastBlank = -1;
    while (cut < n && x[size_t(cut + step(cut))] - x[size_t(start)] <= avail) {
      if (s[size_t(cut)] == u' ') lastBlank = cut;
      cut += step(cut);
    }
    const Integer next = lastBlank >= start ? lastBlank + 1 : std::max(cut, start + step(start));
    if (next >= n) break;
    l.Breaks.push_back(next);
    start = next;
  }
}

void TCustomMemo::Relayout() {
  FWrapWidth = ClientWidth() - 2 * kMemoMargin;
  FLineHeight = 0;
  FSizedFont = nullptr;
  FMaxWidth = 0;
  FLayout.assign(FText.size(), TLineLayout());
  FRowStart.assign(FText.size() + 1, 0);
  FRowsValid = 0;
  for (Integer i = 0; i < LineCount(); ++i) MeasureLine(i);
  UpdateScrollRanges();
}

void TCustomMemo::UpdateScrollRanges() {
  if (FMaxWidth < 0) {
    FMaxWidth = 0;
    for (const TLineLayout& l : FLayout) FMaxWidth = std::max(FMaxWidth, l.Width);
  }
  const Integer avail = std::max(ClientWidth() - 2 * kMemoMargin, 1);
  SetScrollInfo(sbVertical, 0, RowCount() - 1, VisibleRows(), ScrollPos(sbVertical));
  // Pixels 0 .. the widest line's width: the last one for the caret at its end.
  SetScrollInfo(sbHorizontal, 0, FWordWrap ? 0 : FMaxWidth, FWordWrap ? 0 : avail,
                FWordWrap ? 0 : ScrollPos(sbHorizontal));
  // A bar that came or went changed the width the rows wrap to (once: the new rows may take it away again).
  if (FWordWrap && ClientWidth() - 2 * kMemoMargin != FWrapWidth && !FRelayingOut) {
    FRelayingOut = true;
    try {
      Relayout();
    } catch (...) {
      FRelayingOut = false;
      throw;
    }
    FRelayingOut = false;
  }
}

// [rows] ---------------------------------------------------------------------------------------------------
Integer TCustomMemo::RowOfLine(Integer Line) {
  const Integer n = LineCount();
  Line = std::clamp(Line, 0, n);
  if (FRowsValid == 0) {
    FRowStart[0] = 0;
    FRowsValid = 1;
  }
  for (Integer i = FRowsValid; i <= Line; ++i)
    FRowStart[size_t(i)] = FRowStart[size_t(i - 1)] + 1 + Integer(FLayout[size_t(i - 1)].Breaks.size());
  FRowsValid = std::max(FRowsValid, Line + 1);
  return FRowStart[size_t(Line)];
}

// An empty store still shows one (empty) row.
Integer TCustomMemo::RowCount() { return std::max(RowOfLine(LineCount()), 1); }

TCustomMemo::TRowSpan TCustomMemo::RowSpan(Integer Row) {
  if (FText.empty()) return {0, 0, 0, false};
  Row = std::clamp(Row, 0, RowCount() - 1);
  RowOfLine(LineCount());
  const auto it = std::upper_bound(FRowStart.begin(), FRowStart.begin() + LineCount(), Row);
  const Integer line = Integer(it - FRowStart.begin()) - 1;
  const std::vector<Integer>& b = FLayout[size_t(line)].Breaks;
  const Integer k = Row - FRowStart[size_t(line)];
  const Integer start = k == 0 ? 0 : b[size_t(k - 1)];
  const bool wrapped = k < Integer(b.size());
  const Integer end = wrapped ? b[size_t(k)] : Integer(FText[size_t(line)].size());
  return {line, start, end, wrapped};
}

Integer TCustomMemo::RowOf(TTextPos P) {
  if (FText.empty()) return 0;
  const std::vector<Integer>& b = FLayout[size_t(P.Line)].Breaks;
  // A position at a wrap point belongs to the row it starts.
  return RowOfLine(P.Line) + Integer(std::upper_bound(b.begin(), b.end(), P.Col) - b.begin());
}

}  // namespace jox
