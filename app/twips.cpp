#include "app/twips.h"

#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {
constexpr double TwipsPerInch = 1440.0;

// The window manager frames a window only once it is shown. Until then a window is given the
// frame of the last window seen framed (the main menu is always shown first).
QMargins lastFrameSeen;

QMargins frameMargins(const QWidget *window)
{
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    if (outer != inner) {
        lastFrameSeen = QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                                 outer.right() - inner.right(), outer.bottom() - inner.bottom());
        return lastFrameSeen;
    }
    return window->isVisible() ? QMargins() : lastFrameSeen;
}

QRect outerGeometry(const QWidget *window)
{
    return window->geometry().marginsAdded(frameMargins(window));
}
} // namespace

double TwipsPerPixel()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return TwipsPerInch / (dpi > 0 ? dpi : 96.0);
}

int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

double PixelsToTwips(int pixels)
{
    return pixels * TwipsPerPixel();
}

void SetGeometryTwips(QWidget *control, double left, double top, double width, double height)
{
    control->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                         TwipsToPixels(height));
}

double ControlTopTwips(const QWidget *control)
{
    return PixelsToTwips(control->y());
}

double ControlHeightTwips(const QWidget *control)
{
    return PixelsToTwips(control->height());
}

double ScreenWidthTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->geometry().width()) : 0.0;
}

double ScreenHeightTwips()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? PixelsToTwips(screen->geometry().height()) : 0.0;
}

double WindowLeftTwips(const QWidget *window)
{
    return PixelsToTwips(outerGeometry(window).x());
}

double WindowTopTwips(const QWidget *window)
{
    return PixelsToTwips(outerGeometry(window).y());
}

double WindowWidthTwips(const QWidget *window)
{
    return PixelsToTwips(outerGeometry(window).width());
}

double WindowHeightTwips(const QWidget *window)
{
    return PixelsToTwips(outerGeometry(window).height());
}

void NoteWindowFrame(const QWidget *window)
{
    frameMargins(window);
}

void MoveWindowTwips(QWidget *window, double left, double top)
{
    // For a framed window move() places the frame; before the window manager has framed it,
    // move() places the client area, which then goes inside the frame expected.
    const QPoint frameTopLeft(TwipsToPixels(left), TwipsToPixels(top));
    const bool framed = window->frameGeometry() != window->geometry();
    const QMargins frame = framed ? QMargins() : frameMargins(window);
    window->move(frameTopLeft + QPoint(frame.left(), frame.top()));
}

void SetWindowHeightTwips(QWidget *window, double height)
{
    const QMargins frame = frameMargins(window);
    window->setFixedSize(window->width(), TwipsToPixels(height) - frame.top() - frame.bottom());
}

void SetClientSizeTwips(QWidget *window, double width, double height)
{
    window->setFixedSize(TwipsToPixels(width), TwipsToPixels(height));
}
