#include "touch/dialog.h"

#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QEventLoop>
#include <QMetaEnum>
#include <QPointer>
#include <QVector>

namespace Touch {

namespace {

class StyledPanel : public Widget
{
public:
    StyledPanel(const QString& style, QGraphicsItem* parent)
        : Widget(parent)
    {
        setDefaultStyleName(style);
    }
};

const qreal kMaxCardWidth = 448;

struct ButtonInfo
{
    Dialog::StandardButton which;
    const char* id;
    bool translated;   // id through qtTrId, else plain English
};

const ButtonInfo kButtons[] = {
    {Dialog::Ok, "qtn_comm_ok", true},
    {Dialog::Save, "Save", false},
    {Dialog::Open, "Open", false},
    {Dialog::Yes, "Yes", false},
    {Dialog::No, "No", false},
    {Dialog::Abort, "Abort", false},
    {Dialog::Retry, "Retry", false},
    {Dialog::Ignore, "Ignore", false},
    {Dialog::Close, "Close", false},
    {Dialog::Cancel, "qtn_comm_cancel", true},
    {Dialog::Apply, "Apply", false},
    {Dialog::Reset, "Reset", false},
    {Dialog::Help, "Help", false},
    {Dialog::Done, "Done", false},
};

QString buttonText(Dialog::StandardButton which)
{
    for (const ButtonInfo& info : kButtons) {
        if (info.which == which)
            return info.translated ? qtTrId(info.id) : QString::fromLatin1(info.id);
    }
    return QString();
}

bool accepts(Dialog::StandardButton which)
{
    return which == Dialog::Ok || which == Dialog::Save || which == Dialog::Open || which == Dialog::Yes
        || which == Dialog::Apply || which == Dialog::Done;
}

bool rejects(Dialog::StandardButton which)
{
    return which == Dialog::Cancel || which == Dialog::No || which == Dialog::Close || which == Dialog::Abort;
}

} // namespace

class DialogPrivate
{
public:
    Dialog* q = nullptr;
    Widget* card = nullptr;
    Label* title = nullptr;
    Widget* buttonRow = nullptr;
    LinearLayoutPolicy* cardPolicy = nullptr;
    LinearLayoutPolicy* buttonPolicy = nullptr;
    QGraphicsWidget* central = nullptr;
    QVector<QPair<Dialog::StandardButton, Button*>> buttons;
    Dialog::StandardButton clicked = Dialog::NoStandardButton;
    int result = Dialog::Rejected;
    QEventLoop* loop = nullptr;
    bool finished = false;   // done() since exec() began

    void buttonClicked(Dialog::StandardButton which)
    {
        clicked = which;
        if (accepts(which))
            q->accept();
        else if (rejects(which))
            q->reject();
        else if (which != Dialog::Help)
            q->done(int(which));
    }
};

Dialog::Dialog(const QString& title, StandardButtons buttons, QGraphicsItem* parent)
    : SceneWindow(parent)
    , d(new DialogPrivate)
{
    d->q = this;
    setDefaultStyleName(QStringLiteral("Dialog"));

    // Backdrop layout: the card centred between two stretches.
    auto* outer = new LinearLayoutPolicy(new Layout(this), Qt::Vertical);
    outer->setContentsMargins(16, 32, 16, 32);
    outer->addStretch();
    d->card = new StyledPanel(QStringLiteral("DialogCard"), nullptr);
    d->card->setObjectName(QStringLiteral("DialogCard"));
    d->card->setMaximumWidth(kMaxCardWidth);
    outer->addItem(d->card, Qt::AlignHCenter);
    outer->addStretch();

    d->cardPolicy = new LinearLayoutPolicy(new Layout(d->card), Qt::Vertical);
    d->title = new Label(title);
    d->title->setObjectName(QStringLiteral("DialogTitle"));
    d->title->setStyleName(QStringLiteral("DialogTitle"));
    d->title->setWordWrap(true);
    d->cardPolicy->addItem(d->title);
    d->title->setVisible(!title.isEmpty());

    d->buttonRow = new StyledPanel(QStringLiteral("Widget"), nullptr);
    d->buttonRow->setObjectName(QStringLiteral("DialogButtonRow"));
    d->buttonPolicy = new LinearLayoutPolicy(new Layout(d->buttonRow), Qt::Horizontal);
    d->buttonPolicy->setContentsMargins(16, 8, 16, 8);
    d->buttonPolicy->setSpacing(12);
    d->cardPolicy->addItem(d->buttonRow);
    d->buttonRow->setVisible(false);

    setStandardButtons(buttons);
}

Dialog::~Dialog()
{
    if (d->loop)
        d->loop->exit(d->result);
    delete d;
}

QString Dialog::title() const
{
    return d->title->text();
}

void Dialog::setTitle(const QString& title)
{
    d->title->setText(title);
    d->title->setVisible(!title.isEmpty());
}

int Dialog::result() const
{
    return d->result;
}

void Dialog::setResult(int result)
{
    d->result = result;
}

Dialog::StandardButtons Dialog::standardButtons() const
{
    StandardButtons all;
    for (const auto& entry : d->buttons)
        all |= entry.first;
    return all;
}

void Dialog::setStandardButtons(StandardButtons buttons)
{
    for (const ButtonInfo& info : kButtons) {
        if (buttons.testFlag(info.which))
            addButton(info.which);
        else
            removeButton(info.which);
    }
}

void Dialog::setCentralWidget(QGraphicsWidget* widget)
{
    if (widget == d->central)
        return;
    if (d->central) {
        auto* layout = static_cast<Layout*>(d->card->layout());
        if (layout->indexOf(d->central) >= 0)
            layout->deleteItem(d->central);
        else
            delete d->central;
    }
    d->central = widget;
    if (widget)
        d->cardPolicy->insertItem(d->cardPolicy->indexOf(d->buttonRow), widget);
}

QGraphicsWidget* Dialog::centralWidget() const
{
    return d->central;
}

Button* Dialog::addButton(StandardButton which)
{
    if (Button* existing = button(which))
        return existing;
    const QString text = buttonText(which);
    if (text.isEmpty()) {
        qWarning("Touch::Dialog::addButton: 0x%x is not one standard button", unsigned(which));
        return nullptr;
    }
    auto* b = new Button(text);
    b->setObjectName(QStringLiteral("DialogButton_%1").arg(QString::fromLatin1(
        QMetaEnum::fromType<StandardButton>().valueToKey(which))));
    b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    // Keep the enum order so the row looks the same whatever the call order.
    int index = 0;
    while (index < d->buttons.size() && unsigned(d->buttons.at(index).first) < unsigned(which))
        ++index;
    d->buttons.insert(index, qMakePair(which, b));
    d->buttonPolicy->insertItem(index, b);
    d->buttonRow->setVisible(true);
    connect(b, &Button::clicked, this, [this, which] { d->buttonClicked(which); });
    return b;
}

Button* Dialog::button(StandardButton which) const
{
    for (const auto& entry : d->buttons) {
        if (entry.first == which)
            return entry.second;
    }
    return nullptr;
}

void Dialog::removeButton(StandardButton which)
{
    for (int i = 0; i < d->buttons.size(); ++i) {
        if (d->buttons.at(i).first == which) {
            Button* b = d->buttons.takeAt(i).second;
            static_cast<Layout*>(d->buttonRow->layout())->removeItem(b);
            // It may be the button whose click is being handled.
            b->deleteLater();
            break;
        }
    }
    d->buttonRow->setVisible(!d->buttons.isEmpty());
}

Dialog::StandardButton Dialog::clickedButton() const
{
    return d->clicked;
}

int Dialog::exec(ApplicationWindow* window)
{
    if (d->loop) {
        qWarning("Touch::Dialog::exec: already running");
        return d->result;
    }
    QPointer<Dialog> self(this);
    d->result = Rejected;
    d->finished = false;
    appear(window, deletionPolicy());
    // A slot on appearing() may already have finished the dialog.
    if (!self)
        return Rejected;
    if (d->finished)
        return d->result;
    QEventLoop loop;
    d->loop = &loop;
    const int code = loop.exec(QEventLoop::DialogExec);
    if (!self)
        return code;   // deleted while running: the destructor ended the loop
    d->loop = nullptr;
    return d->result;
}

void Dialog::accept()
{
    done(Accepted);
}

void Dialog::done(int result)
{
    d->result = result;
    d->finished = true;
    QPointer<Dialog> self(this);
    disappear();
    Q_EMIT finished(result);
    if (!self)
        return;
    if (result == Accepted)
        Q_EMIT accepted();
    else if (result == Rejected)
        Q_EMIT rejected();
    if (self && d->loop)
        d->loop->exit(result);
}

void Dialog::reject()
{
    done(Rejected);
}

void Dialog::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    // The dimmed backdrop; the card paints itself.
    SceneWindow::paint(painter, option, widget);
}

} // namespace Touch
