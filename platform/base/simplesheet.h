#pragma once

#include "base/baseglobal.h"
#include "touch/scenewindow.h"

namespace Touch {
class ApplicationWindow;
}

namespace Velin {

class SimpleSheetPrivate;

/*!
 * A full-window sheet: a header bar with a reject button (leading), the title
 * (centred) and an accept button (trailing), and below it the content, which
 * pans vertically when it is taller than the window.  A spinner in the header
 * tells that work is going on.
 *
 * exec() shows the sheet and blocks in a nested event loop until the user (or
 * the code) accepts or rejects it.  Style the sheet "Inverted" for the dark
 * look.
 *
 * From the keyboard: the sheet opens with focus in its first control (unless
 * its own code focused one of its controls already), Tab moves through every
 * control, Enter accepts where accept is enabled, Escape cancels.
 */
class VELINBASE_EXPORT SimpleSheet : public Touch::SceneWindow
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString acceptLabel READ acceptLabel WRITE setAcceptLabel)
    Q_PROPERTY(QString rejectLabel READ rejectLabel WRITE setRejectLabel)
    Q_PROPERTY(bool acceptEnabled READ isAcceptEnabled WRITE setAcceptEnabled NOTIFY acceptEnabledChanged)
    Q_PROPERTY(bool progressIndicatorVisible READ isProgressIndicatorVisible WRITE setProgressIndicatorVisible)
    Q_PROPERTY(bool rejected READ isRejected)

public:
    explicit SimpleSheet(QGraphicsItem* parent = nullptr);
    ~SimpleSheet() override;

    QString title() const;
    void setTitle(const QString& title);

    QString acceptLabel() const;
    void setAcceptLabel(const QString& label);
    QString rejectLabel() const;
    void setRejectLabel(const QString& label);

    //! A disabled accept button is greyed out and cannot be clicked.
    bool isAcceptEnabled() const;
    void setAcceptEnabled(bool enabled);

    bool isProgressIndicatorVisible() const;
    void setProgressIndicatorVisible(bool visible);

    //! True after done(false); false before any result and after accept.
    bool isRejected() const;

    //! Takes ownership; a previous content is deleted.
    void setContent(QGraphicsWidget* content);
    QGraphicsWidget* content() const;

    /*!
     * Shows the sheet on \a window (or the application's window) and waits
     * until done() is called.  Returns 1 when accepted, 0 otherwise, also when
     * the sheet is deleted while waiting (the object is not touched then).
     */
    int exec(Touch::ApplicationWindow* window = nullptr);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
               QWidget* widget = nullptr) override;

public Q_SLOTS:
    virtual void accept();
    virtual void reject();
    virtual void done(bool accepted);

Q_SIGNALS:
    void accepted();
    void rejected();
    void finished(bool accepted);
    void titleChanged(const QString& title);
    void acceptEnabledChanged(bool enabled);

protected:
    //! Tab and Backtab go through the sheet's controls top to bottom, then
    //! its accept and cancel actions, round again.
    bool focusNextPrevChild(bool next) override;
    //! Enter accepts when accept is enabled; Escape cancels.
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QGraphicsSceneResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void styleChanged() override;

private:
    friend class SimpleSheetPrivate;
    SimpleSheetPrivate* const d;
};

} // namespace Velin
