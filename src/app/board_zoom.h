#pragma once
// How large the board, the hall-of-fame panel and the two-player banner are
// drawn: a zoom in percent of their size at scale 1, in steps of 25 % from
// 100 % up to what the screen holds, or whatever fills the window when "Fit
// to Window" is on; times the screen's device pixel ratio, that gives the
// scale the pictures are drawn at.

#include <QSize>
#include <QtGlobal>

#include "board/geometry.h"

namespace app {

inline constexpr int ZoomStep = 25;
inline constexpr int SmallestZoom = 100;
// Beyond this the board's pictures would pass the sizes the painter allows.
inline constexpr int LargestZoom = 800;

// The largest zoom step at which `content` (its size at 100 %) fits in
// `room`; 100 when even that does not fit.
int LargestZoomStep(QSize content, QSize room);

// The zoom that fills `room` with `content`: the largest whole percent at
// which it fits, from 100 to LargestZoom.
int FitZoom(QSize content, QSize room);

// The next step up (capped at `largest`) and down (at least 100), from any
// zoom: 130 goes up to 150 and down to 125.
int ZoomInStep(int zoom, int largest);
int ZoomOutStep(int zoom);

// A zoom read from a settings file, kept within 100..LargestZoom.
int CheckedZoom(int zoom);

// The drawing scale: the zoom times the device pixel ratio (taken to the
// hundredth), as a fraction in lowest terms.
board::Scale DrawingScale(int zoom, qreal ratio);

// `size` at 100 % grown by the zoom, rounded up.
QSize Zoomed(QSize size, int zoom);

}  // namespace app
