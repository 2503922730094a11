#pragma once

#include "touch/widget.h"

namespace Touch {

class LabelPrivate;

// Plain text in the font and colour of its style; word wrap gives a
// height-for-width size hint.
class VELINTOUCH_EXPORT Label : public Widget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool wordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(Qt::Alignment alignment READ alignment WRITE setAlignment)

public:
    explicit Label(const QString& text = QString(), QGraphicsItem* parent = nullptr);
    ~Label() override;

    QString text() const;
    void setText(const QString& text);

    bool wordWrap() const;
    void setWordWrap(bool wrap);

    // Defaults to the style's alignment until set.
    Qt::Alignment alignment() const;
    void setAlignment(Qt::Alignment alignment);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

Q_SIGNALS:
    void textChanged(const QString& text);

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void styleChanged() override;
    void changeEvent(QEvent* event) override;

private:
    LabelPrivate* const d;
};

} // namespace Touch
