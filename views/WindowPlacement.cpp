#include "views/WindowPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace ui
{
namespace
{

// The frame the window manager put around the client, asked of the window system each time
// (a widget's own figure stays stale while its client does not move).
QMargins ownFrame(const QWidget *w)
{
    const QWindow *handle = w->windowHandle();
    return handle && w->isVisible() ? handle->frameMargins() : QMargins();
}

// Before the window manager has framed the window, the frame of the window it belongs to
// stands in (same decorations, as a rule).
QMargins frameMargins(const QWidget *window)
{
    for (const QWidget *w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (const QMargins m = ownFrame(w); !m.isNull())
            return m;
    return {};
}

QScreen *screenShowing(const QRect &frame, const QWidget *window)
{
    QScreen *best = nullptr;
    long long bestArea = -1;
    for (QScreen *screen : QGuiApplication::screens()) {
        const QRect common = screen->geometry().intersected(frame);
        const long long area = common.isEmpty() ? 0 : static_cast<long long>(common.width()) * common.height();
        if (area > bestArea) {
            best = screen;
            bestArea = area;
        }
    }
    return bestArea > 0 ? best : window->screen();
}

void fit(QWidget *window)
{
    const QMargins margins = frameMargins(window);
    const QRect frame = window->geometry().marginsAdded(margins);
    const QScreen *screen = screenShowing(frame, window);
    if (!screen)
        return;
    const QRect fitted = FitRect(frame, screen->availableGeometry());
    if (fitted.topLeft() != frame.topLeft())
        RestorePosition(window, fitted.topLeft() + QPoint(margins.left(), margins.top()));
}

class ScreenKeeper : public QObject
{
public:
    static constexpr const char *kName = "ScreenKeeper";

    explicit ScreenKeeper(QWidget *window) : QObject(window), window_(window)
    {
        setObjectName(kName);
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Show) {
            settling_ = true;
            // A placed window at once, after its own placement (a dialog centres itself in its
            // show handler, which runs after this filter); one the window manager places, when
            // it has been placed.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    if (window_->testAttribute(Qt::WA_Moved))
                        fit(window_);
                },
                Qt::QueuedConnection);
            // The window manager frames the window when it maps it: its first exposure.
            if (QWindow *handle = window_->windowHandle(); handle && handle != handle_) {
                handle_ = handle;
                handle->installEventFilter(this);
            }
        } else if (settling_ && (event->type() == QEvent::Expose || event->type() == QEvent::Move)
                   && !ownFrame(window_).isNull()) {
            // Once with the real frame; later moves are the user's.
            settling_ = false;
            fit(window_);
        }
        return false;
    }

private:
    QWidget *window_;
    QWindow *handle_ = nullptr;
    bool settling_ = false;
};

} // namespace

QPoint StoredPosition(const QWidget *window) { return window->geometry().topLeft(); }

void RestorePosition(QWidget *window, QPoint clientTopLeft)
{
    window->setGeometry(QRect(clientTopLeft, window->size()));
}

QRect FitRect(const QRect &frame, const QRect &area)
{
    QRect r = frame;
    r.moveRight(std::min(r.right(), area.right()));
    r.moveBottom(std::min(r.bottom(), area.bottom()));
    r.moveLeft(std::max(r.left(), area.left()));
    r.moveTop(std::max(r.top(), area.top()));
    return r;
}

void KeepOnScreen(QWidget *window)
{
    if (!window->findChild<QObject *>(ScreenKeeper::kName, Qt::FindDirectChildrenOnly))
        new ScreenKeeper(window);
}

} // namespace ui
