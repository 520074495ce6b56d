// Form text: writing and reading components through their class tables.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>

#include "package/framework/base/formtext.h"
#include "package/framework/base/strings.h"

namespace jox {

// [writing] ----------------------------------------------------------------------
namespace {
String QuoteText(const String& s) {
  if (s.empty()) return u"''";
  String out;
  bool open = false;
  for (char16_t c : s) {
    if (c < u' ') {
      if (open) { out += u'\''; open = false; }
      out += u'#';
      out += IntToStr(c);
      continue;
    }
    if (!open) { out += u'\''; open = true; }
    if (c == u'\'') out += u'\'';
    out += c;
  }
  if (open) out += u'\'';
  return out;
}

String FloatText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v);  // shortest text that reads back exactly
  return FromUtf8(std::string_view(buf, size_t(r.ptr - buf)));
}

class TWriter {
 public:
  explicit TWriter(TComponent* Root) : FRoot(Root) {}

  void Component(TComponent* C, int Depth) {
    FWritten.insert(C);
    String pad(size_t(Depth) * 2, u' ');
    FOut += pad + u"object " + C->Name() + u": " + C->ClassName() + u"\n";
    Properties(C, String(), Depth + 1);
    if (C == FRoot) {
      // What has no written parent (components that are no controls, controls parented outside the
      // root or not at all) goes in the root's block, ahead of the root's own children.
      for (Integer i = 0; i < FRoot->ComponentCount(); ++i) {
        TComponent* child = FRoot->Components(i);
        if (!FWritten.count(child) && !HasWrittenParent(child)) Component(child, Depth + 1);
      }
    }
    C->GetChildren([&](TComponent* child) {
      if (child->Owner() == FRoot && !FWritten.count(child)) Component(child, Depth + 1);
    }, FRoot);
    if (C == FRoot)  // a parent that does not list its children loses none of them
      for (Integer i = 0; i < FRoot->ComponentCount(); ++i)
        if (!FWritten.count(FRoot->Components(i))) Component(FRoot->Components(i), Depth + 1);
    FOut += pad + u"end\n";
  }

  // Whether C's block goes inside its parent's: the parent is written too.
  bool HasWrittenParent(TComponent* C) const {
    TComponent* p = C->GetParentComponent();
    return p && (p == FRoot || p->Owner() == FRoot);
  }

  String FOut;

 private:
  void Properties(TPersistent* Obj, const String& Prefix, int Depth) {
    String pad(size_t(Depth) * 2, u' ');
    for (const TPropInfo* p : WritingOrder(Obj->GetClassInfo())) {
      if (p->Kind == tkMethod || !p->Get) continue;
      if (p->Kind == tkClass) {
        TObject* o = VarToObject(p->Get(*Obj));
        if (!o) continue;
        if (auto* list = dynamic_cast<TStrings*>(o)) {
          if (list->Count() == 0 || !p->Set) continue;
          FOut += pad + Prefix + p->Name + u".Strings = (";
          for (Integer i = 0; i < list->Count(); ++i) FOut += u"\n" + pad + u"  " + QuoteText(list->Get(i));
          FOut += u")\n";
        } else if (auto* comp = dynamic_cast<TComponent*>(o)) {
          // A reference to another component, by name.
          if (p->Set && !comp->Name().empty()) FOut += pad + Prefix + p->Name + u" = " + comp->Name() + u"\n";
        } else if (auto* sub = dynamic_cast<TPersistent*>(o)) {
          if (Prefix.size() < 200) Properties(sub, Prefix + p->Name + u".", Depth);
        }
        continue;
      }
      if (!p->IsStored(*Obj)) continue;
      Variant v = p->Get(*Obj);
      String text;
      switch (p->Kind) {
        case tkString: text = QuoteText(VarToStr(v)); break;
        case tkBoolean: text = VarToBool(v) ? u"True" : u"False"; break;
        case tkFloat: text = FloatText(VarToFloat(v)); break;
        default: text = IntToStr(VarToInt(v)); break;
      }
      FOut += pad + Prefix + p->Name + u" = " + text + u"\n";
    }
  }

  // The bounds first: setters that clamp against the size then see the size the text stores, also in a
  // reader that applies lines in order.
  static std::vector<const TPropInfo*> WritingOrder(const TClassInfo& Info) {
    std::vector<const TPropInfo*> props = Info.AllProps();
    static const char16_t* const bounds[] = {u"Left", u"Top", u"Width", u"Height"};
    auto rank = [](const TPropInfo* p) {
      for (size_t i = 0; i < 4; ++i)
        if (SameText(p->Name, bounds[i])) return i;
      return size_t(4);
    };
    std::stable_sort(props.begin(), props.end(),
                     [&](const TPropInfo* a, const TPropInfo* b) { return rank(a) < rank(b); });
    return props;
  }

  TComponent* FRoot;
  std::set<TComponent*> FWritten;
};
}  // namespace

String WriteComponentText(TComponent* Root) {
  if (!Root) return String();
  TWriter w(Root);
  w.Component(Root, 0);
  return w.FOut;
}

// [reading] ----------------------------------------------------------------------
namespace {
enum TToken : uint8_t { tkEnd, tkIdent, tkNumber, tkText, tkSymbol };

class TParser {
 public:
  explicit TParser(const String& Text) : FText(Text) { Next(); }

  TToken Token() const { return FToken; }
  const String& Value() const { return FValue; }
  char16_t Symbol() const { return FToken == tkSymbol ? FValue[0] : 0; }
  bool IsIdent(const char16_t* word) const { return FToken == tkIdent && SameText(FValue, word); }

  // Line of the current token.
  Integer Line() const { return FTokenLine; }
  [[noreturn]] void Error(const String& Msg) const { ErrorAt(FTokenLine, Msg); }
  [[noreturn]] static void ErrorAt(Integer Line, const String& Msg) {
    throw EReadError(u"Line " + IntToStr(Line) + u": " + Msg);
  }
  void Expect(char16_t sym) {
    if (Symbol() != sym) Error(String(u"'") + sym + u"' expected");
    Next();
  }
  String TakeIdent() {
    if (FToken != tkIdent) Error(u"Identifier expected");
    String v = FValue;
    Next();
    return v;
  }

  void Next() {
    const size_t n = FText.size();
    for (;;) {
      while (FPos < n && FText[FPos] <= u' ') {
        if (FText[FPos] == u'\n') ++FLine;
        ++FPos;
      }
      if (FPos + 1 < n && FText[FPos] == u'/' && FText[FPos + 1] == u'/') {
        while (FPos < n && FText[FPos] != u'\n') ++FPos;
        continue;
      }
      break;
    }
    FValue.clear();
    FTokenLine = FLine;
    if (FPos >= n) { FToken = tkEnd; return; }
    char16_t c = FText[FPos];
    auto identChar = [](char16_t ch) {
      return (ch >= u'a' && ch <= u'z') || (ch >= u'A' && ch <= u'Z') || (ch >= u'0' && ch <= u'9') || ch == u'_' ||
             ch == u'.';
    };
    if ((c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_') {
      while (FPos < n && identChar(FText[FPos])) FValue += FText[FPos++];
      FToken = tkIdent;
    } else if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+') {
      FValue += FText[FPos++];
      while (FPos < n && (identChar(FText[FPos]) || ((FText[FPos] == u'-' || FText[FPos] == u'+') &&
                                                     (FValue.back() == u'e' || FValue.back() == u'E'))))
        FValue += FText[FPos++];
      FToken = tkNumber;
    } else if (c == u'\'' || c == u'#') {
      // 'quoted'#13#10'more': pieces join into one text.
      while (FPos < n && (FText[FPos] == u'\'' || FText[FPos] == u'#')) {
        if (FText[FPos] == u'#') {
          ++FPos;
          Integer code = 0;
          size_t start = FPos;
          while (FPos < n && FText[FPos] >= u'0' && FText[FPos] <= u'9' && FPos - start < 6)
            code = code * 10 + (FText[FPos++] - u'0');
          if (FPos == start || code > 0xFFFF) Error(u"Invalid character code");
          FValue += char16_t(code);
        } else {
          ++FPos;
          for (;;) {
            if (FPos >= n || FText[FPos] == u'\n') Error(u"Unterminated string");
            if (FText[FPos] == u'\'') {
              if (FPos + 1 < n && FText[FPos + 1] == u'\'') { FValue += u'\''; FPos += 2; continue; }
              ++FPos;
              break;
            }
            FValue += FText[FPos++];
          }
        }
      }
      FToken = tkText;
    } else {
      FValue = String(1, c);
      ++FPos;
      FToken = tkSymbol;
    }
  }

 private:
  const String& FText;
  size_t FPos = 0;
  Integer FLine = 1;
  Integer FTokenLine = 1;
  TToken FToken = tkEnd;
  String FValue;
};

class TReader {
 public:
  TReader(const String& Text, TComponent* Root) : FParser(Text), FRoot(Root) {}

  // A read that fails, for a fault in the text, a component's refusal or a failed allocation, leaves
  // the root as it was: what it created goes, what it changed gets its old value back, and what it
  // moved its old parent and place among its siblings.
  void Run() {
    try {
      FPlaces.reserve(size_t(FRoot->ComponentCount()) + 1);
      FPlaces.push_back(FRoot->KeepPlace());
      for (Integer i = 0; i < FRoot->ComponentCount(); ++i) FPlaces.push_back(FRoot->Components(i)->KeepPlace());
      ReadObject(nullptr);
      if (FParser.Token() != tkEnd) FParser.Error(u"End of file expected");
      for (auto& f : FFixups) {
        TComponent* target = FRoot->FindComponent(f.Target);
        if (!target && SameText(FRoot->Name(), f.Target)) target = FRoot;
        if (!target) throw EReadError(u"Invalid property value: no component named " + f.Target);
        Set(f.Obj, f.Info, static_cast<TObject*>(target), f.Undo);
      }
      for (TComponent* c : FRead) c->ExcludeState(csReading);
      for (TComponent* c : FRead) c->Loaded();
    } catch (...) {
      RollBack();
      throw;
    }
  }

  // First class named in a text (for creating its root).
  static String RootClass(const String& Text) {
    TParser p(Text);
    if (!p.IsIdent(u"object")) p.Error(u"'object' expected");
    p.Next();
    if (p.Token() == tkIdent) p.Next();
    p.Expect(u':');
    return p.TakeIdent();
  }

 private:
  struct TFixup {
    TPersistent* Obj;
    const TPropInfo* Info;
    String Target;
    bool Undo;
  };
  struct TUndo {
    TPersistent* Obj;
    const TPropInfo* Info;  // nullptr: Obj is a list and Old its text
    Variant Old;
  };

  // Sets a property, first noting its old value when it belongs to a component that was there before.
  void Set(TPersistent* Obj, const TPropInfo* Info, const Variant& V, bool Undo) {
    if (Undo) FUndo.push_back({Obj, Info, Info->Get(*Obj)});
    Info->Set(*Obj, V);
  }

  bool IsNew(TComponent* C) const { return std::find(FCreated.begin(), FCreated.end(), C) != FCreated.end(); }

  void RollBack() noexcept {
    for (TComponent* c : FRead) {
      c->ExcludeState(csReading);
      c->ExcludeState(csLoading);
    }
    for (auto it = FUndo.rbegin(); it != FUndo.rend(); ++it) {
      try {
        if (it->Info) it->Info->Set(*it->Obj, it->Old);
        else static_cast<TStrings*>(it->Obj)->SetText(std::get<String>(it->Old));
      } catch (...) {  // a value that no longer goes back stays as read
      }
    }
    for (auto it = FCreated.rbegin(); it != FCreated.rend(); ++it) delete *it;
    FCreated.clear();
    // Every parent first, so each container then finds all its old children to order.
    for (auto& p : FPlaces)
      try {
        if (p.Parent) p.Parent();
      } catch (...) {  // a control its old parent no longer takes stays where the text put it
      }
    for (auto& p : FPlaces)
      try {
        if (p.Order) p.Order();
      } catch (...) {
      }
  }

  void ReadObject(TComponent* Parent) {
    if (!FParser.IsIdent(u"object")) FParser.Error(u"'object' expected");
    const Integer line = FParser.Line();
    FParser.Next();
    String name;
    if (FParser.Token() == tkIdent) name = FParser.TakeIdent();
    FParser.Expect(u':');
    String cls = FParser.TakeIdent();

    TComponent* c;
    if (!Parent) {
      c = FRoot;
      if (!SameText(c->ClassName(), cls) && !(GetClass(cls) && c->GetClassInfo().InheritsFrom(GetClass(cls))))
        TParser::ErrorAt(line, u"Class " + cls + u" does not match " + c->ClassName());
      if (!name.empty() && name != c->Name()) {
        FUndo.push_back({c, c->GetClassInfo().FindProp(u"Name"), c->Name()});
        c->SetName(name);
      }
    } else {
      c = name.empty() ? nullptr : FRoot->FindComponent(name);
      if (c && !SameText(c->ClassName(), cls)) TParser::ErrorAt(line, u"A component named " + name + u" already exists");
      if (!c) {
        c = CreateComponent(cls, FRoot);
        FCreated.push_back(c);
        try {
          c->SetName(name);
        } catch (const Exception& e) {
          TParser::ErrorAt(line, e.Message());
        }
      }
    }
    c->IncludeState(csLoading);
    c->IncludeState(csReading);
    FRead.push_back(c);
    if (Parent) c->SetParentComponent(Parent);

    for (;;) {
      if (FParser.IsIdent(u"end")) {
        FParser.Next();
        return;
      }
      if (FParser.IsIdent(u"object")) {
        if (++FDepth > 64) FParser.Error(u"Objects nested too deeply");
        ReadObject(c);
        --FDepth;
        continue;
      }
      if (FParser.Token() == tkEnd) FParser.Error(u"'end' expected");
      ReadProperty(c);
    }
  }

  void ReadProperty(TComponent* C) {
    String path = FParser.TakeIdent();
    FParser.Expect(u'=');
    // "Font.Color": walk to the object that owns the last name.
    TPersistent* obj = C;
    String prop = path;
    size_t dot;
    try {
      while ((dot = prop.find(u'.')) != String::npos) {
        String head = prop.substr(0, dot);
        prop = prop.substr(dot + 1);
        if (SameText(prop, u"Strings") && dynamic_cast<TStrings*>(VarToObject(GetPropValue(obj, head)))) {
          auto* list = static_cast<TStrings*>(VarToObject(GetPropValue(obj, head)));
          if (!IsNew(C)) FUndo.push_back({list, nullptr, list->Text()});
          ReadStrings(list);
          return;
        }
        auto* sub = dynamic_cast<TPersistent*>(VarToObject(GetPropValue(obj, head)));
        if (!sub) FParser.Error(u"Invalid property path " + path);
        obj = sub;
      }
      const TPropInfo* info = GetPropInfo(obj, prop);
      if (!info || info->Kind == tkMethod) FParser.Error(u"Property " + path + u" does not exist");
      Variant v;
      switch (FParser.Token()) {
        case tkText: v = FParser.Value(); break;
        case tkNumber: {
          Int64 i;
          Extended e;
          TFormatSettings point;
          if (TryStrToInt64(FParser.Value(), i)) v = i;
          else if (TryStrToFloat(FParser.Value(), e, point)) v = double(e);
          else FParser.Error(u"Invalid number " + FParser.Value());
          break;
        }
        case tkIdent:
          if (FParser.IsIdent(u"True") || FParser.IsIdent(u"False")) {
            v = FParser.IsIdent(u"True");
          } else if (info->Kind == tkClass) {
            FFixups.push_back({obj, info, FParser.Value(), !IsNew(C)});
            FParser.Next();
            return;
          } else {
            FParser.Error(u"Invalid property value");
          }
          break;
        default: FParser.Error(u"Invalid property value");
      }
      if (!info->Set) FParser.Error(u"Property is read-only");
      Set(obj, info, v, !IsNew(C));
      FParser.Next();
    } catch (const EReadError&) {
      throw;
    } catch (const Exception& e) {
      FParser.Error(e.Message());
    }
  }

  void ReadStrings(TStrings* List) {
    FParser.Expect(u'(');
    List->BeginUpdate();
    try {
      List->Clear();
      while (FParser.Token() == tkText) {
        List->Add(FParser.Value());
        FParser.Next();
      }
      FParser.Expect(u')');
    } catch (...) {
      List->EndUpdate();
      throw;
    }
    List->EndUpdate();
  }

  TParser FParser;
  TComponent* FRoot;
  std::vector<TComponent*> FRead;
  std::vector<TComponent*> FCreated;
  std::vector<TUndo> FUndo;
  std::vector<TFixup> FFixups;
  std::vector<TComponent::TPlace> FPlaces;
  int FDepth = 0;
};
}  // namespace

void ReadComponentText(const String& Text, TComponent* Root) {
  if (!Root) return;
  try {
    TReader(Text, Root).Run();
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(u"Out of memory");
  }
}

TComponent* ReadComponentTextNew(const String& Text, TComponent* Owner) {
  std::unique_ptr<TComponent> root;
  try {
    root.reset(CreateComponent(TReader::RootClass(Text), nullptr));
    ReadComponentText(Text, root.get());
    if (Owner) Owner->InsertComponent(root.get());
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(u"Out of memory");
  }
  return root.release();
}

}  // namespace jox
