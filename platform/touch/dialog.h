#pragma once

#include "touch/scenewindow.h"

class QGraphicsWidget;

namespace Touch {

class Button;
class DialogPrivate;

// A modal card centred on a dimmed window: title, central widget, a row of
// standard buttons.  exec() runs a nested event loop until done().
class VELINTOUCH_EXPORT Dialog : public SceneWindow
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)
    Q_PROPERTY(int result READ result WRITE setResult)
    Q_PROPERTY(StandardButtons standardButtons READ standardButtons WRITE setStandardButtons)

public:
    enum StandardButton {
        NoStandardButton = 0,
        Ok = 0x00000400,
        Save = 0x00000800,
        Open = 0x00002000,
        Yes = 0x00004000,
        No = 0x00010000,
        Abort = 0x00040000,
        Retry = 0x00080000,
        Ignore = 0x00100000,
        Close = 0x00200000,
        Cancel = 0x00400000,
        Apply = 0x02000000,
        Reset = 0x04000000,
        Help = 0x01000000,
        Done = 0x00000200
    };
    Q_ENUM(StandardButton)
    Q_DECLARE_FLAGS(StandardButtons, StandardButton)
    Q_FLAG(StandardButtons)
    enum DialogCode { Rejected = 0, Accepted = 1 };
    Q_ENUM(DialogCode)

    explicit Dialog(const QString& title = QString(), StandardButtons buttons = NoStandardButton,
                    QGraphicsItem* parent = nullptr);
    ~Dialog() override;

    QString title() const;
    void setTitle(const QString& title);

    int result() const;
    void setResult(int result);

    StandardButtons standardButtons() const;
    void setStandardButtons(StandardButtons buttons);

    // Owned; a previous central widget is deleted.
    void setCentralWidget(QGraphicsWidget* widget);
    QGraphicsWidget* centralWidget() const;

    // Ok, Save, Open, Yes, Apply, Done accept; Cancel, No, Close, Abort
    // reject; Help does nothing; Retry, Ignore, Reset finish with their value.
    Button* addButton(StandardButton which);
    Button* button(StandardButton which) const;
    void removeButton(StandardButton which);
    // The standard button last clicked, NoStandardButton if none.
    StandardButton clickedButton() const;

    // Appears on window and runs a nested event loop until done().
    int exec(ApplicationWindow* window = nullptr);

public Q_SLOTS:
    virtual void accept();
    // Stores the result, disappears and ends exec().
    virtual void done(int result);
    virtual void reject();

Q_SIGNALS:
    void accepted();
    void rejected();
    void finished(int result);

protected:
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

private:
    friend class DialogPrivate;
    DialogPrivate* const d;
};

} // namespace Touch

Q_DECLARE_OPERATORS_FOR_FLAGS(Touch::Dialog::StandardButtons)
