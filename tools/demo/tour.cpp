#include "tour.h"

#include "connectionlistpage.h"
#include "frameworkhost.h"

#include "base/simplesheet.h"
#include "touch/applicationwindow.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMetaObject>
#include <QPointer>
#include <QRegularExpression>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString fileNamePart(const QString& text)
{
    QString part = text.toLower();
    part.replace(QRegularExpression(QStringLiteral("[^a-z0-9]+")), QStringLiteral("-"));
    return part.remove(QRegularExpression(QStringLiteral("^-+|-+$")));
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

void Tour::photographSheetsDuring(const QString& name, const std::function<void()>& action)
{
    int sheetNumber = 0;
    QTimer watcher;
    watcher.setInterval(400);
    QPointer<Touch::SceneWindow> last;
    connect(&watcher, &QTimer::timeout, this, [&] {
        Touch::SceneWindow* top = m_window->currentSceneWindow();
        if (!top || top == m_page || top == last || top->sceneWindowState() != Touch::SceneWindow::Appeared)
            return;
        last = top;
        shoot(QStringLiteral("%1 %2").arg(name).arg(++sheetNumber));
        // Cancel, the way a user backs out; the plug-in then goes on or stops.
        if (auto sheet = qobject_cast<Velin::SimpleSheet*>(top))
            QMetaObject::invokeMethod(sheet, "reject", Qt::QueuedConnection);
        else
            top->disappear();
    });
    watcher.start();
    action();
    watcher.stop();
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

    const QList<FrameworkHost::Entry> entries = m_host->entries();
    for (const FrameworkHost::Entry& entry : entries) {
        if (!entry.fixed && entry.result.isSaved())
            continue;  // saved ones connect at once: the editor shows them below
        photographSheetsDuring(entry.label, [this, entry] { m_host->activate(entry); });
        waitUntil([this] { return !m_host->isBusy(); }, 8000);
    }

    const QStringList saved = m_host->savedIds();
    for (const QString& id : saved) {
        photographSheetsDuring(QStringLiteral("edit %1").arg(id), [this, id] {
            QMetaObject::invokeMethod(m_page, "editRequested", Q_ARG(QString, id));
            waitFor(600);
        });
    }

    waitFor(300);
    shoot(QStringLiteral("connection list after"));
    return m_failed ? 1 : 0;
}
