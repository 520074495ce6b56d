// The canvas test card: every primitive, copy mode, stretch mode, and text in several fonts, sizes,
// styles and angles, drawn on one canvas (the gallery's "canvas" picture).
#pragma once

namespace jox { class TCanvas; }

void DrawCanvasCard(jox::TCanvas* c, int width, int height);
