// Sections: [pages] [files] [source index] [values] [page block] [index block] [markers]
#include "docs/tools/docgen.h"

#include <cxxabi.h>

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "colsel/colsel.h"
#include "foldertree/foldertree.h"
#include "gradfl/gradfl.h"
#include "marksel/marksel.h"
#include "meter/meter.h"
#include "minical/minical.h"
#include "ntabed/ntabed.h"
#include "numio/numio.h"
#include "numlab/numlab.h"
#include "onoffbut/onoffbut.h"
#include "package/framework/controls/treeview.h"
#include "package/framework/framework.h"
#include "package/package.h"
#include "progbar/progbar.h"
#include "rasterlab/rasterlab.h"
#include "replist/replist.h"
#include "repsbut/repsbut.h"
#include "rotlab/rotlab.h"
#include "sevenseg/sevenseg.h"
#include "thumbnails/thumbnails.h"

namespace docgen {

using namespace jox;
namespace fs = std::filesystem;

// [pages] ----------------------------------------------------------------------------------------------------
// A new component's page is one line here; `make docs` then writes its skeleton, picture and tables.
const std::vector<DocPage>& DocPages() {
  static const std::vector<DocPage> pages = {
      {"numio", {&TNumIO::ClassInfo, &TNumIO2::ClassInfo}},
      {"replist", {&TRLData::ClassInfo, &TReportListView::ClassInfo}},
      {"ntabed", {&TNTabEd::ClassInfo}},
      {"meter", {&TMeter::ClassInfo, &TNeedleLayout::ClassInfo}},
      {"minical", {&TMiniCal::ClassInfo}},
      {"numlab", {&TNumLab::ClassInfo}},
      {"onoffbut", {&TOnOffBut::ClassInfo}},
      {"sevenseg", {&TSevenSeg::ClassInfo}},
      {"rotlab", {&TRotLab::ClassInfo}},
      {"colsel", {&TColSel::ClassInfo}},
      {"foldertree", {&TFolderTree::ClassInfo}},
      {"treeview", {&TTreeView::ClassInfo}},
      {"rasterlab", {&TRasterLab::ClassInfo}},
      {"repsbut", {&TRepSpeedButton::ClassInfo}},
      {"progbar", {&TProgBar::ClassInfo}},
      {"thumbnails", {&TThumbnails::ClassInfo}},
      {"gradfl", {&TGradFill::ClassInfo}},
      {"marksel", {&TMarkSel::ClassInfo}},
  };
  return pages;
}

const char* const BeginMarker = "<!-- generated: begin -->";
const char* const EndMarker = "<!-- generated: end -->";

std::vector<const TClassInfo*> RegisteredClasses() {
  std::vector<const TClassInfo*> out;
  for (Integer u = 0; u < JoxUnitCount; ++u)
    for (const TClassInfo* c : UnitClasses(TJoxUnit(u))) out.push_back(c);
  return out;
}

// [files] ----------------------------------------------------------------------------------------------------
std::optional<std::string> ReadFile(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string PagePath(const std::string& SourceDir, const DocPage& Page) {
  return SourceDir + "/docs/components/" + Page.Name + ".md";
}
std::string ReadmePath(const std::string& SourceDir) { return SourceDir + "/docs/README.md"; }
std::string PicturePath(const std::string& SourceDir, const std::string& ClassName) {
  return SourceDir + "/docs/components/img/" + ClassName + ".png";
}

// [source index] ---------------------------------------------------------------------------------------------
namespace {

std::string StripComments(const std::string& s) {
  static const std::regex comments(R"(//[^\n]*|/\*[\s\S]*?\*/)");
  return std::regex_replace(s, comments, "");
}

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  const size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

std::string Squeeze(const std::string& s) {
  static const std::regex space(R"(\s+)");
  return Trim(std::regex_replace(s, space, " "));
}

// An integer literal as enumerations write them: decimal, hexadecimal, or a shift of 1.
std::optional<long long> ParseInt(const std::string& text) {
  static const std::regex shift(R"(^\(?\s*1\s*<<\s*(\d+)\s*\)?$)");
  std::smatch m;
  const std::string t = Trim(text);
  if (std::regex_match(t, m, shift)) return 1LL << std::stoi(m[1]);
  char* end = nullptr;
  const long long v = std::strtoll(t.c_str(), &end, 0);
  std::string rest = end;
  while (!rest.empty() && (rest.back() == 'u' || rest.back() == 'U' || rest.back() == 'l' || rest.back() == 'L'))
    rest.pop_back();
  if (end == t.c_str() || !rest.empty()) return std::nullopt;
  return v;
}

}  // namespace

SourceIndex::SourceIndex(const std::string& SourceDir) : FSourceDir(SourceDir) {
  std::error_code ec;
  for (auto it = fs::recursive_directory_iterator(SourceDir, ec); !ec && it != fs::recursive_directory_iterator();
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (it->is_directory() && (name.rfind("build", 0) == 0 || name[0] == '.' || name == "tests" ||
                               name == "gallery" || name == "bench" || name == "fuzz" || name == "examples")) {
      it.disable_recursion_pending();
      continue;
    }
    if (it->is_regular_file() && it->path().extension() == ".h")
      if (auto text = ReadFile(it->path().string()))
        FHeaders.push_back({fs::relative(it->path(), SourceDir).generic_string(), StripComments(*text)});
  }
  // Sorted, so that the first declaration found does not depend on the directory order.
  std::sort(FHeaders.begin(), FHeaders.end(), [](const Header& a, const Header& b) { return a.Path < b.Path; });

  static const std::regex enumDecl(R"(\benum\s+(?:class\s+)?(\w+)\s*(?::\s*[\w:]+\s*)?\{([^}]*)\})");
  static const std::regex setAlias(R"(\busing\s+(\w+)\s*=\s*TSet\s*<\s*(\w+))");
  for (const Header& h : FHeaders) {
    for (auto it = std::sregex_iterator(h.Text.begin(), h.Text.end(), enumDecl); it != std::sregex_iterator(); ++it) {
      Enum e{(*it)[1], {}};
      long long next = 0;
      bool known = true;
      std::stringstream body((*it)[2].str());
      std::string item;
      while (std::getline(body, item, ',')) {
        item = Trim(item);
        if (item.empty()) continue;
        const size_t eq = item.find('=');
        std::string member = Trim(item.substr(0, eq));
        if (eq != std::string::npos) {
          auto v = ParseInt(item.substr(eq + 1));
          known = v.has_value();
          if (known) next = *v;
        }
        if (!known) break;  // a value we cannot evaluate: the names after it would be misnumbered
        e.Members.push_back({member, next++});
      }
      if (!FindEnum(e.Name)) FEnums.push_back(std::move(e));
    }
    for (auto it = std::sregex_iterator(h.Text.begin(), h.Text.end(), setAlias); it != std::sregex_iterator(); ++it)
      FSetAliases.push_back({(*it)[2], (*it)[1]});
  }
}

const SourceIndex::Enum* SourceIndex::FindEnum(const std::string& Name) const {
  for (const Enum& e : FEnums)
    if (e.Name == Name) return &e;
  return nullptr;
}

std::string SourceIndex::SetAlias(const std::string& Element) const {
  for (auto& [element, alias] : FSetAliases)
    if (element == Element) return alias;
  return "";
}

bool SourceIndex::HasPicture(const std::string& ClassName) const {
  std::error_code ec;
  return fs::exists(PicturePath(FSourceDir, ClassName), ec);
}

std::string SourceIndex::EventParams(const TClassInfo& Class, const std::string& Name) const {
  const std::regex setter("\\bvoid\\s+Set" + Name + R"(\s*\(\s*(?:const\s+)?([\w:]+))");
  for (const TClassInfo* c = &Class; c; c = c->Parent) {
    const std::string name = ToUtf8(c->Name);
    const std::regex classDecl("\\b(?:class|struct)\\s+" + name + R"(\s*(?:final\s*)?[:{])");
    for (const Header& h : FHeaders) {
      // The plain search first: the expression is slow and most headers never name the class.
      std::smatch m;
      if (h.Text.find(name) == std::string::npos || !std::regex_search(h.Text, m, classDecl)) continue;
      // The class body runs to the next class declared at the start of a line.
      const size_t from = size_t(m.position(0) + m.length(0));
      size_t to = h.Text.find("\nclass ", from);
      const std::string body = h.Text.substr(from, to == std::string::npos ? std::string::npos : to - from);
      std::smatch s;
      if (!std::regex_search(body, s, setter)) continue;
      std::string type = s[1];
      if (type.rfind("jox::", 0) == 0) type.erase(0, 5);
      if (type == "TNotifyEvent") return "TObject* Sender";
      const std::regex alias("\\busing\\s+" + type + R"(\s*=\s*std::function\s*<\s*void\s*\(([^;]*)\)\s*>\s*;)");
      for (const Header& h2 : FHeaders) {
        std::smatch a;
        if (h2.Text.find(type) != std::string::npos && std::regex_search(h2.Text, a, alias)) return Squeeze(a[1]);
      }
      return "";
    }
  }
  return "";
}

// [values] ---------------------------------------------------------------------------------------------------
namespace {

std::string Demangled(const std::type_info& t) {
  int status = 0;
  char* raw = abi::__cxa_demangle(t.name(), nullptr, nullptr, &status);
  std::string s = (status == 0 && raw) ? raw : t.name();
  std::free(raw);
  static const std::regex ns(R"(\bjox::)");
  return std::regex_replace(s, ns, "");
}

bool IsColorProp(const TPropInfo& p) {
  std::string n = ToUtf8(p.Name);
  std::transform(n.begin(), n.end(), n.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return p.Type && *p.Type == typeid(TColor) && (n.find("color") != std::string::npos || n.find("colour") != std::string::npos);
}

struct SetType {
  std::string Element;
  bool ByOrdinal = true;
};
std::optional<SetType> AsSet(const std::string& demangled) {
  static const std::regex set(R"(^TSet<(\w+),\s*[\w ]+,\s*(true|false)>$)");
  std::smatch m;
  if (!std::regex_match(demangled, m, set)) return std::nullopt;
  return SetType{m[1], m[2] == "true"};
}

std::string TypeName(const TPropInfo& p, const SourceIndex& index) {
  if (!p.Type) return "";
  if (IsColorProp(p)) return "TColor";
  const std::string d = Demangled(*p.Type);
  static const std::pair<const char*, const char*> scalars[] = {
      {"bool", "Boolean"},          {"int", "Integer"},         {"unsigned int", "Cardinal"},
      {"unsigned short", "Word"},   {"unsigned char", "Byte"},  {"short", "SmallInt"},
      {"signed char", "ShortInt"},  {"long", "NativeInt"},          {"long long", "Int64"},
      {"unsigned long", "UInt64"},  {"double", "Double"},       {"float", "Single"},
      {"long double", "Extended"},
  };
  for (auto& [c, name] : scalars)
    if (d == c) return name;
  if (p.Kind == tkString) return "String";
  if (auto s = AsSet(d)) {
    const std::string alias = index.SetAlias(s->Element);
    return alias.empty() ? "set of " + s->Element : alias;
  }
  if (!d.empty() && d.back() == '*') return Trim(d.substr(0, d.size() - 1));
  return d;
}

std::string FloatText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

// Table cells must not break the row.
std::string CellText(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '|') out += "\\|";
    else if (c == '\n') out += ' ';
    else out += c;
  }
  return out;
}

std::string EnumText(const SourceIndex::Enum* e, long long v) {
  if (e)
    for (auto& [name, value] : e->Members)
      if (value == v) return name;
  return std::to_string(v);
}

std::string DefaultText(const TPropInfo& p, const SourceIndex& index) {
  if (!p.Default) return "";
  const Variant& v = *p.Default;
  const std::string d = p.Type ? Demangled(*p.Type) : "";
  switch (p.Kind) {
    case tkBoolean: return VarToBool(v) ? "true" : "false";
    case tkFloat: return FloatText(VarToFloat(v));
    case tkString: return "\"" + ToUtf8(VarToStr(v)) + "\"";
    case tkEnumeration: return EnumText(index.FindEnum(d), VarToInt(v));
    case tkSet: {
      const auto s = AsSet(d);
      const Int64 bits = VarToInt(v);
      const SourceIndex::Enum* e = s ? index.FindEnum(s->Element) : nullptr;
      if (!e) return std::to_string(bits);
      std::string out;
      for (auto& [name, value] : e->Members) {
        const long long mask = s->ByOrdinal ? (value < 63 ? 1LL << value : 0) : value;
        if (mask && (bits & mask) == mask) out += (out.empty() ? "" : ", ") + name;
      }
      return "[" + out + "]";
    }
    case tkInteger:
      if (IsColorProp(p)) return ToUtf8(ColorToString(TColor(VarToInt(v))));
      return std::to_string(VarToInt(v));
    default: return ToUtf8(VarToStr(v));
  }
}

std::string StoredText(const TPropInfo& p) {
  if (p.ReadOnly()) return "no (read-only)";
  if (p.StoredFn) return "conditional";
  if (p.Default) return "when not default";
  return "always";
}

std::string Code(const std::string& s) { return s.empty() ? "" : "`" + s + "`"; }

}  // namespace

// [page block] -----------------------------------------------------------------------------------------------
std::string PageBlock(const DocPage& Page, const SourceIndex& Index) {
  std::ostringstream o;
  for (ClassInfoFn fn : Page.Classes) {
    const TClassInfo& c = fn();
    const std::string name = ToUtf8(c.Name);
    o << "\n## " << name << "\n\n";
    if (Index.HasPicture(name)) o << "![" << name << "](img/" << name << ".png)\n\n";
    std::vector<std::string> ancestry;
    for (const TClassInfo* p = c.Parent; p; p = p->Parent) ancestry.push_back(ToUtf8(p->Name));
    if (!ancestry.empty()) {
      o << "Derives from ";
      for (size_t i = 0; i < ancestry.size(); ++i) o << (i ? " → " : "") << Code(ancestry[i]);
      o << ".\n\n";
    }
    std::vector<const TPropInfo*> props, events;
    for (const TPropInfo* p : c.AllProps()) (p->Kind == tkMethod ? events : props).push_back(p);
    if (props.empty()) {
      o << "Publishes no properties.\n\n";
    } else {
      o << "| Property | Type | Default | Stored |\n|---|---|---|---|\n";
      for (const TPropInfo* p : props)
        o << "| " << Code(ToUtf8(p->Name)) << " | " << Code(TypeName(*p, Index)) << " | "
          << (p->Default ? CellText(Code(DefaultText(*p, Index))) : "—") << " | " << StoredText(*p) << " |\n";
      o << "\n";
    }
    if (!events.empty()) {
      o << "| Event | Parameters |\n|---|---|\n";
      for (const TPropInfo* e : events)
        o << "| " << Code(ToUtf8(e->Name)) << " | " << CellText(Code(Index.EventParams(c, ToUtf8(e->Name))))
          << " |\n";
      o << "\n";
    }
    // The enumerations the table names, with their members in ordinal order.
    std::vector<std::string> seen;
    for (const TPropInfo* p : props) {
      if (p->Kind != tkEnumeration && p->Kind != tkSet) continue;
      std::string en = p->Type ? Demangled(*p->Type) : "";
      if (auto s = AsSet(en)) en = s->Element;
      const SourceIndex::Enum* e = Index.FindEnum(en);
      if (!e || std::find(seen.begin(), seen.end(), en) != seen.end()) continue;
      seen.push_back(en);
      if (seen.size() == 1) o << "| Enumeration | Members |\n|---|---|\n";
      std::string members;
      for (auto& [m, v] : e->Members) members += (members.empty() ? "" : ", ") + Code(m);
      o << "| " << Code(en) << " | " << members << " |\n";
    }
    if (!seen.empty()) o << "\n";
  }
  std::string s = o.str();
  // One blank line before the end marker.
  while (!s.empty() && s.back() == '\n') s.pop_back();
  return s + "\n\n";
}

// [index block] ----------------------------------------------------------------------------------------------
namespace {

// The first paragraph after a page's title: its summary in the index.
std::string Summary(const std::string& page) {
  std::istringstream in(page);
  std::string line, para;
  bool titled = false;
  while (std::getline(in, line)) {
    if (!titled) {
      titled = line.rfind("# ", 0) == 0;
      continue;
    }
    if (Trim(line).empty()) {
      if (!para.empty()) break;
      continue;
    }
    if (line[0] == '#' || line[0] == '!' || line[0] == '<' || line[0] == '|') {
      if (!para.empty()) break;
      continue;
    }
    para += (para.empty() ? "" : " ") + Trim(line);
  }
  // Its first sentence, up to a colon that opens a list.
  const size_t dot = para.find(". ");
  if (dot != std::string::npos) para.erase(dot + 1);
  const size_t colon = para.find(": ");
  if (colon != std::string::npos) para = para.substr(0, colon) + ".";
  return para;
}

}  // namespace

std::string IndexBlock(const SourceIndex& Index) {
  std::ostringstream o;
  o << "\n| | Page | Classes | What it is |\n|---|---|---|---|\n";
  for (const DocPage& page : DocPages()) {
    std::string picture, classes;
    for (ClassInfoFn fn : page.Classes) {
      const std::string name = ToUtf8(fn().Name);
      if (picture.empty() && Index.HasPicture(name))
        picture = "<img src=\"components/img/" + name + ".png\" width=\"120\" alt=\"" + name + "\">";
      classes += (classes.empty() ? "" : ", ") + Code(name);
    }
    const std::string link = "components/" + std::string(page.Name) + ".md";
    std::string summary;
    if (auto text = ReadFile(PagePath(Index.SourceDir(), page))) summary = Summary(*text);
    o << "| " << (picture.empty() ? "" : "[" + picture + "](" + link + ")") << " | [" << page.Name << "](" << link
      << ") | " << classes << " | " << CellText(summary) << " |\n";
  }
  return o.str() + "\n";
}

// [markers] --------------------------------------------------------------------------------------------------
std::optional<std::string> ExtractBlock(const std::string& Text) {
  const size_t b = Text.find(BeginMarker);
  if (b == std::string::npos) return std::nullopt;
  const size_t from = Text.find('\n', b);
  const size_t e = Text.find(EndMarker, b);
  if (from == std::string::npos || e == std::string::npos || e < from) return std::nullopt;
  return Text.substr(from + 1, e - from - 1);
}

std::string ReplaceBlock(const std::string& Text, const std::string& Block) {
  const size_t b = Text.find(BeginMarker);
  const size_t e = b == std::string::npos ? b : Text.find(EndMarker, b);
  if (b == std::string::npos || e == std::string::npos) {
    std::string out = Text;
    if (!out.empty() && out.back() != '\n') out += '\n';
    return out + "\n" + BeginMarker + "\n" + Block + EndMarker + "\n";
  }
  const size_t from = Text.find('\n', b);
  return Text.substr(0, from + 1) + Block + Text.substr(e);
}

std::string NewPage(const DocPage& Page, const std::string& Block) {
  std::string classes;
  for (ClassInfoFn fn : Page.Classes) classes += (classes.empty() ? "" : ", ") + ToUtf8(fn().Name);
  return "# " + std::string(Page.Name) + ": " + classes +
         "\n\nWhat the component is for, in a paragraph.\n\n" + BeginMarker + "\n" + Block + EndMarker +
         "\n\n## Setting it up\n\n## Events\n\n## Methods\n\n## Example\n\n```cpp\n```\n";
}

}  // namespace docgen
