#include "package/framework/controls/msgbox.h"

#include <algorithm>

#include "package/framework/controls/buttons.h"
#include "package/framework/controls/forms.h"
#include "package/framework/controls/labels.h"

namespace jox {

namespace {
constexpr Integer kMargin = 16, kTextWidth = 360, kGap = 14;
}

void ShowErrorMessage(const String& Text) {
  TForm box(nullptr);
  box.SetCaption(Application->Title().empty() ? String(u"Error") : Application->Title());
  box.SetBorderStyle(bsDialog);
  box.SetPosition(Application->MainForm() ? poMainFormCenter : poScreenCenter);
  auto* label = new TLabel(&box);
  label->SetParent(&box);
  label->SetShowAccelChar(false);
  label->SetCaption(Text);
  // Short texts keep their width; long ones wrap at a readable width.
  if (label->Width() > kTextWidth) {
    label->SetWordWrap(true);
    label->SetBounds(kMargin, kMargin, kTextWidth, label->Height());
    label->SetAutoSize(false);
    label->SetAutoSize(true);
  }
  label->SetBounds(kMargin, kMargin, label->Width(), label->Height());
  auto* ok = new TButton(&box);
  ok->SetParent(&box);
  ok->SetCaption(u"OK");
  ok->SetDefault(true);
  ok->SetCancel(true);
  ok->SetModalResult(mrOk);
  const Integer w = std::max(label->Width(), ok->Width()) + 2 * kMargin;
  ok->SetBounds((w - ok->Width()) / 2, label->Top() + label->Height() + kGap, ok->Width(), ok->Height());
  box.SetClientWidth(w);
  box.SetClientHeight(ok->Top() + ok->Height() + kMargin);
  box.SetActiveControl(ok);
  box.ShowModal();
}

}  // namespace jox
