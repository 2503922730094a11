#pragma once

#include "touch/touchglobal.h"

#include <QColor>
#include <QFont>
#include <QIcon>
#include <QMarginsF>
#include <QObject>
#include <QPixmap>

class QGraphicsItem;

namespace Touch {

// How one style name looks.  An invalid colour means "not painted".
struct ThemeStyle
{
    QColor background;
    QColor foreground;
    QColor frame;
    QFont font;
    qreal minimumHeight = 0;
    qreal fixedHeight = -1; // < 0: none
    QMarginsF padding;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    qreal radius = 0;       // corner radius of background and frame
    QColor accent;          // highlights: switch on, progress, focus frame
    QColor secondary;       // placeholder text, inactive parts
};

class ThemePrivate;

// The one theme table: style names to colours, fonts and sizes; icon ids to
// freedesktop icons, with drawn fallbacks so every id renders something.
class VELINTOUCH_EXPORT Theme : public QObject
{
    Q_OBJECT

public:
    typedef ThemeStyle Style;

    static Theme* instance();

    Style style(const QString& styleName, bool inverted = false) const;
    bool hasStyle(const QString& styleName) const;

    static bool isInverted(const QGraphicsItem* item);

    QIcon icon(const QString& iconId) const;
    QPixmap pixmap(const QString& iconId, const QSize& size) const;

private:
    explicit Theme(QObject* parent = nullptr);
    ~Theme() override;
    ThemePrivate* const d;
};

} // namespace Touch
