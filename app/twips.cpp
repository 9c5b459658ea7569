#include "app/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {
constexpr double TwipsPerInch = 1440.0;

int frameExtraHeight(const QWidget *window)
{
    return window->frameGeometry().height() - window->height();
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
    return PixelsToTwips(window->frameGeometry().x());
}

double WindowTopTwips(const QWidget *window)
{
    return PixelsToTwips(window->frameGeometry().y());
}

double WindowWidthTwips(const QWidget *window)
{
    return PixelsToTwips(window->frameGeometry().width());
}

double WindowHeightTwips(const QWidget *window)
{
    return PixelsToTwips(window->frameGeometry().height());
}

void MoveWindowTwips(QWidget *window, double left, double top)
{
    // For a top-level widget move() places the frame, not the client area.
    window->move(TwipsToPixels(left), TwipsToPixels(top));
}

void SetWindowHeightTwips(QWidget *window, double height)
{
    window->resize(window->width(), TwipsToPixels(height) - frameExtraHeight(window));
}

void SetClientSizeTwips(QWidget *window, double width, double height)
{
    window->resize(TwipsToPixels(width), TwipsToPixels(height));
}
