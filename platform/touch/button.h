#pragma once

#include "touch/widget.h"

namespace Touch {

class ButtonPrivate;

// A tappable button.  The view type selects the look: a push button, an
// on/off switch, a check box, a toggle, or only an icon.
class VELINTOUCH_EXPORT Button : public Widget
{
    Q_OBJECT
    Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged)
    Q_PROPERTY(bool checkable READ isCheckable WRITE setCheckable)
    Q_PROPERTY(bool checked READ isChecked WRITE setChecked NOTIFY toggled)
    Q_PROPERTY(QString iconID READ iconID WRITE setIconID)
    Q_PROPERTY(bool down READ isDown)

public:
    static constexpr const char* DefaultType = "default";
    static constexpr const char* SwitchType = "switch";
    static constexpr const char* IconType = "icon";
    static constexpr const char* CheckboxType = "checkbox";
    static constexpr const char* ToggleType = "toggle";

    explicit Button(const QString& text = QString(), QGraphicsItem* parent = nullptr);
    ~Button() override;

    QString text() const;
    void setText(const QString& text);

    bool isCheckable() const;
    void setCheckable(bool checkable);

    bool isChecked() const;
    // Emits toggled() only when the state changes; never clicked().
    void setChecked(bool checked);

    QString iconID() const;
    void setIconID(const QString& iconId);

    // True while a press is held on the button.
    bool isDown() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

public Q_SLOTS:
    // The same path as a tap: toggles a checkable button (toggled() when the
    // state changed), then emits clicked().
    void click();

Q_SIGNALS:
    void textChanged(const QString& text);
    void clicked();
    void toggled(bool checked);
    void pressed();
    void released();

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void styleChanged() override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void ungrabMouseEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ButtonPrivate* const d;
};

} // namespace Touch
