#pragma once

#include "touch/widget.h"

namespace Touch {

class ProgressBarPrivate;

// A horizontal bar or a round spinner; with an unknown duration the
// spinner turns (and the bar sweeps) while the widget is shown.
class VELINTOUCH_EXPORT ProgressBar : public Widget
{
    Q_OBJECT
    Q_PROPERTY(int minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(int maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)
    Q_PROPERTY(bool unknownDuration READ unknownDuration WRITE setUnknownDuration)
    Q_PROPERTY(bool animating READ isAnimating)

public:
    static constexpr const char* BarType = "bar";
    static constexpr const char* SpinnerType = "spinner";

    explicit ProgressBar(QGraphicsItem* parent = nullptr, const QString& viewType = BarType);
    ~ProgressBar() override;

    int minimum() const;
    void setMinimum(int minimum);
    int maximum() const;
    void setMaximum(int maximum);
    void setRange(int minimum, int maximum);

    // Clamped into the range.
    int value() const;
    void setValue(int value);

    bool unknownDuration() const;
    void setUnknownDuration(bool unknown);

    // True while the unknown-duration animation runs.
    bool isAnimating() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

Q_SIGNALS:
    void valueChanged(int value);

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

private:
    ProgressBarPrivate* const d;
};

} // namespace Touch
