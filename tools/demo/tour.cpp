#include "tour.h"

#include "connectionlistpage.h"
#include "editorpage.h"
#include "frameworkhost.h"

#include "base/dialoghelperwidget.h"
#include "base/drilldownitem.h"
#include "base/simpleinformationbanner.h"
#include "base/simplesheet.h"
#include "net/connectionmodel.h"
#include "net/internetaccesspoint.h"
#include "touch/applicationwindow.h"
#include "touch/button.h"
#include "touch/combobox.h"
#include "touch/textedit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGraphicsScene>
#include <QGraphicsSceneWheelEvent>
#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include <openssl/evp.h>

namespace {

QString fileNamePart(const QString& text)
{
    QString part = text.toLower();
    part.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    return part.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
}

// The 64 hexadecimal digits a WPA-PSK passphrase stands for on a network.
QString pskHex(const QByteArray& passphrase, const QByteArray& ssid)
{
    QByteArray key(32, '\0');
    if (PKCS5_PBKDF2_HMAC_SHA1(passphrase.constData(), passphrase.size(),
                               reinterpret_cast<const unsigned char*>(ssid.constData()), ssid.size(), 4096,
                               key.size(), reinterpret_cast<unsigned char*>(key.data()))
        != 1)
        return QString();
    return QString::fromLatin1(key.toHex());
}

template <typename T>
T* findItem(QGraphicsItem* root, const std::function<bool(T*)>& match)
{
    for (QGraphicsItem* child : root->childItems()) {
        if (T* item = qobject_cast<T*>(child->toGraphicsObject())) {
            if (match(item))
                return item;
        }
        if (T* inner = findItem<T>(child, match))
            return inner;
    }
    return nullptr;
}

// The class of an editor part as a name for its picture.
QString partName(const QObject* part)
{
    return QString::fromLatin1(part->metaObject()->className()).section(QLatin1Char(':'), -1);
}

} // namespace

Tour::Tour(Touch::ApplicationWindow* window, FrameworkHost* host, ConnectionListPage* page,
           const QString& directory, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_host(host)
    , m_page(page)
    , m_directory(directory)
{
}

void Tour::waitFor(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool Tour::waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        waitFor(50);
    }
    return true;
}

bool Tour::shoot(const QString& name)
{
    const QString path = QDir(m_directory).filePath(
        QStringLiteral("%1-%2.png").arg(++m_shots, 2, 10, QLatin1Char('0')).arg(fileNamePart(name)));
    if (!m_window->grabImage().save(path)) {
        std::fprintf(stderr, "Cannot write %s\n", qPrintable(path));
        m_failed = true;
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    std::fflush(stdout);
    return true;
}

bool Tour::act(Touch::SceneWindow* sheet, const QString& action)
{
    const QString verb = action.section(QLatin1Char(' '), 0, 0);
    const QString argument = action.section(QLatin1Char(' '), 1);
    if (verb == QLatin1String("type") || verb == QLatin1String("field")) {
        // "type TEXT" fills the first field, "field NAME TEXT" the named one.
        const QString name = verb == QLatin1String("field") ? argument.section(QLatin1Char(' '), 0, 0) : QString();
        const QString text = verb == QLatin1String("field") ? argument.section(QLatin1Char(' '), 1) : argument;
        auto edit = findItem<Touch::TextEdit>(sheet, [&name](Touch::TextEdit* e) {
            return e->isVisible() && (name.isEmpty() || e->objectName() == name);
        });
        if (!edit)
            return false;
        edit->setFocus();
        // Typed anew, also over a key the key file filled in.
        edit->clear();
        edit->setText(text);
        return true;
    }
    if (verb == QLatin1String("choose")) {
        // "choose TEXT-ID INDEX": the combo box with that title.
        const QString title = qtTrId(argument.section(QLatin1Char(' '), 0, 0).toLatin1().constData());
        auto box = findItem<Touch::ComboBox>(sheet, [&title](Touch::ComboBox* b) { return b->title() == title; });
        if (!box)
            return false;
        box->setCurrentIndex(argument.section(QLatin1Char(' '), 1).toInt());
        return true;
    }
    if (verb == QLatin1String("click") || verb == QLatin1String("accept") || verb == QLatin1String("reject")) {
        const QString name = verb == QLatin1String("accept") ? QStringLiteral("SheetAcceptButton")
            : verb == QLatin1String("reject")                ? QStringLiteral("SheetRejectButton")
                                                             : argument;
        auto button = findItem<Touch::Button>(sheet, [&name](Touch::Button* b) { return b->objectName() == name; });
        if (!button || !button->isEnabled())
            return false;
        // After this handler: the tap may end the sheet's nested loop.
        QMetaObject::invokeMethod(button, "click", Qt::QueuedConnection);
        return true;
    }
    if (verb == QLatin1String("stay"))
        return true;
    return false;
}

bool Tour::play(Touch::SceneWindow* sheet, const QString& actions)
{
    QStringList steps = actions.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (QString& step : steps)
        step = step.trimmed();
    const QString last = steps.isEmpty() ? QStringLiteral("stay") : steps.takeLast();
    bool ok = true;
    for (const QString& step : qAsConst(steps))
        ok = act(sheet, step) && ok;
    waitFor(150);
    shoot(m_flowName + QLatin1Char(' ') + QString::fromLatin1(sheet->metaObject()->className()).section(':', -1));
    ok = ok && act(sheet, last);
    // Never left waiting on a sheet the walk could not finish.
    if (!ok)
        QMetaObject::invokeMethod(sheet, "reject", Qt::QueuedConnection);
    return ok;
}

void Tour::runFlow(const Flow& flow)
{
    m_flowName = flow.name;
    FrameworkHost::Entry entry;
    bool found = false;
    const QList<FrameworkHost::Entry> entries = m_host->entries();
    for (const FrameworkHost::Entry& candidate : entries) {
        if (candidate.label == flow.entry) {
            entry = candidate;
            found = true;
            break;
        }
    }
    if (!found) {
        std::fprintf(stderr, "Tour: no entry \"%s\" for %s\n", qPrintable(flow.entry), qPrintable(flow.name));
        m_failed = true;
        return;
    }

    QStringList sheets = flow.sheets;
    QSet<Touch::SceneWindow*> handled;
    QTimer watcher;
    watcher.setInterval(100);
    connect(&watcher, &QTimer::timeout, this, [&] {
        Touch::SceneWindow* top = m_window->currentSceneWindow();
        if (!top || top == m_page || handled.contains(top) || top->sceneWindowState() != Touch::SceneWindow::Appeared)
            return;
        handled.insert(top);
        connect(top, &Touch::SceneWindow::disappearing, this, [&handled, top] { handled.remove(top); });
        if (sheets.isEmpty()) {
            std::fprintf(stderr, "Tour: %s: an unexpected sheet; cancelled\n", qPrintable(flow.name));
            m_failed = true;
            QMetaObject::invokeMethod(top, "reject", Qt::QueuedConnection);
            return;
        }
        if (!play(top, sheets.takeFirst())) {
            std::fprintf(stderr, "Tour: %s: a step could not be done\n", qPrintable(flow.name));
            m_failed = true;
        }
    });
    watcher.start();
    m_host->activate(entry);
    // Sheets that stay after the preparation (the WPS PIN) and the outcome.
    waitUntil([&] { return sheets.isEmpty(); }, 5000);
    const bool done = waitUntil([&] { return !m_host->isBusy() && m_host->status() == flow.outcome; }, 30000);
    watcher.stop();
    if (!sheets.isEmpty() || !done) {
        std::fprintf(stderr, "Tour: %s ended with \"%s\"\n", qPrintable(flow.name), qPrintable(m_host->status()));
        m_failed = true;
    }
    waitFor(400);
    shoot(flow.name + QStringLiteral(" done"));
}

void Tour::forgetSavedNetworks(const QString& only)
{
    const QStringList saved = m_host->savedIds();
    for (const QString& id : saved) {
        if (only.isEmpty() || id == only)
            Velin::InternetAccessPoint::loadSaved(id).forget();
    }
    m_host->model()->refresh();
    waitFor(300);
}

int Tour::run()
{
    if (!QDir().mkpath(m_directory)) {
        std::fprintf(stderr, "Cannot create %s\n", qPrintable(m_directory));
        return 1;
    }
    // The first scan, and the automatic connection it may start.
    waitUntil([this] { return m_host->hasScanned(); }, 15000);
    waitFor(300);
    waitUntil([this] { return !m_host->isBusy(); }, 8000);
    waitFor(400);
    shoot(QStringLiteral("connection list"));

    // Every flow prepares: nothing is saved to start with.
    forgetSavedNetworks();
    shoot(QStringLiteral("connection list, nothing saved"));

    const QString other = qtTrId("qtn_conn_other");
    const QString connected = QStringLiteral("Connected to %1");
    const QString notConnected = QStringLiteral("%1: not connected");
    const QList<Flow> flows = {
        {QStringLiteral("open"), QStringLiteral("Cafe Aurora"), {}, connected.arg(QStringLiteral("Cafe Aurora"))},
        {QStringLiteral("ad hoc"), QStringLiteral("Picnic"), {}, connected.arg(QStringLiteral("Picnic"))},
        // The key file fills the field; the user confirms by typing it.
        {QStringLiteral("WEP"), QStringLiteral("Library"), {QStringLiteral("type a1b2c3d4e5; accept")},
         connected.arg(QStringLiteral("Library"))},
        {QStringLiteral("WPA-EAP"), QStringLiteral("Campus"),
         {QStringLiteral("choose qtn_conn_eap_type 1; choose qtn_conn_eap_method 0; field UserNameEdit student; "
                         "field PasswordEdit campus-password; accept")},
         connected.arg(QStringLiteral("Campus"))},
        {QStringLiteral("WAPI key"), QStringLiteral("Teahouse"),
         {QStringLiteral("field WapiPskEdit teahouse-key; accept")}, connected.arg(QStringLiteral("Teahouse"))},
        {QStringLiteral("WAPI certificates"), QStringLiteral("Tower"),
         {QStringLiteral("choose qtn_conn_select_root_cert 1; choose qtn_conn_select_client_cert 1; accept")},
         connected.arg(QStringLiteral("Tower"))},
        {QStringLiteral("hidden network cancelled"), other, {QStringLiteral("type Lab; reject")},
         notConnected.arg(other)},
        {QStringLiteral("hidden network not found then found"), other,
         {QStringLiteral("type Nowhere; accept"), QStringLiteral("type Lab; accept"),
          QStringLiteral("type lab-passphrase; accept")},
         connected.arg(QStringLiteral("Lab"))},
        {QStringLiteral("WPS push button"), QStringLiteral("Office"),
         {QStringLiteral("click NormalMethodButton"), QStringLiteral("accept")}, connected.arg(QStringLiteral("Office"))},
        {QStringLiteral("WPS PIN"), QStringLiteral("Office"), {QStringLiteral("click PinMethodButton"),
                                                               QStringLiteral("stay")},
         connected.arg(QStringLiteral("Office"))},
        {QStringLiteral("WPS skipped, 64-digit key"), QStringLiteral("Office"),
         {QStringLiteral("click SkipButton"), QStringLiteral("type ") + pskHex("office-passphrase", "Office")
                                                   + QStringLiteral("; accept")},
         connected.arg(QStringLiteral("Office"))},
    };
    for (const Flow& flow : flows) {
        runFlow(flow);
        // WPS saved the network it set up: the next WPS flow prepares again.
        if (flow.name == QLatin1String("WPS push button") || flow.name == QLatin1String("WPS PIN"))
            forgetSavedNetworks(flow.entry);
    }

    waitFor(300);
    shoot(QStringLiteral("connection list after"));

    // What the flows saved, one editor after another.
    QStringList saved = m_host->savedIds();
    std::sort(saved.begin(), saved.end());
    if (saved.size() < 8) {
        std::fprintf(stderr, "Tour: the flows saved only %s\n", qPrintable(saved.join(QStringLiteral(", "))));
        m_failed = true;
    }
    for (const QString& id : qAsConst(saved))
        tourEditor(id);
    tourRefusedSave(QStringLiteral("Lab"));
    return m_failed ? 1 : 0;
}

EditorPage* Tour::openEditor(const QString& id)
{
    // A banner of the last screen must not appear in this one's pictures.
    waitUntil([] { return Velin::SimpleInformationBanner::shownBanners().isEmpty(); }, 5000);
    // What a tap on the saved network's edit action asks for.
    QMetaObject::invokeMethod(m_page, "editRequested", Q_ARG(QString, id));
    EditorPage* page = nullptr;
    waitUntil([&] {
        page = qobject_cast<EditorPage*>(m_window->currentSceneWindow());
        return page && page->sceneWindowState() == Touch::SceneWindow::Appeared;
    }, 3000);
    if (!page || page->sceneWindowState() != Touch::SceneWindow::Appeared) {
        std::fprintf(stderr, "Tour: no editor for %s\n", qPrintable(id));
        m_failed = true;
        return nullptr;
    }
    waitFor(200);
    return page;
}

bool Tour::leave(Velin::SimpleSheet* sheet, bool accept)
{
    QPointer<Velin::SimpleSheet> guard(sheet);
    if (!act(sheet, accept ? QStringLiteral("accept") : QStringLiteral("reject")))
        return false;
    return waitUntil([&] {
        return !guard || guard->sceneWindowState() == Touch::SceneWindow::Disappeared;
    }, 3000);
}

bool Tour::panTo(Velin::SimpleSheet* sheet, QGraphicsItem* item)
{
    auto viewport = findItem<QGraphicsWidget>(
        sheet, [](QGraphicsWidget* w) { return w->objectName() == QLatin1String("SheetViewport"); });
    if (!viewport || !viewport->scene())
        return false;
    const auto shown = [viewport, item] { return viewport->mapRectFromItem(item, item->boundingRect()); };
    const auto wheel = [viewport](int delta) {
        QGraphicsSceneWheelEvent event(QEvent::GraphicsSceneWheel);
        event.setOrientation(Qt::Vertical);
        event.setDelta(delta);
        event.setPos(viewport->rect().center());
        event.setScenePos(viewport->mapToScene(viewport->rect().center()));
        viewport->scene()->sendEvent(viewport, &event);
    };
    const qreal height = viewport->size().height();
    const QRectF before = shown();
    // Up until the top is in sight; down until the bottom is, never past
    // the top of an item taller than the screen.
    const bool up = before.top() < 0;
    for (int step = 0; step < 40; ++step) {
        const QRectF now = shown();
        if (up ? now.top() >= 0 : now.bottom() <= height)
            break;
        wheel(up ? 120 : -120);
        const QRectF next = shown();
        if (next == now)
            break; // the end of the pan range
        if (!up && next.top() < 0) {
            wheel(120);
            break;
        }
    }
    const bool panned = shown() != before;
    if (panned)
        waitFor(100);
    return panned;
}

void Tour::tourEditor(const QString& id)
{
    EditorPage* page = openEditor(id);
    if (!page)
        return;
    shoot(id + QStringLiteral(" editor main page"));
    // The page shows the network as it was saved: its mode and its security.
    const bool adhoc = Velin::InternetAccessPoint::loadSaved(id).type() == QLatin1String("WLAN_ADHOC");
    const QString modeTitle = qtTrId("qtn_conn_network_mode");
    auto mode = findItem<Touch::ComboBox>(page, [&modeTitle](Touch::ComboBox* box) {
        return box->isVisible() && box->title() == modeTitle;
    });
    auto method = findItem<Touch::ComboBox>(
        page, [](Touch::ComboBox* box) { return box->objectName() == QLatin1String("SecurityCombo"); });
    if ((adhoc && !mode) || (mode && mode->currentIndex() != (adhoc ? 1 : 0)) || !method
        || method->currentIndex() < 0) {
        std::fprintf(stderr, "Tour: %s: the editor shows another network mode or no security method\n",
                     qPrintable(id));
        m_failed = true;
    }
    // The security section, for a page longer than the screen.
    QGraphicsWidget* security = findItem<QGraphicsWidget>(
        page, [](QGraphicsWidget* w) { return partName(w) == QLatin1String("WlanSecurityWidget"); });
    // With the section's title.
    for (QGraphicsWidget* frame = security; frame; frame = frame->parentWidget()) {
        if (partName(frame) == QLatin1String("SimpleFrame")) {
            security = frame;
            break;
        }
    }
    if (!security) {
        std::fprintf(stderr, "Tour: %s: no security section on the main page\n", qPrintable(id));
        m_failed = true;
    } else if (panTo(page, security)) {
        shoot(id + QStringLiteral(" editor main page, security"));
    }

    const QString advancedTitle = qtTrId("qtn_conn_advanced");
    auto advanced = findItem<Velin::DrillDownItem>(
        page, [&advancedTitle](Velin::DrillDownItem* item) { return item->title() == advancedTitle; });
    if (!advanced) {
        std::fprintf(stderr, "Tour: %s: no advanced entry\n", qPrintable(id));
        m_failed = true;
    } else {
        panTo(page, advanced);
        QMetaObject::invokeMethod(advanced, "click", Qt::QueuedConnection);
        Velin::SimpleSheet* pages = nullptr;
        waitUntil([&] {
            pages = page->advancedPage();
            return pages && pages->sceneWindowState() == Touch::SceneWindow::Appeared;
        }, 1500);
        if (!pages) {
            // The editor has nothing to set for this network.
            std::printf("Tour: %s has no advanced settings\n", qPrintable(id));
        } else {
            waitFor(200);
            shoot(id + QStringLiteral(" advanced page"));
            // Each further part of a long page, panned into sight.
            auto helper = findItem<Velin::DialogHelperWidget>(pages, [](Velin::DialogHelperWidget*) { return true; });
            QList<QGraphicsWidget*> parts;
            if (helper && helper->panel()) {
                for (QGraphicsItem* child : helper->panel()->childItems()) {
                    if (child->isWidget() && child->isVisible())
                        parts << static_cast<QGraphicsWidget*>(child);
                }
            }
            std::sort(parts.begin(), parts.end(),
                      [](QGraphicsWidget* a, QGraphicsWidget* b) { return a->y() < b->y(); });
            for (QGraphicsWidget* part : qAsConst(parts)) {
                if (panTo(pages, part))
                    shoot(id + QStringLiteral(" advanced page, ") + partName(part));
            }
            // Back: nothing changed is kept.
            if (!leave(pages, false)) {
                std::fprintf(stderr, "Tour: %s: the advanced pages did not go back\n", qPrintable(id));
                m_failed = true;
            }
            waitFor(200);
        }
    }
    if (!leave(page, false)) {
        std::fprintf(stderr, "Tour: %s: the editor did not close\n", qPrintable(id));
        m_failed = true;
    }
    waitFor(300);
}

void Tour::tourRefusedSave(const QString& id)
{
    EditorPage* page = openEditor(id);
    if (!page)
        return;
    // A passphrase is there, so Save can be tapped, but it is too short.
    if (!act(page, QStringLiteral("field WpaPskEdit short")) || !act(page, QStringLiteral("accept"))) {
        std::fprintf(stderr, "Tour: %s: Save could not be tapped with a short passphrase\n", qPrintable(id));
        m_failed = true;
    }
    if (!waitUntil([] { return !Velin::SimpleInformationBanner::shownBanners().isEmpty(); }, 2000)) {
        std::fprintf(stderr, "Tour: %s: a short passphrase was not refused\n", qPrintable(id));
        m_failed = true;
    }
    waitFor(300);
    shoot(id + QStringLiteral(" editor, short passphrase refused"));
    if (!leave(page, false)) {
        std::fprintf(stderr, "Tour: %s: the editor did not close\n", qPrintable(id));
        m_failed = true;
    }
    waitFor(300);
}
