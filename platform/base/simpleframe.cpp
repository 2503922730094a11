#include "base/simpleframe.h"

#include "touch/label.h"

#include <QGraphicsLinearLayout>
#include <QPointer>

namespace Velin {

class SimpleFramePrivate
{
public:
    explicit SimpleFramePrivate(SimpleFrame* q)
        : q(q)
    {
    }

    void ensureContent();

    SimpleFrame* const q;
    QGraphicsLinearLayout* layout = nullptr;
    Touch::Label* titleLabel = nullptr;
    QPointer<QGraphicsWidget> content;
    bool creationTried = false;
};

void SimpleFramePrivate::ensureContent()
{
    if (creationTried)
        return;
    creationTried = true;
    if (content)
        return;
    if (QGraphicsWidget* created = q->createContent())
        q->setContent(created);
}

SimpleFrame::SimpleFrame(const QString& title, QGraphicsItem* parent)
    : Touch::Widget(parent)
    , d(new SimpleFramePrivate(this))
{
    d->layout = new QGraphicsLinearLayout(Qt::Vertical, this);
    d->layout->setContentsMargins(0, 8, 0, 8);
    d->layout->setSpacing(4);

    d->titleLabel = new Touch::Label(title, this);
    d->titleLabel->setObjectName(QStringLiteral("SimpleFrameTitle"));
    d->titleLabel->setStyleName(QStringLiteral("CommonTitle"));
    d->titleLabel->setWordWrap(true);
    d->titleLabel->setAcceptedMouseButtons(Qt::NoButton);
    if (title.isEmpty())
        d->titleLabel->setVisible(false);
    else
        d->layout->addItem(d->titleLabel);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

SimpleFrame::~SimpleFrame()
{
    delete d;
}

QString SimpleFrame::title() const
{
    return d->titleLabel->text();
}

void SimpleFrame::setTitle(const QString& title)
{
    d->titleLabel->setText(title);
    const bool shown = !title.isEmpty();
    const bool inLayout = d->layout->count() > 0 && d->layout->itemAt(0) == d->titleLabel;
    if (shown && !inLayout)
        d->layout->insertItem(0, d->titleLabel);
    else if (!shown && inLayout)
        d->layout->removeItem(d->titleLabel);
    d->titleLabel->setVisible(shown);
}

void SimpleFrame::setContent(QGraphicsWidget* content)
{
    if (d->content == content)
        return;
    QGraphicsWidget* old = d->content;
    if (old)
        d->layout->removeItem(old);
    d->content = content;
    if (content)
        d->layout->addItem(content);
    delete old;
}

QGraphicsWidget* SimpleFrame::content() const
{
    return d->content;
}

QGraphicsWidget* SimpleFrame::createContent()
{
    return nullptr;
}

void SimpleFrame::polishEvent()
{
    Touch::Widget::polishEvent();
    d->ensureContent();
}

void SimpleFrame::showEvent(QShowEvent* event)
{
    Touch::Widget::showEvent(event);
    d->ensureContent();
}

} // namespace Velin
