#include "toolkit/twips.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <cmath>

namespace {
constexpr double TwipsPerInch = 1440.0;

// The window manager frames a window only once it is shown. Until then a window is given the
// frame of the last window seen framed (the main menu is always shown first).
QMargins lastFrameSeen;

// The frame of a shown window, once the window manager has framed it. The widget's own frame
// geometry can stay at a passing state of the framing (a 1 by 1 frame), so the platform window
// is asked, and a frame with negative sides, seen for a moment during the framing, is none yet.
QMargins shownFrame(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    if (!handle || !window->isVisible())
        return {};
    const QMargins frame = handle->frameMargins();
    const bool whole =
        frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0;
    return whole ? frame : QMargins();
}

QMargins frameMargins(const QWidget *window)
{
    const QMargins frame = shownFrame(window);
    if (!frame.isNull())
        lastFrameSeen = frame;
    return window->isVisible() ? frame : lastFrameSeen;
}

QRect outerGeometry(const QWidget *window)
{
    return window->geometry().marginsAdded(frameMargins(window));
}

// A window manager that takes over a window already shown reparents it into its frame, which
// unmaps and maps it again: the platform window is exposed anew, with its frame known.
class FrameWatch : public QObject {
public:
    FrameWatch(QWidget *window, std::function<void()> centre)
        : QObject(window), m_window(window), m_centre(std::move(centre))
    {
        window->windowHandle()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool framed = event->type() == QEvent::Expose &&
                            m_window->windowHandle()->isExposed() && NoteWindowFrame(m_window);
        if (framed || event->type() == QEvent::Hide) {
            watched->removeEventFilter(this);
            // Moved once the exposure is handled, not from inside it.
            if (framed)
                QMetaObject::invokeMethod(m_window, m_centre, Qt::QueuedConnection);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget *m_window;
    std::function<void()> m_centre;
};
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

bool NoteWindowFrame(const QWidget *window)
{
    return !frameMargins(window).isNull();
}

void CentreAgainWhenFramed(QWidget *window, std::function<void()> centre)
{
    if (window->windowHandle() && window->isVisible() && !NoteWindowFrame(window))
        new FrameWatch(window, std::move(centre));
}

void MoveWindowTwips(QWidget *window, double left, double top)
{
    // The client area is placed, inside the frame the window has or is expected to get.
    const QMargins frame = frameMargins(window);
    const QPoint client(TwipsToPixels(left) + frame.left(), TwipsToPixels(top) + frame.top());
    window->setGeometry(QRect(client, window->size()));
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
