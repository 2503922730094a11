#pragma once

#include <QIconEngine>
#include <QString>

class QPainter;
class QRectF;

namespace Touch {

// Paints a theme icon id as a vector picture, so icons render on machines
// without an icon theme (and offscreen).  Resolution independent.
class DrawnIconEngine : public QIconEngine
{
public:
    explicit DrawnIconEngine(const QString& iconId);

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
    QIconEngine* clone() const override;
    QString key() const override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override;

    // The drawing itself, also used directly by the theme.
    static void draw(QPainter* painter, const QRectF& rect, const QString& iconId,
                     QIcon::Mode mode = QIcon::Normal);

private:
    QString m_iconId;
};

} // namespace Touch
