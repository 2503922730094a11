#include "wlanui/prompts/easywlansheet.h"

#include "wlanui/prompts/easywlancontent_p.h"

#include "touch/widget.h"

namespace Velin {

class EasyWlanSheetPrivate : public EasyWlanContent
{
public:
    EasyWlanSheetPrivate(EasyWlanSheet* q, const QString& ssid)
        : EasyWlanContent(ssid)
        , q(q)
    {
    }

    EasyWlanSheet* const q;
};

EasyWlanSheet::EasyWlanSheet(const QString& ssid)
    : SimpleSheet()
    , d(new EasyWlanSheetPrivate(this, ssid))
{
    setTitle(qtTrId("qtn_conn_sic_title"));
    setAcceptLabel(qtTrId("qtn_conn_connect"));
    setRejectLabel(qtTrId("qtn_comm_cancel"));
}

EasyWlanSheet::~EasyWlanSheet()
{
    delete d;
}

QString EasyWlanSheet::ssid() const
{
    return d->ssid;
}

void EasyWlanSheet::createContent()
{
    if (d->isBuilt()) {
        qWarning("Velin::EasyWlanSheet::createContent: the content exists already; not built again");
        return;
    }
    setContent(d->build(configurationWidgets()));
}

QList<Touch::Widget*> EasyWlanSheet::configurationWidgets()
{
    return QList<Touch::Widget*>();
}

void EasyWlanSheet::addItem(QGraphicsWidget* item)
{
    if (!d->isBuilt())
        createContent();
    d->append(item);
}

void EasyWlanSheet::deleteItem(QGraphicsWidget* item)
{
    d->remove(item);
}

} // namespace Velin
