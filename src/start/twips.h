#pragma once
// Screen units: positions in the bank and in window layouts are twips of a
// 15-twips-per-pixel screen, multiplied by ScaleX/ScaleY when applied. Qt works in
// device-independent pixels, so one pixel here is always 15 twips.

#include <algorithm>
#include <climits>
#include <cmath>

namespace start::twips {
constexpr int PerPixel = 15;
inline int toPx(double twips) {
    return int(std::lround(twips / PerPixel));
}
inline int toPxX(double twips, double scaleX) {
    return toPx(twips * scaleX);
}
inline int toPxY(double twips, double scaleY) {
    return toPx(twips * scaleY);
}
// A pixel place far off the screen stays at the end of the twips range.
inline int fromPx(int px) {
    return int(std::clamp<long long>(static_cast<long long>(px) * PerPixel, INT_MIN, INT_MAX));
}
} // namespace start::twips
