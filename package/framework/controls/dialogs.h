// The colour dialog: a modal form with the basic colours, sixteen custom colours and an editor by hue,
// saturation and value or by red, green and blue.
#pragma once

#include <memory>

#include "package/framework/controls/controls.h"

namespace jox {

class TCustomForm;

// Hue 0 .. 359, saturation and value 0 .. 255.
struct THSV {
  Integer H = 0, S = 0, V = 0;
};
THSV RGBToHSV(TColor Color);
TColor HSVToRGB(const THSV& HSV);

// Execute shows the dialog modally, preset with Color (resolved to RGB) and CustomColors; it returns true
// when the user confirmed, and then Color and CustomColors hold the choice. CustomColors lines read
// "ColorA=BBGGRR" .. "ColorP=BBGGRR" (colour values in hexadecimal, as the platform stores them); missing or unreadable
// lines are white. Defaults: Color clBlack, no custom colours.
class TColorDialog : public TComponent {
 public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  TColor Color() const { return FColor; }
  void SetColor(TColor v) { FColor = v; }
  TStrings* CustomColors() const { return FCustomColors.get(); }
  void SetCustomColors(TStrings* v);
  virtual bool Execute();
  // The dialog form while Execute runs (tests and the window backend), nullptr otherwise.
  TCustomForm* Form() const { return FForm; }

  JOX_CLASS_TABLE

 private:
  TColor FColor = clBlack;
  std::unique_ptr<TStringList> FCustomColors;
  TCustomForm* FForm = nullptr;
};

// The 48 basic colours of the dialog, row by row (6 rows of 8).
extern const TColor kBasicColors[48];

}  // namespace jox
