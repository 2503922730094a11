// Plays the user on the sheets a connection preparation shows, through an
// offscreen window: real clicks and typed keys.
#pragma once

#include "platformsimfixture.h"
#include "windowfixture.h"

#include "touch/applicationwindow.h"
#include "touch/combobox.h"
#include "touch/scenewindow.h"
#include "touch/textedit.h"

#include <QGraphicsWidget>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QtTest>

#include <functional>

// Plays the user: each sheet that appears on the window takes the next
// entry of the script, "SheetClass: action; action", and its actions run
// through the window. An unexpected sheet is cancelled and noted.
class SheetUser : public QObject
{
public:
    SheetUser(WindowFixture* fx, PlatformSimFixture* sim, const QStringList& script)
        : m_fx(fx)
        , m_sim(sim)
        , m_script(script)
    {
        connect(&m_timer, &QTimer::timeout, this, &SheetUser::look);
        m_timer.start(10);
    }

    QStringList seen;
    QStringList failures;
    // Verbs of the suite's own.
    std::function<bool(const QString& verb, const QString& argument)> extraAction;
    bool done() const { return m_script.isEmpty(); }

private:
    void look()
    {
        Touch::SceneWindow* top = m_fx->window()->currentSceneWindow();
        if (!top || top->sceneWindowState() != Touch::SceneWindow::Appeared || m_handled.contains(top))
            return;
        m_handled.insert(top);
        connect(top, &Touch::SceneWindow::disappearing, this, [this, top] { m_handled.remove(top); });

        QString name = QString::fromLatin1(top->metaObject()->className()).remove(QStringLiteral("Velin::"));
        if (name == QLatin1String("WapiSheet"))
            name += top->property("sheetType").toInt() ? "(Certificate)" : "(PreSharedKey)";
        seen << name;
        const QString entry = m_script.isEmpty() ? QString() : m_script.takeFirst();
        if (entry.section(':', 0, 0) != name) {
            failures << "unexpected " + name;
            QMetaObject::invokeMethod(top, "reject");
            return;
        }
        const QStringList actions = entry.section(':', 1).split(';', Qt::SkipEmptyParts);
        for (const QString& action : actions) {
            if (!act(top, action.trimmed()))
                failures << name + ": " + action.trimmed();
        }
    }

    bool act(Touch::SceneWindow* sheet, const QString& action)
    {
        const QString verb = action.section(' ', 0, 0);
        const QString argument = action.section(' ', 1);
        if (verb == "type")
            return m_fx->typeText(firstEdit(sheet), argument);
        if (verb == "field")
            return m_fx->typeText(m_fx->find<Touch::TextEdit>(argument.section(' ', 0, 0), sheet),
                                  argument.section(' ', 1));
        if (verb == "clear") {
            if (!m_fx->typeText(firstEdit(sheet), QString()))
                return false;
            m_fx->keyClick(Qt::Key_A, Qt::ControlModifier);
            m_fx->keyClick(Qt::Key_Backspace);
            return firstEdit(sheet)->text().isEmpty();
        }
        if (verb == "click" || verb == "accept" || verb == "reject") {
            const QString name = verb == "accept" ? "SheetAcceptButton"
                : verb == "reject"                ? "SheetRejectButton"
                                                  : argument;
            QGraphicsWidget* button = m_fx->findWidget(name, sheet);
            return button && m_fx->click(button);
        }
        if (verb == "choose")
            return choose(sheet, argument.section(' ', 0, 0), argument.section(' ', 1).toInt());
        if (verb == "destroy") {
            sheet->deleteLater();
            return true;
        }
        if (verb == "scanmode")
            return m_sim && m_sim->setScanMode(argument);
        if (verb == "failnext")
            return m_sim && m_sim->failNextConnection(argument);
        if (verb == "scandelay")
            return m_sim && m_sim->setScanDelay(argument.toUInt());
        if (verb == "wait") {
            QTest::qWait(argument.toInt());
            return true;
        }
        return extraAction && extraAction(verb, argument);
    }

    static bool choose(QGraphicsItem* root, const QString& title, int index)
    {
        for (QGraphicsItem* child : root->childItems()) {
            if (auto box = qobject_cast<Touch::ComboBox*>(child->toGraphicsObject())) {
                if (box->title() == title) {
                    box->setCurrentIndex(index);
                    return true;
                }
            }
            if (choose(child, title, index))
                return true;
        }
        return false;
    }

    static Touch::TextEdit* firstEdit(QGraphicsItem* root)
    {
        for (QGraphicsItem* child : root->childItems()) {
            if (auto edit = qobject_cast<Touch::TextEdit*>(child->toGraphicsObject())) {
                if (edit->isVisible() && edit->isEnabled())
                    return edit;
            }
            if (Touch::TextEdit* inner = firstEdit(child))
                return inner;
        }
        return nullptr;
    }

    WindowFixture* m_fx;
    PlatformSimFixture* m_sim;
    QStringList m_script;
    QTimer m_timer;
    QSet<Touch::SceneWindow*> m_handled;
};

// Warnings, collected while alive.
class Warnings
{
public:
    Warnings()
    {
        all().clear();
        m_previous = qInstallMessageHandler(&Warnings::handle);
    }
    ~Warnings() { qInstallMessageHandler(m_previous); }
    int count(const QString& text) const
    {
        int n = 0;
        for (const QString& line : qAsConst(all()))
            n += line.contains(text) ? 1 : 0;
        return n;
    }
    static QStringList& all()
    {
        static QStringList lines;
        return lines;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext&, const QString& message)
    {
        if (type == QtWarningMsg)
            all() << message;
    }
    QtMessageHandler m_previous = nullptr;
};

