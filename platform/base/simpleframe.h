#pragma once

#include "base/baseglobal.h"
#include "touch/widget.h"

namespace Touch {
class Label;
}

namespace Velin {

class SimpleFramePrivate;

/*!
 * A titled container: the title on top, the content below it.  Subclasses
 * may build their content lazily in createContent(), which runs once, the
 * first time the frame is polished or shown without a content.
 */
class VELINBASE_EXPORT SimpleFrame : public Touch::Widget
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle)

public:
    explicit SimpleFrame(const QString& title = QString(), QGraphicsItem* parent = nullptr);
    ~SimpleFrame() override;

    QString title() const;
    //! An empty title takes no space.
    void setTitle(const QString& title);

    //! Reparented into the frame below the title; a previous content is deleted.
    void setContent(QGraphicsWidget* content);
    QGraphicsWidget* content() const;

protected:
    //! The content to install on first use; null (the default) for none.
    virtual QGraphicsWidget* createContent();

    void polishEvent() override;
    void showEvent(QShowEvent* event) override;

private:
    friend class SimpleFramePrivate;
    SimpleFramePrivate* const d;
};

} // namespace Velin
