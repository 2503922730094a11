#include "connectionlistpage.h"

#include "frameworkhost.h"

#include "base/connectionlistitem.h"
#include "base/dialoghelperwidget.h"
#include "base/dividerheader.h"
#include "base/drilldownitem.h"
#include "touch/button.h"
#include "touch/label.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QTimer>

ConnectionListPage::ConnectionListPage(FrameworkHost* host, QGraphicsItem* parent)
    : Velin::SimpleSheet(parent)
    , m_host(host)
{
    setObjectName(QStringLiteral("ConnectionListPage"));
    setTitle(tr("WLAN networks"));
    setAcceptLabel(QString());
    setRejectLabel(QString());
    connect(host, &FrameworkHost::entriesChanged, this, [this] {
        // Coalesced: a scan changes many rows at once.
        if (m_rebuildPending)
            return;
        m_rebuildPending = true;
        QTimer::singleShot(0, this, &ConnectionListPage::rebuild);
    });
    connect(host, &FrameworkHost::statusChanged, this, &ConnectionListPage::updateStatus);
    rebuild();
}

void ConnectionListPage::updateStatus()
{
    if (m_status)
        m_status->setText(m_host->status());
    setProgressIndicatorVisible(m_host->isBusy() || m_host->status().endsWith(QChar(0x2026)));
}

void ConnectionListPage::rebuild()
{
    m_rebuildPending = false;
    auto panel = new Touch::Widget;
    auto policy = new Touch::LinearLayoutPolicy(new Touch::Layout(panel), Qt::Vertical);

    m_status = new Touch::Label;
    m_status->setObjectName(QStringLiteral("HostStatus"));
    m_status->setStyleName(QStringLiteral("CommonSubText"));
    m_status->setWordWrap(true);
    policy->addItem(m_status);

    const QList<FrameworkHost::Entry> entries = m_host->entries();
    for (const FrameworkHost::Entry& entry : entries) {
        auto item = new Velin::ConnectionListItem(QStringLiteral("ImageCellSecurity"));
        item->setObjectName(QStringLiteral("Network:") + entry.label);
        item->setLabel(entry.label);
        item->setTypeImageName(entry.bearerIcon);
        item->setSecurityImageName(entry.securityIcon);
        if (!entry.fixed) {
            QStringList notes;
            if (QString::fromUtf8(entry.result.id()) == m_host->connectedId())
                notes << tr("Connected");
            if (entry.result.isSaved())
                notes << tr("Saved");
            if (!entry.result.isFound())
                notes << tr("Not in range");
            item->setSubtitle(notes.join(QStringLiteral(" · ")));
        }
        connect(item, &Velin::ConnectionListItem::clicked, m_host,
                [host = m_host, entry] { host->activate(entry); }, Qt::QueuedConnection);
        policy->addItem(item);
    }

    const QStringList saved = m_host->savedIds();
    if (!saved.isEmpty()) {
        policy->addItem(new Velin::DividerHeader(tr("Saved networks")));
        for (const QString& id : saved) {
            auto item = new Velin::DrillDownItem(tr("Edit %1").arg(id));
            item->setObjectName(QStringLiteral("Edit:") + id);
            connect(item, &Velin::DrillDownItem::clicked, this, [this, id] { Q_EMIT editRequested(id); },
                    Qt::QueuedConnection);
            policy->addItem(item);
        }
    }

    auto scan = new Touch::Button(tr("Scan again"));
    scan->setObjectName(QStringLiteral("ScanButton"));
    scan->setStyleName(QStringLiteral("CommonSingleButton"));
    connect(scan, &Touch::Button::clicked, m_host, &FrameworkHost::scan, Qt::QueuedConnection);
    policy->addItem(scan, Qt::AlignHCenter);

    setContent(new Velin::DialogHelperWidget(panel));
    updateStatus();
}
