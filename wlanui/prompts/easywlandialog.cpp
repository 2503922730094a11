#include "wlanui/prompts/easywlandialog.h"

#include "wlanui/prompts/easywlancontent_p.h"

#include "touch/button.h"
#include "touch/widget.h"

namespace Velin {

class EasyWlanDialogPrivate : public EasyWlanContent
{
public:
    EasyWlanDialogPrivate(EasyWlanDialog* q, const QString& ssid)
        : EasyWlanContent(ssid)
        , q(q)
    {
    }

    EasyWlanDialog* const q;
};

EasyWlanDialog::EasyWlanDialog(const QString& ssid, QGraphicsItem* parent)
    : Touch::Dialog(QString(), Touch::Dialog::Ok)
    , d(new EasyWlanDialogPrivate(this, ssid))
{
    if (!ssid.isEmpty())
        setTitle(qtTrId("qtn_conn_connect_to_dialog_title").arg(ssid, 0, QLatin1Char(' ')));
    if (parent)
        setParentItem(parent);
    if (Touch::Button* ok = button(Touch::Dialog::Ok))
        ok->setText(qtTrId("qtn_conn_connect"));
}

EasyWlanDialog::~EasyWlanDialog()
{
    delete d;
}

QString EasyWlanDialog::ssid() const
{
    return d->ssid;
}

void EasyWlanDialog::createContent()
{
    if (d->isBuilt()) {
        qWarning("Velin::EasyWlanDialog::createContent: the content exists already; not built again");
        return;
    }
    setCentralWidget(d->build(configurationWidgets()));
}

QList<Touch::Widget*> EasyWlanDialog::configurationWidgets()
{
    return QList<Touch::Widget*>();
}

void EasyWlanDialog::addItem(QGraphicsWidget* item)
{
    if (!d->isBuilt())
        createContent();
    d->append(item);
}

void EasyWlanDialog::deleteItem(QGraphicsWidget* item)
{
    d->remove(item);
}

} // namespace Velin
