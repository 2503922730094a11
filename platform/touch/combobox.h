#pragma once

#include "touch/widget.h"

class QAbstractItemModel;

namespace Touch {

class ComboBoxPrivate;

// A two-line touch row (title above, current text below) that picks one row
// of a model from a full-window popup list.  Shows column 0, DisplayRole.
class VELINTOUCH_EXPORT ComboBox : public Widget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(bool iconVisible READ isIconVisible WRITE setIconVisible)
    Q_PROPERTY(QString iconID READ iconID WRITE setIconID)
    Q_PROPERTY(int currentIndex READ currentIndex WRITE setCurrentIndex NOTIFY currentIndexChanged)
    Q_PROPERTY(QString currentText READ currentText)
    Q_PROPERTY(int count READ count)
    Q_PROPERTY(bool popupVisible READ isPopupVisible)

public:
    explicit ComboBox(QGraphicsItem* parent = nullptr);
    ~ComboBox() override;

    QString title() const;
    void setTitle(const QString& title);

    bool isIconVisible() const;
    void setIconVisible(bool visible);
    QString iconID() const;
    void setIconID(const QString& iconId);

    // -1: no row selected (also the start).  Out of range gives -1.
    int currentIndex() const;
    void setCurrentIndex(int index);
    QString currentText() const;
    int count() const;

    // Never owned, as with Qt's views: the caller keeps the model alive (it may
    // live on the stack).
    // Resets the current index to -1.
    void setItemModel(QAbstractItemModel* model);
    QAbstractItemModel* itemModel() const;

    // Convenience over an internal string list model made on demand.
    void addItem(const QString& text);
    void addItems(const QStringList& texts);
    QString itemText(int row) const;

    bool isPopupVisible() const;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

public Q_SLOTS:
    void showPopup();
    void hidePopup();

Q_SIGNALS:
    void currentIndexChanged(int index);
    void activated(int row);

protected:
    QSizeF sizeHint(Qt::SizeHint which, const QSizeF& constraint = QSizeF()) const override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class ComboBoxPrivate;
    ComboBoxPrivate* const d;
};

} // namespace Touch
