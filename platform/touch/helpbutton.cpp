#include "touch/helpbutton.h"

#include "touch/applicationwindow.h"
#include "touch/dialog.h"
#include "touch/label.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPointer>

namespace Touch {

class HelpButtonPrivate
{
public:
    QString helpText;
    QPointer<Dialog> dialog;
};

HelpButton::HelpButton(const QString& helpText, QGraphicsItem* parent)
    : Button(QString(), parent)
    , d(new HelpButtonPrivate)
{
    d->helpText = helpText;
    setDefaultStyleName(QStringLiteral("HelpButton"));
    setViewType(QString::fromLatin1(IconType));
    setIconID(QStringLiteral("icon-m-common-help"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &Button::clicked, this, &HelpButton::showHelp);
}

HelpButton::~HelpButton()
{
    delete d;
}

QString HelpButton::helpText() const
{
    return d->helpText;
}

void HelpButton::setHelpText(const QString& helpText)
{
    d->helpText = helpText;
}

Dialog* HelpButton::helpDialog() const
{
    return d->dialog;
}

void HelpButton::showHelp()
{
    if (d->dialog)
        return;   // one at a time
    ApplicationWindow* window = nullptr;
    if (QGraphicsScene* s = scene()) {
        const QList<QGraphicsView*> views = s->views();
        for (QGraphicsView* view : views) {
            if ((window = qobject_cast<ApplicationWindow*>(view)))
                break;
        }
    }
    auto* dialog = new Dialog(QString(), Dialog::Ok);
    dialog->setObjectName(QStringLiteral("HelpDialog"));
    auto* text = new Label(d->helpText);
    text->setWordWrap(true);
    dialog->setCentralWidget(text);
    d->dialog = dialog;
    // Not exec(): the caller's code goes on; the dialog deletes itself when closed.
    dialog->appear(window, SceneWindow::DestroyWhenDone);
}

} // namespace Touch
