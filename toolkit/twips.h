#pragma once

#include <functional>

class QWidget;

// Every position and size of the windows is given in twips (1440 per inch). They become pixels
// here and nowhere else, at the primary screen's logical DPI, so the layout keeps its
// proportions under any display scaling.

double TwipsPerPixel();
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);

// A control's place in its window's client area.
void SetGeometryTwips(QWidget *control, double left, double top, double width, double height);
double ControlTopTwips(const QWidget *control);
double ControlHeightTwips(const QWidget *control);

// The primary screen's size.
double ScreenWidthTwips();
double ScreenHeightTwips();

// A window's outer bounds: title bar and borders included where a window manager draws them.
double WindowLeftTwips(const QWidget *window);
double WindowTopTwips(const QWidget *window);
double WindowWidthTwips(const QWidget *window);
double WindowHeightTwips(const QWidget *window);
// Notes a shown window's frame, for windows that are sized before the window manager frames them;
// false while the window has no frame (yet).
bool NoteWindowFrame(const QWidget *window);
// For a window shown and centred before any frame was known (no window manager yet, or one
// slower than the wait for it): runs `centre` once more as soon as the window manager frames it,
// since the centring took the height without the title bar. A window hidden first is left alone.
void CentreAgainWhenFramed(QWidget *window, std::function<void()> centre);
void MoveWindowTwips(QWidget *window, double left, double top);
// The sizes set here are fixed: the user cannot resize a window, only the program.
void SetWindowHeightTwips(QWidget *window, double height);
// Sets the client area, which is how the windows' widths are given.
void SetClientSizeTwips(QWidget *window, double width, double height);
