#pragma once

#include "touch/theme.h"

#include <QGraphicsItem>
#include <QPainter>

namespace Velin {

// Tappable rows are at least this tall.
const qreal RowMinimumHeight = 64;

// The tint over a tappable row while a finger is on it.
inline void paintPressFeedback(QPainter* painter, const QGraphicsItem* item, const QRectF& rect, bool down)
{
    if (!down)
        return;
    QColor tint = Touch::Theme::isInverted(item) ? QColor(255, 255, 255) : QColor(0, 0, 0);
    tint.setAlphaF(Touch::Theme::isInverted(item) ? 0.10 : 0.07);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(tint);
    painter->drawRoundedRect(rect, 8, 8);
    painter->restore();
}

} // namespace Velin
