#include "touch/combobox.h"

#include "comboboxpopup_p.h"
#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/theme.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsView>
#include <QKeyEvent>
#include <QPainter>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QStringListModel>
#include <QStyle>

namespace Touch {

class ComboBoxPrivate
{
public:
    explicit ComboBoxPrivate(ComboBox* q) : q(q) {}

    // Re-reads the current row from the persistent index and reports a change.
    void sync()
    {
        const int now = (model && current.isValid()) ? current.row() : -1;
        if (!current.isValid())
            current = QPersistentModelIndex();
        q->update();
        if (popup)
            popup->rebuild();
        // Last: a receiver may rebuild its page and delete this combo box.
        if (now != lastIndex) {
            lastIndex = now;
            Q_EMIT q->currentIndexChanged(now);
        }
    }

    void watch(QAbstractItemModel* m);

    ApplicationWindow* window() const
    {
        if (QGraphicsScene* scene = q->scene()) {
            const QList<QGraphicsView*> views = scene->views();
            for (QGraphicsView* view : views) {
                if (auto* w = qobject_cast<ApplicationWindow*>(view))
                    return w;
            }
        }
        return nullptr;
    }

    ComboBox* const q;
    QPointer<QAbstractItemModel> model;
    QStringListModel* ownModel = nullptr;
    QPersistentModelIndex current;
    int lastIndex = -1;
    QString title;
    QString iconId;
    bool iconVisible = false;
    bool down = false;
    QPointer<ComboBoxPopup> popup;
};

void ComboBoxPrivate::watch(QAbstractItemModel* m)
{
    const auto changed = [this] { sync(); };
    QObject::connect(m, &QAbstractItemModel::rowsInserted, q, changed);
    QObject::connect(m, &QAbstractItemModel::rowsRemoved, q, changed);
    QObject::connect(m, &QAbstractItemModel::rowsMoved, q, changed);
    QObject::connect(m, &QAbstractItemModel::modelReset, q, changed);
    QObject::connect(m, &QAbstractItemModel::layoutChanged, q, changed);
    QObject::connect(m, &QAbstractItemModel::dataChanged, q, changed);
    QObject::connect(m, &QObject::destroyed, q, [this] {
        if (ownModel == model.data() || !model)
            ownModel = nullptr;
        current = QPersistentModelIndex();
        sync();
    });
}

ComboBox::ComboBox(QGraphicsItem* parent)
    : Widget(parent)
    , d(new ComboBoxPrivate(this))
{
    setDefaultStyleName(QStringLiteral("ComboBox"));
    setFocusPolicy(Qt::TabFocus);
    setAcceptedMouseButtons(Qt::LeftButton);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

ComboBox::~ComboBox()
{
    if (d->popup)
        delete d->popup.data();
    if (d->model)
        d->model->disconnect(this);
    delete d;
}

QString ComboBox::title() const
{
    return d->title;
}

void ComboBox::setTitle(const QString& title)
{
    if (d->title == title)
        return;
    d->title = title;
    updateGeometry();
    update();
}

bool ComboBox::isIconVisible() const
{
    return d->iconVisible;
}

void ComboBox::setIconVisible(bool visible)
{
    if (d->iconVisible == visible)
        return;
    d->iconVisible = visible;
    update();
}

QString ComboBox::iconID() const
{
    return d->iconId;
}

void ComboBox::setIconID(const QString& iconId)
{
    d->iconId = iconId;
    update();
}

int ComboBox::currentIndex() const
{
    return d->lastIndex;
}

void ComboBox::setCurrentIndex(int index)
{
    if (d->model && index >= 0 && index < d->model->rowCount())
        d->current = QPersistentModelIndex(d->model->index(index, 0));
    else
        d->current = QPersistentModelIndex();
    d->sync();
}

QString ComboBox::currentText() const
{
    return d->lastIndex >= 0 ? itemText(d->lastIndex) : QString();
}

int ComboBox::count() const
{
    return d->model ? d->model->rowCount() : 0;
}

void ComboBox::setItemModel(QAbstractItemModel* model)
{
    if (d->model == model)
        return;
    if (d->model)
        d->model->disconnect(this);
    if (d->ownModel && d->ownModel != model) {
        delete d->ownModel;
        d->ownModel = nullptr;
    }
    d->model = model;
    d->current = QPersistentModelIndex();
    if (model)
        d->watch(model);
    d->sync();
}

QAbstractItemModel* ComboBox::itemModel() const
{
    return d->model;
}

void ComboBox::addItem(const QString& text)
{
    addItems(QStringList{text});
}

void ComboBox::addItems(const QStringList& texts)
{
    if (!d->model) {
        d->ownModel = new QStringListModel(this);
        setItemModel(d->ownModel);
    }
    QAbstractItemModel* m = d->model;
    for (const QString& text : texts) {
        const int row = m->rowCount();
        if (!m->insertRow(row) || !m->setData(m->index(row, 0), text)) {
            qWarning("Touch::ComboBox::addItem: the item model takes no new rows");
            return;
        }
    }
}

QString ComboBox::itemText(int row) const
{
    if (!d->model || row < 0 || row >= d->model->rowCount())
        return QString();
    return d->model->index(row, 0).data(Qt::DisplayRole).toString();
}

bool ComboBox::isPopupVisible() const
{
    return d->popup && d->popup->isVisible();
}

void ComboBox::showPopup()
{
    if (d->popup) {
        d->popup->rebuild();
        return;
    }
    ComboBoxPopup* popup = nullptr;
    if (ApplicationWindow* window = d->window()) {
        popup = new ComboBoxPopup(this, window->overlayLayer());
        popup->setGeometry(window->overlayLayer()->rect());
    } else {
        popup = new ComboBoxPopup(this, this);
        popup->setZValue(1000);
        popup->setGeometry(QRectF(0, 0, qMax<qreal>(size().width(), 360), 480));
    }
    d->popup = popup;
    popup->setFocus(Qt::PopupFocusReason);
    connect(popup, &ComboBoxPopup::rowPicked, this, [this](int row) {
        // Receivers of either signal may delete this combo box.
        QPointer<ComboBox> self(this);
        hidePopup();
        setCurrentIndex(row);
        if (self)
            Q_EMIT activated(row);
    });
    connect(popup, &ComboBoxPopup::dismissed, this, &ComboBox::hidePopup);
    popup->rebuild();
}

void ComboBox::hidePopup()
{
    if (!d->popup)
        return;
    ComboBoxPopup* popup = d->popup;
    d->popup = nullptr;
    popup->hide();
    // A row's click handler may still be on the stack.
    popup->deleteLater();
}

QSizeF ComboBox::sizeHint(Qt::SizeHint which, const QSizeF& constraint) const
{
    if (which == Qt::MaximumSize || which == Qt::MinimumDescent)
        return Widget::sizeHint(which, constraint);
    const ThemeStyle& s = themeStyle();
    const ThemeStyle sub = Theme::instance()->style(QStringLiteral("CommonSubText"), isInverted());
    const qreal textH = QFontMetricsF(s.font).height() + QFontMetricsF(sub.font).height() + 4;
    const qreal h = qMax(s.minimumHeight, textH + s.padding.top() + s.padding.bottom());
    const qreal w = which == Qt::MinimumSize ? 96 : 240;
    return QSizeF(w + s.padding.left() + s.padding.right(), h);
}

void ComboBox::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    Widget::paint(painter, option, widget);
    const ThemeStyle& s = themeStyle();
    const ThemeStyle sub = Theme::instance()->style(QStringLiteral("CommonSubText"), isInverted());
    const Qt::LayoutDirection dir = QGraphicsWidget::layoutDirection();
    QRectF area = rect().marginsRemoved(s.padding);

    painter->save();
    if (!isEnabled())
        painter->setOpacity(0.4);
    if (d->down) {
        QColor c = s.accent;
        c.setAlpha(40);
        painter->fillRect(rect(), c);
    }
    painter->setRenderHint(QPainter::Antialiasing);

    // Drop indicator at the trailing edge: a small chevron pointing down.
    const qreal ind = 14;
    const qreal ix = dir == Qt::LeftToRight ? area.right() - ind : area.left();
    const QPointF c(ix + ind / 2, area.center().y());
    painter->setPen(QPen(s.secondary, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF pts[3] = {c + QPointF(-ind / 2, -ind / 4), c + QPointF(0, ind / 4), c + QPointF(ind / 2, -ind / 4)};
    painter->drawPolyline(pts, 3);
    if (dir == Qt::LeftToRight)
        area.setRight(area.right() - ind - 12);
    else
        area.setLeft(area.left() + ind + 12);

    if (d->iconVisible && !d->iconId.isEmpty()) {
        const qreal side = qMin<qreal>(48, area.height());
        const qreal x = dir == Qt::LeftToRight ? area.left() : area.right() - side;
        painter->drawPixmap(QPointF(x, area.center().y() - side / 2),
                            Theme::instance()->pixmap(d->iconId, QSize(int(side), int(side))));
        if (dir == Qt::LeftToRight)
            area.setLeft(area.left() + side + 12);
        else
            area.setRight(area.right() - side - 12);
    }

    const QFontMetricsF titleFm(s.font);
    const QFontMetricsF subFm(sub.font);
    const qreal total = titleFm.height() + 4 + subFm.height();
    const qreal top = area.center().y() - total / 2;
    const Qt::Alignment align = QStyle::visualAlignment(dir, Qt::AlignLeft | Qt::AlignVCenter);
    painter->setFont(s.font);
    painter->setPen(s.foreground);
    painter->drawText(QRectF(area.left(), top, area.width(), titleFm.height()), align,
                      titleFm.elidedText(d->title, Qt::ElideRight, area.width()));
    painter->setFont(sub.font);
    painter->setPen(d->lastIndex >= 0 ? s.accent : s.secondary);
    const QString value = d->lastIndex >= 0 ? currentText() : QStringLiteral("-");
    painter->drawText(QRectF(area.left(), top + titleFm.height() + 4, area.width(), subFm.height()), align,
                      subFm.elidedText(value, Qt::ElideRight, area.width()));
    painter->restore();
}

void ComboBox::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    d->down = true;
    update();
    event->accept();
}

void ComboBox::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    const bool wasDown = d->down;
    d->down = false;
    update();
    if (wasDown && rect().contains(event->pos()))
        showPopup();
}

void ComboBox::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Select:
        showPopup();
        event->accept();
        break;
    default:
        Widget::keyPressEvent(event);
    }
}

} // namespace Touch
