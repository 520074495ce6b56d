// The standard small dialogs: a message with buttons (MessageDlg, ShowMessage) and a one-line question
// (InputQuery, InputBox). Each is a real modal form run by ShowModal, sized to its text, centred on the
// active form (or its screen) and worked by the keyboard: Tab between the controls, Enter for the
// default button, Escape for the cancel button, Alt+letter or the letter alone for a button's mnemonic.
// The application's error window is a MessageDlg too.
//
//   if (MessageDlg(u"Save the changes?", mtConfirmation, mbYesNoCancel) == mrYes) Save();
//   String name = u"Untitled";
//   if (InputQuery(u"Rename", u"&New name:", name)) Rename(name);
//
// Headless (no window backend) ShowModal returns at once: a message returns the result of its cancel
// button and InputQuery false, unless a test's modal hook works the form first.
#pragma once

#include "package/framework/controls/forms.h"

namespace jox {

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : uint8_t {
  mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbClose
};
using TMsgDlgButtons = TSet<TMsgDlgBtn, Word, true>;
JOX_SET_OPERATORS(TMsgDlgButtons, TMsgDlgBtn)
inline constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYes | mbNo | mbCancel;
inline constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;
inline constexpr TMsgDlgButtons mbAbortRetryIgnore = mbAbort | mbRetry | mbIgnore;
// No default asked for: OK when shown, else Yes, else the first button.
inline constexpr TMsgDlgBtn mbDefault = TMsgDlgBtn(255);

// The modal result each button gives (mrYes for mbYes, ...).
TModalResult MsgDlgResult(TMsgDlgBtn Button);

// Builds the message form without showing it (the caller owns it): an icon for the type, the text
// (wrapped at a readable width), one button per member of Buttons in the order of TMsgDlgBtn, the
// Default one focused and pressed by Enter, the cancel one (Cancel, else No, else Close, else OK)
// pressed by Escape and by the window's close button. Titled by the type ("Warning", "Error",
// "Information", "Confirm"), mtCustom by Application->Title(). An empty Buttons shows OK.
TCustomForm* CreateMessageDialog(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                                 TMsgDlgBtn DefaultButton = mbDefault);
// Shows the message modally and returns the modal result of the button chosen (Escape and the close
// button give the cancel button's).
TModalResult MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                        TMsgDlgBtn DefaultButton = mbDefault);
// Msg with an OK button, titled by Application->Title().
void ShowMessage(const String& Msg);

// Asks for one line of text: Prompt labels an edit preset with Value (all selected); OK (or Enter)
// stores the edit's text in Value and returns true, Cancel (Escape, the close button) leaves Value as
// it was and returns false. A "&" in Prompt is the edit's mnemonic.
bool InputQuery(const String& Caption, const String& Prompt, String& Value);
// InputQuery's text, or Default when cancelled.
String InputBox(const String& Caption, const String& Prompt, const String& Default);

}  // namespace jox
