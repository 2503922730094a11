#pragma once

#include "touch/widget.h"

#include <QPixmap>

namespace Touch {

class ImageWidgetPrivate;

// Shows a theme icon (or a given pixmap) centred, at imageSize.
class VELINTOUCH_EXPORT ImageWidget : public Widget
{
    Q_OBJECT
    Q_PROPERTY(QString image READ image WRITE setImage)
    Q_PROPERTY(QSize imageSize READ imageSize WRITE setImageSize)

public:
    explicit ImageWidget(const QString& iconId = QString(), QGraphicsItem* parent = nullptr);
    ~ImageWidget() override;

    QString image() const;
    void setImage(const QString& iconId);
    // Replaces the icon id.
    void setPixmap(const QPixmap& pixmap);
    QPixmap pixmap() const;

    QSize imageSize() const;
    void setImageSize(const QSize& size);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;

private:
    ImageWidgetPrivate* const d;
};

} // namespace Touch
