#include "touch/applicationwindow.h"

#include "applicationwindow_p.h"
#include "touch/scenewindow.h"
#include "touch/theme.h"

#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsWidget>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>

namespace Touch {

namespace {

// Windows alive, oldest first: activeWindow() is the last one.
QList<ApplicationWindow*>& allWindows()
{
    static QList<ApplicationWindow*> windows;
    return windows;
}

// Layers only group and stack: they draw nothing, take no input and are not
// found by hit tests (itemAt() gives what is really under a point).
class Layer : public QGraphicsWidget
{
public:
    QPainterPath shape() const override { return QPainterPath(); }
    bool contains(const QPointF&) const override { return false; }
};

QGraphicsWidget* makeLayer(QGraphicsScene* scene, qreal z)
{
    auto* layer = new Layer;
    layer->setFlag(QGraphicsItem::ItemHasNoContents);
    layer->setAcceptedMouseButtons(Qt::NoButton);
    layer->setZValue(z);
    scene->addItem(layer);
    return layer;
}

} // namespace

void ApplicationWindowPrivate::add(SceneWindow* window, bool systemwide)
{
    windows.removeAll(window);
    windows.append(window);
    window->setParentItem(systemwide ? systemLayer : sceneLayer);
    window->setZValue(nextZ++);
    window->setGeometry(sceneLayer->rect());
    window->show();
    Q_EMIT q->sceneWindowsChanged();
}

void ApplicationWindowPrivate::remove(SceneWindow* window)
{
    windows.removeAll(window);
    if (scene && window->scene() == scene) {
        window->setParentItem(nullptr);
        scene->removeItem(window);
    }
    Q_EMIT q->sceneWindowsChanged();
}

void ApplicationWindowPrivate::layoutLayers()
{
    const QRectF r(QPointF(0, 0), q->viewport()->size());
    scene->setSceneRect(r);
    for (QGraphicsWidget* layer : {sceneLayer, systemLayer, overlay}) {
        layer->setGeometry(r);
        const QList<QGraphicsItem*> children = layer->childItems();
        for (QGraphicsItem* child : children) {
            if (child->isWidget())
                static_cast<QGraphicsWidget*>(child)->setGeometry(r);
        }
    }
}

QList<SceneWindow*> ApplicationWindowPrivate::live() const
{
    QList<SceneWindow*> ordinary;
    QList<SceneWindow*> systemwide;
    for (const QPointer<SceneWindow>& w : windows) {
        if (!w)
            continue;
        const auto state = w->sceneWindowState();
        if (state != SceneWindow::Appearing && state != SceneWindow::Appeared)
            continue;
        (w->parentItem() == systemLayer ? systemwide : ordinary).append(w);
    }
    return ordinary + systemwide;
}

ApplicationWindow::ApplicationWindow(QWidget* parent)
    : QGraphicsView(parent)
    , d(new ApplicationWindowPrivate(this))
{
    d->scene = new QGraphicsScene(this);
    d->scene->setItemIndexMethod(QGraphicsScene::NoIndex);   // few, moving items
    d->scene->setBackgroundBrush(Theme::instance()->style(QStringLiteral("SceneWindow")).background);
    d->sceneLayer = makeLayer(d->scene, 0);
    d->systemLayer = makeLayer(d->scene, 1000);
    d->overlay = makeLayer(d->scene, 2000);
    d->overlay->setObjectName(QStringLiteral("OverlayLayer"));
    setScene(d->scene);

    setFrameStyle(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    resize(480, 800);
    d->layoutLayers();
    allWindows().append(this);
}

ApplicationWindow::~ApplicationWindow()
{
    allWindows().removeAll(this);
    // Delete the scene (and the scene windows on it) while this window is
    // still whole: their destructors unregister from it.
    QGraphicsScene* scene = d->scene;
    d->scene = nullptr;
    delete scene;
    d->windows.clear();
    delete d;
}

ApplicationWindow* ApplicationWindow::activeWindow()
{
    return allWindows().isEmpty() ? nullptr : allWindows().last();
}

ApplicationWindow* ApplicationWindow::instance()
{
    if (ApplicationWindow* w = activeWindow())
        return w;
    // Kept for the rest of the process; it is deleted before the application only if a caller does.
    auto* w = new ApplicationWindow;
    w->show();
    return w;
}

QList<SceneWindow*> ApplicationWindow::sceneWindows() const
{
    return d->live();
}

int ApplicationWindow::sceneWindowCount() const
{
    return d->live().size();
}

SceneWindow* ApplicationWindow::currentSceneWindow() const
{
    const QList<SceneWindow*> windows = d->live();
    return windows.isEmpty() ? nullptr : windows.last();
}

QGraphicsWidget* ApplicationWindow::overlayLayer() const
{
    return d->overlay;
}

QImage ApplicationWindow::grabImage()
{
    // Layouts are activated by posted events: run them so the picture is current.
    for (int i = 0; i < 4; ++i)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QImage image(viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(d->scene->backgroundBrush().color());
    QPainter painter(&image);
    painter.setRenderHints(renderHints());
    d->scene->render(&painter, QRectF(image.rect()), d->scene->sceneRect());
    painter.end();
    return image;
}

void ApplicationWindow::resizeEvent(QResizeEvent* event)
{
    QGraphicsView::resizeEvent(event);
    d->layoutLayers();
}

} // namespace Touch
