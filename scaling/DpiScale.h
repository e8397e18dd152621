#pragma once
// Sizes at the screen's resolution. The preview's parts are designed at 96 dots per inch;
// on a screen of more they grow in proportion and never shrink below their 96-DPI size,
// so nothing clips.
namespace dpi {

constexpr int kBase = 96;

// A resolution to compute with: 0 or less means the base; the rest is held to 48..480.
int Sanitize(int dpi);
// px (at 96) for the preview's chrome: rounded to the nearest, never below px.
int Scale(int px, int dpi);

// The side of an icon drawn in the preview's chrome (16 at 96).
int IconSize(int dpi);
// The toolbar's height for the caption font's text height and the layout's rows (at least 1):
// each row holds the larger of the text and an icon with room around it.
int ToolBarHeight(int textHeight, int rows, int dpi);
// Width of the status bar's last part (the page text).
int StatusPageWidth(int dpi);

// The pages chooser: cells, their pitch and the page icon inside them.
struct ChooserMetrics {
    int cell = 24, pitch = 26, icon = 16, inset = 4;
};
ChooserMetrics Chooser(int dpi);

}  // namespace dpi
