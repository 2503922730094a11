#include "drawnicon_p.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRegularExpression>

namespace Touch {

namespace {

// One colour that reads on the light and on the dark ("Inverted") sheets.
const QColor kInk(0x2a, 0x7f, 0xd4);

int strengthOf(const QString& iconId)
{
    static const QRegularExpression re(QStringLiteral("strength(\\d)"));
    const QRegularExpressionMatch m = re.match(iconId);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// A dot and four arcs fanning up from the bottom centre; 'filled' of the five
// parts are solid, the rest faint.
void drawWlan(QPainter* p, const QRectF& r, int filled)
{
    const qreal s = qMin(r.width(), r.height());
    const QPointF base(r.center().x(), r.center().y() + s * 0.32);
    QColor faint = kInk;
    faint.setAlphaF(0.25);
    const qreal penW = s * 0.075;
    p->setPen(Qt::NoPen);
    p->setBrush(filled >= 1 ? kInk : faint);
    p->drawEllipse(base, s * 0.07, s * 0.07);
    for (int i = 1; i <= 4; ++i) {
        const qreal rad = s * (0.07 + 0.16 * i);
        QPen pen(i + 1 <= filled ? kInk : faint, penW, Qt::SolidLine, Qt::RoundCap);
        p->setPen(pen);
        p->setBrush(Qt::NoBrush);
        const QRectF arc(base.x() - rad, base.y() - rad, 2 * rad, 2 * rad);
        p->drawArc(arc, 45 * 16, 90 * 16);
    }
}

void drawPadlock(QPainter* p, const QRectF& r, bool heavy)
{
    const qreal s = qMin(r.width(), r.height());
    const QRectF body(r.center().x() - s * 0.32, r.center().y() - s * 0.05, s * 0.64, s * 0.44);
    p->setPen(QPen(kInk, s * (heavy ? 0.11 : 0.08), Qt::SolidLine, Qt::RoundCap));
    p->setBrush(Qt::NoBrush);
    const QRectF shackle(r.center().x() - s * 0.2, body.top() - s * 0.3, s * 0.4, s * 0.6);
    p->drawArc(shackle, 0, 180 * 16);
    p->setPen(Qt::NoPen);
    p->setBrush(kInk);
    p->drawRoundedRect(body, s * 0.06, s * 0.06);
}

void drawChevron(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    p->setPen(QPen(kInk, s * 0.1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const QPointF pts[3] = {c + QPointF(-s * 0.12, -s * 0.25), c + QPointF(s * 0.13, 0),
                            c + QPointF(-s * 0.12, s * 0.25)};
    p->drawPolyline(pts, 3);
}

void drawCircledText(QPainter* p, const QRectF& r, const QString& text)
{
    const qreal s = qMin(r.width(), r.height());
    const QRectF circle(r.center().x() - s * 0.42, r.center().y() - s * 0.42, s * 0.84, s * 0.84);
    p->setPen(QPen(kInk, s * 0.08));
    p->setBrush(Qt::NoBrush);
    p->drawEllipse(circle);
    QFont f = p->font();
    f.setPixelSize(qMax(1, int(s * 0.55)));
    f.setBold(true);
    p->setFont(f);
    p->setPen(kInk);
    p->drawText(circle, Qt::AlignCenter, text);
}

void drawCheck(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    p->setPen(QPen(kInk, s * 0.11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p->setBrush(Qt::NoBrush);
    const QPointF c = r.center();
    const QPointF pts[3] = {c + QPointF(-s * 0.3, 0), c + QPointF(-s * 0.08, s * 0.22),
                            c + QPointF(s * 0.32, -s * 0.24)};
    p->drawPolyline(pts, 3);
}

void drawCross(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height()) * 0.28;
    const QPointF c = r.center();
    p->setPen(QPen(kInk, s * 0.4, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(c + QPointF(-s, -s), c + QPointF(s, s));
    p->drawLine(c + QPointF(-s, s), c + QPointF(s, -s));
}

void drawPlus(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height()) * 0.32;
    const QPointF c = r.center();
    p->setPen(QPen(kInk, s * 0.35, Qt::SolidLine, Qt::RoundCap));
    p->drawLine(c + QPointF(-s, 0), c + QPointF(s, 0));
    p->drawLine(c + QPointF(0, -s), c + QPointF(0, s));
}

void drawCertificate(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    const QRectF page(r.center().x() - s * 0.32, r.center().y() - s * 0.4, s * 0.64, s * 0.66);
    p->setPen(QPen(kInk, s * 0.06));
    p->setBrush(Qt::NoBrush);
    p->drawRect(page);
    for (int i = 0; i < 3; ++i) {
        const qreal y = page.top() + page.height() * (0.22 + 0.16 * i);
        p->drawLine(QPointF(page.left() + s * 0.1, y), QPointF(page.right() - s * 0.1, y));
    }
    p->setPen(Qt::NoPen);
    p->setBrush(kInk);
    p->drawEllipse(QPointF(page.right() - s * 0.08, page.bottom()), s * 0.12, s * 0.12);
}

void drawSearch(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    p->setPen(QPen(kInk, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p->setBrush(Qt::NoBrush);
    const QPointF c = r.center() + QPointF(-s * 0.08, -s * 0.08);
    p->drawEllipse(c, s * 0.24, s * 0.24);
    p->drawLine(c + QPointF(s * 0.18, s * 0.18), c + QPointF(s * 0.38, s * 0.38));
}

void drawRefresh(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    p->setPen(QPen(kInk, s * 0.09, Qt::SolidLine, Qt::RoundCap));
    p->setBrush(Qt::NoBrush);
    const QRectF arc(r.center().x() - s * 0.3, r.center().y() - s * 0.3, s * 0.6, s * 0.6);
    p->drawArc(arc, 60 * 16, 280 * 16);
    p->setPen(Qt::NoPen);
    p->setBrush(kInk);
    const QPointF tip(arc.center().x() + s * 0.15, arc.top() + s * 0.04);
    const QPointF tri[3] = {tip + QPointF(-s * 0.02, -s * 0.14), tip + QPointF(s * 0.16, 0),
                            tip + QPointF(-s * 0.02, s * 0.14)};
    p->drawPolygon(tri, 3);
}

// Anything else still shows a recognisable placeholder, not a blank.
void drawGeneric(QPainter* p, const QRectF& r)
{
    const qreal s = qMin(r.width(), r.height());
    p->setPen(QPen(kInk, s * 0.07));
    p->setBrush(Qt::NoBrush);
    const QRectF box(r.center().x() - s * 0.36, r.center().y() - s * 0.36, s * 0.72, s * 0.72);
    p->drawRoundedRect(box, s * 0.12, s * 0.12);
    p->setPen(Qt::NoPen);
    p->setBrush(kInk);
    p->drawEllipse(box.center(), s * 0.1, s * 0.1);
}

} // namespace

DrawnIconEngine::DrawnIconEngine(const QString& iconId)
    : m_iconId(iconId)
{
}

void DrawnIconEngine::draw(QPainter* p, const QRectF& rect, const QString& id, QIcon::Mode mode)
{
    p->save();
    p->setRenderHint(QPainter::Antialiasing);
    if (mode == QIcon::Disabled)
        p->setOpacity(p->opacity() * 0.4);
    const int strength = strengthOf(id);
    if (id.contains(QLatin1String("wlan")) && strength >= 0)
        drawWlan(p, rect, qBound(0, strength, 5));
    else if (id.contains(QLatin1String("wep")))
        drawPadlock(p, rect, false);
    else if (id.contains(QLatin1String("wpa")) || id.contains(QLatin1String("lock"))
             || id.contains(QLatin1String("secur")))
        drawPadlock(p, rect, true);
    else if (id.contains(QLatin1String("wlan")))
        drawWlan(p, rect, 5);
    else if (id.contains(QLatin1String("arrow")) || id.contains(QLatin1String("drilldown"))
             || id.contains(QLatin1String("next")))
        drawChevron(p, rect);
    else if (id.contains(QLatin1String("help")))
        drawCircledText(p, rect, QStringLiteral("?"));
    else if (id.contains(QLatin1String("error")) || id.contains(QLatin1String("warning")))
        drawCircledText(p, rect, QStringLiteral("!"));
    else if (id.contains(QLatin1String("info")))
        drawCircledText(p, rect, QStringLiteral("i"));
    else if (id.contains(QLatin1String("check")) || id.contains(QLatin1String("done")))
        drawCheck(p, rect);
    else if (id.contains(QLatin1String("close")) || id.contains(QLatin1String("cancel"))
             || id.contains(QLatin1String("clear")))
        drawCross(p, rect);
    else if (id.contains(QLatin1String("add")) || id.contains(QLatin1String("plus")))
        drawPlus(p, rect);
    else if (id.contains(QLatin1String("certificate")))
        drawCertificate(p, rect);
    else if (id.contains(QLatin1String("search")))
        drawSearch(p, rect);
    else if (id.contains(QLatin1String("refresh")) || id.contains(QLatin1String("update")))
        drawRefresh(p, rect);
    else
        drawGeneric(p, rect);
    p->restore();
}

void DrawnIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State)
{
    draw(painter, rect, m_iconId, mode);
}

QPixmap DrawnIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    paint(&p, QRect(QPoint(0, 0), size), mode, state);
    return pm;
}

QIconEngine* DrawnIconEngine::clone() const
{
    return new DrawnIconEngine(m_iconId);
}

QString DrawnIconEngine::key() const
{
    return QStringLiteral("velin-drawn");
}

QList<QSize> DrawnIconEngine::availableSizes(QIcon::Mode, QIcon::State) const
{
    // Vector drawing: offer the usual touch sizes.
    return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
}

} // namespace Touch
