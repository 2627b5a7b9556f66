// The toolbar images of the program, drawn here rather than shipped as bitmaps: one 48 x 48
// image per toolbar button (Add, Remove, Remove All, Move Up, Move Down, Preview, Convert, Exit),
// in a normal and a disabled (grey, faded) look. Pure drawing on QImage: no display needed,
// callable from any thread.
#pragma once

#include <QImage>
#include <vector>

namespace clipwright {

inline constexpr int kToolbarBitmapDisabled = 134;
inline constexpr int kToolbarBitmapNormal = 136;
inline constexpr int kToolbarImageSize = 48;  // pixels, square
inline constexpr int kToolbarImageCount = 8;

enum class ToolbarImageState { kNormal, kDisabled };

// Eight ARGB images with a transparent background.
std::vector<QImage> DrawToolbarImages(ToolbarImageState state);

// image with a soft rim of color around its drawn (non-transparent) pixels, so dark drawings
// stay visible on a dark toolbar. The rim reaches two pixels out; the drawing itself is kept.
QImage WithRim(const QImage& image, const QColor& color);

}  // namespace clipwright
