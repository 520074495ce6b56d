// The message and input dialogs. Sections: [icon] [message] [input]
#include "package/framework/controls/msgbox.h"

#include <algorithm>
#include <memory>

#include "package/framework/controls/buttons.h"
#include "package/framework/controls/labels.h"
#include "package/framework/controls/stdctrls.h"

namespace jox {

namespace {

constexpr Integer kMargin = 12, kGap = 12, kButtonGap = 8, kIconSize = 32, kTextWidth = 420, kEditWidth = 260;

// [icon] ---------------------------------------------------------------------------------------------------
// The picture of a message's type: a red disc with a cross, a yellow triangle with "!", a blue disc
// with "i" or "?".
class TMsgIcon : public TGraphicControl {
 public:
  TMsgIcon(TComponent* AOwner, TMsgDlgType Type) : TGraphicControl(AOwner), FType(Type) {
    SetBounds(0, 0, kIconSize, kIconSize);
  }
  void Paint() override {
    TCanvas* c = Canvas();
    const Integer s = Width();
    c->Pen()->SetColor(clBlack);
    c->Pen()->SetWidth(1);
    String mark;
    switch (FType) {
      case mtError:
        c->Brush()->SetColor(RGB(208, 32, 32));
        c->Ellipse(0, 0, s, s);
        c->Pen()->SetColor(clWhite);
        c->Pen()->SetWidth(std::max(2, s / 10));
        c->MoveTo(s * 3 / 10, s * 3 / 10);
        c->LineTo(s * 7 / 10, s * 7 / 10);
        c->MoveTo(s * 7 / 10, s * 3 / 10);
        c->LineTo(s * 3 / 10, s * 7 / 10);
        return;
      case mtWarning: {
        c->Brush()->SetColor(RGB(248, 208, 32));
        const TPoint tri[3] = {{s / 2, 0}, {s - 1, s - 2}, {0, s - 2}};
        c->Polygon(tri, 3);
        mark = u"!";
        break;
      }
      case mtInformation:
      case mtConfirmation:
        c->Brush()->SetColor(RGB(32, 96, 208));
        c->Ellipse(0, 0, s, s);
        mark = FType == mtInformation ? u"i" : u"?";
        break;
      default:
        return;
    }
    c->Font()->Assign(Font());
    c->Font()->SetHeight(-(s * 5 / 8));
    c->Font()->SetStyle(fsBold);
    c->Font()->SetColor(FType == mtWarning ? clBlack : clWhite);
    c->Brush()->SetStyle(bsClear);
    const Integer w = c->TextWidth(mark), h = c->TextHeight(mark);
    c->TextOut((s - w) / 2, (s - h) / 2 + (FType == mtWarning ? s / 10 : 0), mark);
  }

 private:
  TMsgDlgType FType;
};

// [message] ------------------------------------------------------------------------------------------------
const char16_t* ButtonCaption(TMsgDlgBtn b) {
  switch (b) {
    case mbYes: return u"&Yes";
    case mbNo: return u"&No";
    case mbOK: return u"OK";
    case mbCancel: return u"Cancel";
    case mbAbort: return u"&Abort";
    case mbRetry: return u"&Retry";
    case mbIgnore: return u"&Ignore";
    case mbAll: return u"&All";
    case mbNoToAll: return u"N&o to All";
    case mbYesToAll: return u"Yes to &All";
    case mbClose: return u"&Close";
  }
  return u"";
}

// The button's component name: its caption without "&" and spaces ("NoToAll").
String ButtonName(TMsgDlgBtn b) {
  String name;
  for (const char16_t* p = ButtonCaption(b); *p; ++p)
    if (*p != u'&' && *p != u' ') name += *p;
  return name;
}

String TypeTitle(TMsgDlgType t) {
  switch (t) {
    case mtWarning: return u"Warning";
    case mtError: return u"Error";
    case mtInformation: return u"Information";
    case mtConfirmation: return u"Confirm";
    default: return Application->Title();
  }
}

// A modal form of its own, freed by its caller.
std::unique_ptr<TForm> NewDialog(const String& Caption) {
  auto f = std::make_unique<TForm>(nullptr);
  f->SetCaption(Caption.empty() ? String(u"Message") : Caption);
  f->SetBorderStyle(bsDialog);
  return f;
}

// A row of buttons centred in Width at Top; each is as wide as its caption needs, 75 at least.
void PlaceButtons(const std::vector<TButton*>& Buttons, Integer Width, Integer Top) {
  Integer total = 0;
  for (TButton* b : Buttons) total += b->Width();
  total += kButtonGap * (Integer(Buttons.size()) - 1);
  Integer x = (Width - total) / 2;
  for (TButton* b : Buttons) {
    b->SetBounds(x, Top, b->Width(), b->Height());
    x += b->Width() + kButtonGap;
  }
}

TButton* NewButton(TForm* Form, const String& Caption, TModalResult Result) {
  auto* b = new TButton(Form);
  b->SetParent(Form);
  b->SetCaption(Caption);
  b->SetModalResult(Result);
  b->Canvas()->Font()->Assign(b->Font());
  const Integer w = b->Canvas()->TextWidth(Caption) + 24;
  b->SetBounds(0, 0, std::max(b->Width(), w), b->Height());
  return b;
}

// A letter alone presses the button whose mnemonic it is: message dialogs have no text to type.
void PressMnemonicLetters(TForm* Form, std::vector<TButton*> Buttons) {
  Form->SetKeyPreview(true);
  Form->SetOnKeyPress([Buttons](TObject*, char16_t& Key) {
    for (TButton* b : Buttons)
      if (Key > 32 && IsAccel(Key, b->Caption()) && b->Enabled()) {
        Key = 0;
        b->Click();
        return;
      }
  });
}

}  // namespace

TModalResult MsgDlgResult(TMsgDlgBtn Button) {
  static constexpr TModalResult kResults[] = {mrYes,    mrNo,  mrOk,      mrCancel,   mrAbort, mrRetry,
                                              mrIgnore, mrAll, mrNoToAll, mrYesToAll, mrClose};
  return Button <= mbClose ? kResults[Button] : mrNone;
}

TCustomForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                 TMsgDlgBtn DefaultButton) {
  if (Buttons.Empty()) Buttons = mbOK;
  std::unique_ptr<TForm> box = NewDialog(TypeTitle(DlgType));
  TForm* f = box.get();
  Integer textLeft = kMargin;
  TMsgIcon* icon = nullptr;
  if (DlgType != mtCustom) {
    icon = new TMsgIcon(f, DlgType);
    icon->SetParent(f);
    icon->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
    textLeft += kIconSize + kGap;
  }
  auto* label = new TLabel(f);
  label->SetName(u"Message");
  label->SetParent(f);
  label->SetShowAccelChar(false);
  label->SetCaption(Msg);
  // Short texts keep their width; long ones wrap at a readable width.
  if (label->Width() > kTextWidth) {
    label->SetWordWrap(true);
    label->SetAutoSize(false);
    label->SetBounds(textLeft, kMargin, kTextWidth, label->Height());
    label->SetAutoSize(true);
  }
  // A text taller than two thirds of the screen is cut there: the buttons stay on the screen.
  const Integer maxText = Screen->WorkAreaOf(Screen->ActiveForm()).Height() * 2 / 3;
  if (label->Height() > maxText) {
    label->SetAutoSize(false);
    label->SetBounds(textLeft, kMargin, label->Width(), maxText);
  }
  // Beside the icon, the text is centred on it when it is shorter.
  const Integer textTop = icon && label->Height() < kIconSize ? kMargin + (kIconSize - label->Height()) / 2 : kMargin;
  label->SetBounds(textLeft, textTop, label->Width(), label->Height());

  if (DefaultButton > mbClose || !(Buttons & DefaultButton)) {
    DefaultButton = Buttons & mbOK ? mbOK : mbYes;
    for (Integer b = mbYes; b <= mbClose && !(Buttons & DefaultButton); ++b) DefaultButton = TMsgDlgBtn(b);
  }
  // Escape's button: Cancel, else No, else Close, else a lone OK; none for Abort/Retry/Ignore.
  TMsgDlgBtn cancel = mbDefault;
  for (TMsgDlgBtn b : {mbCancel, mbNo, mbClose, mbOK})
    if (cancel == mbDefault && (Buttons & b)) cancel = b;
  std::vector<TButton*> buttons;
  TButton* def = nullptr;
  for (Integer i = mbYes; i <= mbClose; ++i) {
    const auto b = TMsgDlgBtn(i);
    if (!(Buttons & b)) continue;
    TButton* button = NewButton(f, ButtonCaption(b), MsgDlgResult(b));
    button->SetName(ButtonName(b));
    button->SetDefault(b == DefaultButton);
    button->SetCancel(b == cancel);
    if (b == DefaultButton) def = button;
    buttons.push_back(button);
  }
  Integer row = 0;
  for (TButton* b : buttons) row += b->Width() + kButtonGap;
  row -= kButtonGap;
  const Integer contentBottom = std::max(label->Top() + label->Height(), icon ? icon->Top() + icon->Height() : 0);
  const Integer w = std::max(label->Left() + label->Width(), row + kMargin) + kMargin;
  PlaceButtons(buttons, w, contentBottom + kGap + 4);
  f->SetClientWidth(w);
  f->SetClientHeight(buttons[0]->Top() + buttons[0]->Height() + kMargin);
  f->SetActiveControl(def);
  PressMnemonicLetters(f, buttons);
  // The window's close button (and Close) answers as the cancel button does.
  const TModalResult cancelResult = cancel == mbDefault ? mrCancel : MsgDlgResult(cancel);
  f->SetOnCloseQuery([f, cancelResult](TObject*, bool&) {
    if (f->ModalResult() == mrCancel) f->SetModalResult(cancelResult);
  });
  return box.release();
}

TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, TMsgDlgBtn DefaultButton) {
  std::unique_ptr<TCustomForm> f(CreateMessageDialog(Msg, DlgType, Buttons, DefaultButton));
  f->ApplyScale();
  f->CenterOn(Screen->ActiveForm());
  const TModalResult r = f->ShowModal();
  if (r != mrCancel) return r;
  // Headless, or a close the loop ended before the close handlers ran: the cancel button's answer.
  for (Integer i = 0; i < f->ComponentCount(); ++i)
    if (auto* b = dynamic_cast<TButton*>(f->Components(i)); b && b->Cancel()) return b->ModalResult();
  return r;
}

void ShowMessage(const String& Msg) {
  std::unique_ptr<TCustomForm> f(CreateMessageDialog(Msg, mtCustom, mbOK));
  f->SetCaption(Application->Title().empty() ? String(u"Message") : Application->Title());
  f->ApplyScale();
  f->CenterOn(Screen->ActiveForm());
  f->ShowModal();
}

// [input] --------------------------------------------------------------------------------------------------
bool InputQuery(const String& Caption, const String& Prompt, String& Value) {
  std::unique_ptr<TForm> f = NewDialog(Caption);
  auto* label = new TLabel(f.get());
  label->SetParent(f.get());
  label->SetCaption(Prompt);
  label->SetBounds(kMargin, kMargin, label->Width(), label->Height());
  auto* edit = new TEdit(f.get());
  edit->SetName(u"Value");
  edit->SetParent(f.get());
  const Integer w = std::max(kEditWidth, label->Width());
  edit->SetBounds(kMargin, label->Top() + label->Height() + 4, w, edit->Height());
  edit->SetText(Value);
  edit->SelectAll();
  label->SetFocusControl(edit);
  TButton* ok = NewButton(f.get(), u"OK", mrOk);
  ok->SetDefault(true);
  TButton* cancel = NewButton(f.get(), u"Cancel", mrCancel);
  cancel->SetCancel(true);
  PlaceButtons({ok, cancel}, w + 2 * kMargin, edit->Top() + edit->Height() + kGap + 4);
  f->SetClientWidth(w + 2 * kMargin);
  f->SetClientHeight(ok->Top() + ok->Height() + kMargin);
  f->SetActiveControl(edit);
  f->ApplyScale();
  f->CenterOn(Screen->ActiveForm());
  if (f->ShowModal() != mrOk) return false;
  Value = edit->Text();
  return true;
}

String InputBox(const String& Caption, const String& Prompt, const String& Default) {
  String value = Default;
  return InputQuery(Caption, Prompt, value) ? value : Default;
}

}  // namespace jox
