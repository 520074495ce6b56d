// The smallest application: a form with a meter and a numeric field that drives its needle.
//   example_hello_form [--out FILE]   paints the form without a display into a PNG (hello_form.png)
//   example_hello_form --window       shows it in a real window (needs SDL2 and a display)
#include <cstdio>
#include <cstring>
#include <string>

#include "meter/meter.h"
#include "numio/numio2.h"
#include "package/framework/framework.h"
#ifdef JOX_HAVE_SDL
#include "package/backends/sdl/backend_sdl.h"
#endif

using namespace jox;

namespace {

// Builds the form's controls; the form owns and frees them.
void BuildForm(TForm& form) {
  form.SetCaption(u"Hello, joxwidgets");
  form.SetClientWidth(321);
  form.SetClientHeight(273);
  form.SetColor(clBtnFace);

  auto* meter = new TMeter(&form);
  meter->SetParent(&form);
  meter->SetBounds(12, 12, 297, 209);
  meter->SetMeterMaxValue(120);
  meter->SetThresholdLow(20);
  meter->SetThresholdHigh(100);
  meter->SetScaleBkVisible(true);  // green band between the thresholds, red above
  meter->SetCaption(u"km/h");

  auto* speed = new TNumIO2(&form);
  speed->SetParent(&form);
  speed->SetBounds(12, 233, 297, 28);
  speed->SetLeftText(u"Speed");
  speed->SetLeftSpace(50);
  speed->SetRightText(u"km/h");
  speed->SetInputFormat(itFloat);
  speed->SetRangeHigh(120);
  speed->SetButVisible(true);
  speed->ButtonPivots = {0, 30, 50, 80, 100, 120};
  // Every accepted change of the field moves the needle.
  speed->SetOnChange([meter, speed](TObject*) { meter->SetValue(speed->GetNioValue()); });
  speed->SetNioValue(42);
  meter->SetValue(42);
}

}  // namespace

int main(int argc, char** argv) {
  bool window = false;
  std::string out = "hello_form.png";
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--window")) {
      window = true;
    } else if (!std::strcmp(argv[i], "--out") && i + 1 < argc) {
      out = argv[++i];
    } else {
      std::fprintf(std::strcmp(argv[i], "--help") ? stderr : stdout, "usage: %s [--out FILE.png | --window]\n",
                   argv[0]);
      return std::strcmp(argv[i], "--help") ? 2 : 0;
    }
  }
  try {
    TForm form(nullptr);
    BuildForm(form);
    if (window) {
#ifdef JOX_HAVE_SDL
      form.Show();
      const int rc = sdl::Run(&form);
      sdl::Shutdown();
      return rc;
#else
      std::fprintf(stderr, "built without SDL2: no window\n");
      return 1;
#endif
    }
    // Headless: paint everything that is due, then save the form's surface.
    form.Invalidate();
    Application->ProcessMessages();
    form.Update();
    form.Surface()->SaveToFile(FromUtf8(out));
    std::printf("%s\n", out.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "hello_form: %s\n", e.what());
    return 1;
  }
}
