// Small helpers shared by the credential prompt suites.
#pragma once

#include "windowfixture.h"

#include "base/dialoghelperwidget.h"
#include "base/simpleinformationbanner.h"
#include "touch/layout.h"
#include "touch/applicationwindow.h"
#include "touch/linearlayoutpolicy.h"
#include "touch/textedit.h"

#include <QGraphicsWidget>
#include <QPointer>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QTranslator>

namespace PromptsTest {

// Every descendant item of root that is a T, depth first.
template <typename T>
QList<T*> itemsOfType(const QGraphicsItem* root)
{
    QList<T*> found;
    if (!root)
        return found;
    const QList<QGraphicsItem*> children = root->childItems();
    for (QGraphicsItem* child : children) {
        if (QGraphicsObject* object = child->toGraphicsObject()) {
            if (T* match = qobject_cast<T*>(object))
                found.append(match);
        }
        found += itemsOfType<T>(child);
    }
    return found;
}

template <typename T>
T* itemOfType(const QGraphicsItem* root)
{
    const QList<T*> all = itemsOfType<T>(root);
    return all.isEmpty() ? nullptr : all.first();
}

// The widgets a panel stacks in its active policy, top to bottom.
inline QList<QGraphicsWidget*> stacked(const QGraphicsWidget* panel)
{
    QList<QGraphicsWidget*> widgets;
    auto layout = panel ? dynamic_cast<Touch::Layout*>(panel->layout()) : nullptr;
    if (!layout || !layout->policy())
        return widgets;
    Touch::LinearLayoutPolicy* policy = layout->policy();
    for (int i = 0; i < policy->count(); ++i) {
        QGraphicsLayoutItem* item = policy->itemAt(i);
        if (item && item->graphicsItem() && item->graphicsItem()->isWidget())
            widgets.append(static_cast<QGraphicsWidget*>(item->graphicsItem()));
    }
    return widgets;
}

// The widgets a sheet or dialog content stacks (content wrapped in a
// DialogHelperWidget, as the prompts install it).
inline QList<QGraphicsWidget*> contentWidgets(QGraphicsWidget* content)
{
    auto helper = qobject_cast<Velin::DialogHelperWidget*>(content);
    return helper ? stacked(helper->panel()) : QList<QGraphicsWidget*>();
}

// Ends every banner on screen now instead of after its 3 s; true once they
// are all destroyed.
inline bool expireBanners()
{
    QList<QPointer<QObject>> banners;
    const QList<QObject*> shown = Velin::SimpleInformationBanner::shownBanners();
    for (QObject* banner : shown) {
        auto timer = banner->findChild<QTimer*>(QStringLiteral("SimpleInformationBannerTimer"));
        if (!timer)
            return false;
        timer->start(0);
        banners.append(banner);
    }
    return QTest::qWaitFor([&] {
        for (const QPointer<QObject>& banner : qAsConst(banners)) {
            if (banner)
                return false;
        }
        return true;
    });
}

inline void deleteBanners()
{
    const QList<QObject*> shown = Velin::SimpleInformationBanner::shownBanners();
    for (QObject* banner : shown)
        delete banner;
}

// Like WindowFixture::typeText(), also for characters that have no key of
// their own on the test keyboard (they arrive as key events carrying the
// character, as from a virtual keyboard).
inline bool typeKeys(WindowFixture& fx, Touch::TextEdit* edit, const QString& text)
{
    if (!fx.typeText(edit, QString()))
        return false;
    for (const QChar ch : text) {
        if (ch.unicode() >= 0x20 && ch.unicode() < 0x7F) {
            QTest::keyClick(fx.window(), ch.toLatin1());
        } else {
            const Qt::Key key = ch.unicode() <= 0xFF ? Qt::Key(ch.toUpper().unicode()) : Qt::Key_unknown;
            QTest::sendKeyEvent(QTest::Press, fx.window(), key, QString(ch), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, fx.window(), key, QString(ch), Qt::NoModifier);
        }
    }
    return true;
}

// Collects every message of Qt's log channels while alive.
class LogCapture
{
public:
    LogCapture()
    {
        messages().clear();
        m_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(m_previous); }

    static QStringList& messages()
    {
        static QStringList all;
        return all;
    }

    // True when no captured message contains any of the texts.
    static bool mentionsNone(const QStringList& texts)
    {
        for (const QString& message : qAsConst(messages())) {
            for (const QString& text : texts) {
                if (!text.isEmpty() && message.contains(text))
                    return false;
            }
        }
        return true;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        messages().append(message);
    }

    QtMessageHandler m_previous = nullptr;
};

// Gives the ids with a placeholder an English text, so that what is filled
// in can be seen; every other id stays untranslated (the id itself).
class PlaceholderCatalogue : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(context)
        Q_UNUSED(disambiguation)
        Q_UNUSED(n)
        if (qstrcmp(sourceText, "qtn_conn_connect_to_dialog_title") == 0)
            return QStringLiteral("Connect to %1");
        if (qstrcmp(sourceText, "qtn_conn_username_username") == 0)
            return QStringLiteral("User name: %1");
        return QString();
    }
    bool isEmpty() const override { return false; }
};

} // namespace PromptsTest
