// Filtering and the row orders the view makes itself. The expression languages are described for
// users in docs/replist-filter.md.
// Sections: [patterns] [expressions] [filter] [row order]
#include <algorithm>
#include <cwctype>
#include <memory>

#include "replist/reportlistview.h"
#include "replist/reportlistview_internal.h"
#include "replist/rlgrep.h"
#include "package/core/strutil.h"

namespace jox {

namespace {

// [patterns] -----------------------------------------------------------------------------------------------
char16_t Fold(char16_t ch) {
  if (ch < 128) return ch >= u'A' && ch <= u'Z' ? char16_t(ch + 32) : ch;
  return char16_t(std::towlower(wint_t(ch)));
}

String FoldText(std::u16string_view s) {
  String out(s);
  for (char16_t& ch : out) ch = Fold(ch);
  return out;
}

// '*' any run of characters, '?' any one; the whole text must match.
bool WildMatch(std::u16string_view p, std::u16string_view t) {
  size_t pi = 0, ti = 0, star = String::npos, mark = 0;
  while (ti < t.size()) {
    if (pi < p.size() && (p[pi] == u'?' || p[pi] == t[ti])) {
      ++pi;
      ++ti;
    } else if (pi < p.size() && p[pi] == u'*') {
      star = pi++;
      mark = ti;
    } else if (star != String::npos) {
      pi = star + 1;
      ti = ++mark;
    } else {
      return false;
    }
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size();
}

// A text pattern: a part to find anywhere, or, with wildcards, a shape the whole cell must have.
struct TPattern {
  String Text;
  bool Wild = false;
  bool Matches(std::u16string_view cell) const {
    return Wild ? WildMatch(Text, cell) : cell.find(Text) != std::u16string_view::npos;
  }
};

TPattern MakePattern(String s, bool fold) {
  TPattern p;
  p.Wild = s.find_first_of(u"*?") != String::npos;
  p.Text = fold ? FoldText(s) : std::move(s);
  return p;
}

// [expressions] --------------------------------------------------------------------------------------------
// The cells of one row as the expression sees them: the texts (folded when case is ignored).
struct TRowCells {
  std::vector<String> Texts;
};

enum TCompare : uint8_t { cmpNone, cmpEq, cmpNe, cmpLt, cmpLe, cmpGt, cmpGe };

struct TNode {
  enum TKind : uint8_t { nkTerm, nkNumber, nkAnd, nkOr, nkNot } Kind = nkTerm;
  TPattern Pattern;
  TCompare Op = cmpNone;
  double Value = 0;
  std::unique_ptr<TNode> A, B;

  bool Eval(const TRowCells& row) const {
    switch (Kind) {
      case nkAnd: return A->Eval(row) && B->Eval(row);
      case nkOr: return A->Eval(row) || B->Eval(row);
      case nkNot: return !A->Eval(row);
      case nkTerm:
        for (const String& t : row.Texts)
          if (Pattern.Matches(t)) return true;
        return false;
      case nkNumber:
        for (const String& t : row.Texts) {
          double v;
          String s = t;
          std::replace(s.begin(), s.end(), u',', u'.');
          if (!TryStrToFloat(Trim(s), v)) continue;
          switch (Op) {
            case cmpEq: if (v == Value) return true; break;
            case cmpNe: if (v != Value) return true; break;
            case cmpLt: if (v < Value) return true; break;
            case cmpLe: if (v <= Value) return true; break;
            case cmpGt: if (v > Value) return true; break;
            case cmpGe: if (v >= Value) return true; break;
            default: break;
          }
        }
        return false;
    }
    return false;
  }
};

// Whether every repetition count of a regular expression ({n}, {n,}, {n,m}) is at most 1000: the
// library's compiler multiplies larger ones past its integer range and builds a copy per repetition.
bool RepeatCountsFit(const String& exp) {
  for (size_t i = 0; i < exp.size(); ++i) {
    if (exp[i] == u'\\') {
      ++i;
      continue;
    }
    if (exp[i] != u'{') continue;
    Integer digits = 0;
    for (size_t j = i + 1; j < exp.size() && exp[j] != u'}'; ++j) {
      if (exp[j] >= u'0' && exp[j] <= u'9') {
        if (++digits > 3 && !(digits == 4 && exp.compare(j - 3, 4, u"1000") == 0)) return false;
      } else {
        digits = 0;
      }
    }
  }
  return true;
}

[[noreturn]] void BadFilter(const String& why) {
  throw EJOXRepListError(u"Invalid filter expression: " + why);
}

// Tokens: words (patterns), quoted phrases, ( ) and the keywords AND, OR, NOT (any case); a word
// that starts with a comparison sign is a numeric comparison.
struct TToken {
  enum TKind : uint8_t { tkWord, tkPhrase, tkOpen, tkClose, tkAnd, tkOr, tkNot, tkEnd } Kind = tkEnd;
  String Text;
};

std::vector<TToken> Tokenize(const String& s) {
  std::vector<TToken> out;
  size_t i = 0;
  while (i < s.size()) {
    const char16_t ch = s[i];
    if (ch == u' ' || ch == u'\t') {
      ++i;
    } else if (ch == u'(' || ch == u')') {
      out.push_back({ch == u'(' ? TToken::tkOpen : TToken::tkClose, String()});
      ++i;
    } else if (ch == u'"') {
      const size_t end = s.find(u'"', i + 1);
      if (end == String::npos) BadFilter(u"a quote is not closed");
      out.push_back({TToken::tkPhrase, s.substr(i + 1, end - i - 1)});
      i = end + 1;
    } else {
      size_t j = i;
      while (j < s.size() && s[j] != u' ' && s[j] != u'\t' && s[j] != u'(' && s[j] != u')' && s[j] != u'"') ++j;
      String w = s.substr(i, j - i);
      const String up = UpperCase(w);
      if (up == u"AND") out.push_back({TToken::tkAnd, w});
      else if (up == u"OR") out.push_back({TToken::tkOr, w});
      else if (up == u"NOT") out.push_back({TToken::tkNot, w});
      else out.push_back({TToken::tkWord, w});
      i = j;
    }
  }
  out.push_back({TToken::tkEnd, String()});
  return out;
}

class TParser {
 public:
  TParser(std::vector<TToken> t, bool fold) : FTok(std::move(t)), FFold(fold) {}
  std::unique_ptr<TNode> Parse() {
    auto n = Or();
    if (Peek().Kind != TToken::tkEnd) BadFilter(Peek().Kind == TToken::tkClose ? u"a ')' has no '('" : u"unexpected text");
    return n;
  }

 private:
  const TToken& Peek() const { return FTok[FPos]; }
  std::unique_ptr<TNode> Join(TNode::TKind k, std::unique_ptr<TNode> a, std::unique_ptr<TNode> b) {
    auto n = std::make_unique<TNode>();
    n->Kind = k;
    n->A = std::move(a);
    n->B = std::move(b);
    return n;
  }
  std::unique_ptr<TNode> Or() {
    auto n = And();
    while (Peek().Kind == TToken::tkOr) {
      ++FPos;
      n = Join(TNode::nkOr, std::move(n), And());
    }
    return n;
  }
  // Terms side by side are joined by AND, as in search boxes.
  std::unique_ptr<TNode> And() {
    auto n = Unary();
    for (;;) {
      const auto k = Peek().Kind;
      if (k == TToken::tkAnd) {
        ++FPos;
        n = Join(TNode::nkAnd, std::move(n), Unary());
      } else if (k == TToken::tkWord || k == TToken::tkPhrase || k == TToken::tkOpen || k == TToken::tkNot) {
        n = Join(TNode::nkAnd, std::move(n), Unary());
      } else {
        return n;
      }
    }
  }
  std::unique_ptr<TNode> Unary() {
    const TToken t = Peek();
    switch (t.Kind) {
      case TToken::tkNot: {
        ++FPos;
        auto n = std::make_unique<TNode>();
        n->Kind = TNode::nkNot;
        n->A = Unary();
        return n;
      }
      case TToken::tkOpen: {
        ++FPos;
        auto n = Or();
        if (Peek().Kind != TToken::tkClose) BadFilter(u"a '(' is not closed");
        ++FPos;
        return n;
      }
      case TToken::tkPhrase: {
        ++FPos;
        auto n = std::make_unique<TNode>();
        n->Pattern = MakePattern(t.Text, FFold);
        return n;
      }
      case TToken::tkWord: {
        ++FPos;
        return Word(t.Text);
      }
      default:
        BadFilter(t.Kind == TToken::tkEnd ? u"a term is missing at the end" : u"a term is missing before " + t.Text);
    }
  }
  std::unique_ptr<TNode> Word(const String& w) {
    auto n = std::make_unique<TNode>();
    static const std::pair<const char16_t*, TCompare> ops[] = {{u">=", cmpGe}, {u"<=", cmpLe}, {u"<>", cmpNe},
                                                               {u"!=", cmpNe}, {u">", cmpGt},  {u"<", cmpLt},
                                                               {u"=", cmpEq}};
    for (const auto& [sign, op] : ops) {
      const String s = sign;
      if (w.compare(0, s.size(), s) != 0) continue;
      String num = w.substr(s.size());
      std::replace(num.begin(), num.end(), u',', u'.');
      double v;
      if (!TryStrToFloat(num, v)) BadFilter(u"\"" + w + u"\" compares with no number");
      n->Kind = TNode::nkNumber;
      n->Op = op;
      n->Value = v;
      return n;
    }
    n->Pattern = MakePattern(w, FFold);
    return n;
  }

  std::vector<TToken> FTok;
  size_t FPos = 0;
  bool FFold;
};

}  // namespace

// [filter] -------------------------------------------------------------------------------------------------
// The rows a filter hides are kept by their sort numbers, which follow each record through sorts,
// so the row attribute bytes stay the application's.
bool TReportListView::RowShown(Integer r) const {
  if (!FFilterActive) return true;
  const Integer key = FRLData->Strings->GetSortOrder(r);
  return key < 0 || key >= Integer(FHiddenKeys.size()) || !FHiddenKeys[size_t(key)];
}

void TReportListView::HideRowsByPosition(const std::vector<bool>& Hidden) {
  TStringArray* s = FRLData->Strings;
  FHiddenKeys.assign(size_t(NrOfRows()) + 1, false);
  for (Integer r = 1; r <= NrOfRows() && r < Integer(Hidden.size()); ++r) {
    const Integer key = s->GetSortOrder(r);
    if (key >= 0 && key < Integer(FHiddenKeys.size())) FHiddenKeys[size_t(key)] = Hidden[size_t(r)];
  }
}

void TReportListView::RebuildRowMap() {
  // Rows added or removed through the model end the filter, as the view's own row changes do.
  if (FFilterActive && Integer(FHiddenKeys.size()) != NrOfRows() + 1) ClearFilter();
  FRowMap.clear();
  if (FFilterActive)
    for (Integer r = 1; r <= NrOfRows(); ++r)
      if (RowShown(r)) FRowMap.push_back(r);
  const Integer h = CountHeadRows();
  const Integer want = std::max(h + NrOfShownRows(), h + 1);
  if (TCustomGrid::RowCount() != want) ApplyRowCount();
}

void TReportListView::ClearFilter() {
  if (!FFilterActive) return;
  FFilterActive = false;
  FRowMap.clear();
  FHiddenKeys.clear();
}

Integer TReportListView::FilterAndSort(const String& FilterExp, const std::vector<Integer>& FilterColumns,
                                       bool IgnoreCase, TFilterMode FilterMode, Integer SortColumn, bool Ascending) {
  // The expression is read first, so a malformed one changes nothing.
  const String exp = Trim(FilterExp);
  std::unique_ptr<TNode> tree;
  std::unique_ptr<TGrepPattern> re;
  TPattern simple;
  if (!exp.empty()) {
    if (FilterMode == fmBoolean) {
      tree = TParser(Tokenize(exp), IgnoreCase).Parse();
    } else if (FilterMode == fmGrep) {
      if (!RepeatCountsFit(exp)) BadFilter(u"\"" + exp + u"\" repeats more than 1000 times");
      try {
        re = std::make_unique<TGrepPattern>(exp, IgnoreCase);
      } catch (const std::invalid_argument& e) {
        BadFilter(u"\"" + exp + u"\" is no regular expression (" + FromUtf8(e.what()) + u")");
      }
    } else {
      simple = MakePattern(exp, IgnoreCase);
    }
  }
  std::vector<Integer> cols;
  for (Integer c : FilterColumns)
    if (ValidCol(c)) cols.push_back(c);
  if (FilterColumns.empty())
    for (Integer c = 1; c <= NrOfColumns(); ++c) cols.push_back(c);

  HideEditor();
  TPaintBatch batch(this);
  ClearFilter();
  if (ValidCol(SortColumn)) Sort(SortColumn, FRLData->FSortColumnSec, Ascending);
  if (exp.empty() && !FOnBeforeFilter) {
    ApplyRowCount();
    SetTopRow(1);
    batch.End();
    ChangedSelection();
    return NrOfRows();
  }
  TRowCells row;
  row.Texts.resize(cols.size());
  std::vector<bool> hidden(size_t(NrOfRows()) + 1, false);
  for (Integer r = 1; r <= NrOfRows(); ++r) {
    bool builtIn = true;
    if (!exp.empty()) {
      for (size_t i = 0; i < cols.size(); ++i) {
        String t = FRLData->GetElem(cols[i], r);
        row.Texts[i] = IgnoreCase && !re ? FoldText(t) : std::move(t);
      }
      if (tree) {
        builtIn = tree->Eval(row);
      } else if (re) {
        builtIn = std::any_of(row.Texts.begin(), row.Texts.end(),
                              [&](const String& t) { return re->Search(t); });
      } else {
        builtIn = std::any_of(row.Texts.begin(), row.Texts.end(), [&](const String& t) { return simple.Matches(t); });
      }
    }
    bool found = builtIn;
    TLogicOp op = loNone;
    if (FOnBeforeFilter) {
      FOnBeforeFilter(this, r, found, op);
      if (op != loNone) found = CombineLogic(op, found, builtIn);
    }
    hidden[size_t(r)] = !found;
    // A row nobody sees is not selected: the application would act on it unseen.
    if (!found) SetRowAttrBit(r, rlRowSelected, false);
  }
  HideRowsByPosition(hidden);
  FFilterActive = true;
  RebuildRowMap();
  ApplyRowCount();
  SetTopRow(1);
  const Integer gr = CountHeadRows();
  SetSelection({TCustomGrid::FixedCols(), gr, TCustomGrid::ColCount() - 1, gr});
  batch.End();
  ChangedSelection();
  return Integer(FRowMap.size());
}

// [row order] ----------------------------------------------------------------------------------------------
void TReportListView::ApplyRowOrder(const std::vector<Integer>& Order) {
  TStringArray* s = FRLData->Strings;
  const Integer n = NrOfRows();
  if (Integer(Order.size()) != n || n < 2) return;
  // The store puts rows in the order of their sort numbers on UnSort: give each its new place,
  // unsort, then hand the rows their own numbers back so that a later UnSort still restores.
  std::vector<Integer> orig(size_t(n) + 1);
  for (Integer p = 1; p <= n; ++p) orig[size_t(p)] = s->GetSortOrder(p);
  for (Integer i = 0; i < n; ++i) s->SetSortOrder(Order[size_t(i)], i + 1);
  s->UnSort();
  for (Integer i = 0; i < n; ++i) s->SetSortOrder(i + 1, orig[size_t(Order[size_t(i)])]);
}

void TReportListView::SortEnabledState(Integer SortColumn1, Integer SortColumn2, bool Ascending) {
  HideEditor();
  TPaintBatch batch(this);
  if (ValidCol(SortColumn1)) Sort(SortColumn1, SortColumn2, Ascending, Ascending);
  std::vector<Integer> order;
  order.reserve(size_t(NrOfRows()));
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (!(RowAttr(r) & rlRowDisabled)) order.push_back(r);
  for (Integer r = 1; r <= NrOfRows(); ++r)
    if (RowAttr(r) & rlRowDisabled) order.push_back(r);
  ApplyRowOrder(order);
  if (FFilterActive) RebuildRowMap();
}

}  // namespace jox
