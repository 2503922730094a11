#include "touchtesthelpers.h"

#include "touch/button.h"
#include "touch/dialog.h"
#include "touch/helpbutton.h"
#include "touch/label.h"

#include <QPainter>
#include <QRegularExpression>
#include <QScopedPointer>

using Touch::Button;

class TstButton : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void click_data();
    void click();
    void setCheckedNeverClicks_data();
    void setCheckedNeverClicks();
    void checkingANonCheckableButton();
    void tapThroughView();
    void pressInsideReleaseOutside();
    void keyboard_data();
    void keyboard();
    void disabledButtonIgnoresClicks();
    void slotDeletingTheButton();
    void viewTypesLookDifferent();
    void helpButtonShowsHelpWithoutBlocking();

private:
    QScopedPointer<Touch::ApplicationWindow> m_window;
    QPointer<Button> m_button;
};

void TstButton::init()
{
    m_window.reset(new Touch::ApplicationWindow);
    QVERIFY(TouchTest::showActive(m_window.data()));
    m_button = new Button(QStringLiteral("Connect"));
    TouchTest::appearSheet(m_window.data(), {m_button});
}

void TstButton::cleanup()
{
    m_window.reset();
}

void TstButton::click_data()
{
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<bool>("initiallyChecked");
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("finallyChecked");

    QTest::newRow("plain") << false << false << 1 << false;
    QTest::newRow("checkable, off to on") << true << false << 1 << true;
    QTest::newRow("checkable, on to off") << true << true << 1 << false;
    QTest::newRow("checkable, twice") << true << false << 2 << false;
    QTest::newRow("checkable, three times") << true << true << 3 << false;
}

void TstButton::click()
{
    QFETCH(bool, checkable);
    QFETCH(bool, initiallyChecked);
    QFETCH(int, clicks);
    QFETCH(bool, finallyChecked);

    m_button->setCheckable(checkable);
    if (initiallyChecked)
        m_button->setChecked(true);
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    QSignalSpy toggled(m_button.data(), &Button::toggled);
    // toggled() comes before clicked(), with the new state.
    QList<QString> order;
    connect(m_button.data(), &Button::toggled, this, [&](bool on) { order << QStringLiteral("toggled %1").arg(on); });
    connect(m_button.data(), &Button::clicked, this, [&] { order << QStringLiteral("clicked"); });

    for (int i = 0; i < clicks; ++i)
        m_button->click();

    QCOMPARE(clicked.count(), clicks);
    QCOMPARE(toggled.count(), checkable ? clicks : 0);
    QCOMPARE(m_button->isChecked(), finallyChecked);
    QCOMPARE(m_button->property("checked").toBool(), finallyChecked);
    if (checkable) {
        QCOMPARE(order.first(), QStringLiteral("toggled %1").arg(!initiallyChecked));
        QCOMPARE(order.at(1), QStringLiteral("clicked"));
    }
}

void TstButton::setCheckedNeverClicks_data()
{
    QTest::addColumn<bool>("from");
    QTest::addColumn<bool>("to");

    QTest::newRow("off to on") << false << true;
    QTest::newRow("on to off") << true << false;
    QTest::newRow("on to on") << true << true;
    QTest::newRow("off to off") << false << false;
}

void TstButton::setCheckedNeverClicks()
{
    QFETCH(bool, from);
    QFETCH(bool, to);

    m_button->setViewType(QString::fromLatin1(Button::SwitchType));
    m_button->setCheckable(true);
    m_button->setChecked(from);
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    QSignalSpy toggled(m_button.data(), &Button::toggled);
    m_button->setChecked(to);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(toggled.count(), from == to ? 0 : 1);
    if (from != to)
        QCOMPARE(toggled.first().first().toBool(), to);
}

void TstButton::checkingANonCheckableButton()
{
    QSignalSpy toggled(m_button.data(), &Button::toggled);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("not checkable"));
    m_button->setChecked(true);
    QVERIFY(!m_button->isChecked());
    QCOMPARE(toggled.count(), 0);
}

void TstButton::tapThroughView()
{
    m_button->setCheckable(true);
    QSignalSpy pressed(m_button.data(), &Button::pressed);
    QSignalSpy released(m_button.data(), &Button::released);
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    TouchTest::tap(m_window.data(), m_button);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(released.count(), 1);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(m_button->isChecked());
    QVERIFY(!m_button->isDown());
}

void TstButton::pressInsideReleaseOutside()
{
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    QSignalSpy released(m_button.data(), &Button::released);
    const QPoint inside = TouchTest::viewPos(m_window.data(), m_button);
    const QPoint outside = TouchTest::viewPos(m_window.data(), m_button,
                                              QPointF(m_button->size().width() / 2, m_button->size().height() + 40));
    QTest::mousePress(m_window->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    QVERIFY(m_button->isDown());
    QMouseEvent move(QEvent::MouseMove, outside, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m_window->viewport(), &move);
    QVERIFY(!m_button->isDown());
    QTest::mouseRelease(m_window->viewport(), Qt::LeftButton, Qt::NoModifier, outside);
    QCOMPARE(released.count(), 1);
    QCOMPARE(clicked.count(), 0);   // the user slid off: no click
}

void TstButton::keyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("clicks");

    QTest::newRow("space") << int(Qt::Key_Space) << 1;
    QTest::newRow("return") << int(Qt::Key_Return) << 1;
    QTest::newRow("enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("a letter") << int(Qt::Key_A) << 0;
}

void TstButton::keyboard()
{
    QFETCH(int, key);
    QFETCH(int, clicks);

    QSignalSpy clicked(m_button.data(), &Button::clicked);
    m_button->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(m_button->hasFocus());
    QTest::keyClick(m_window->viewport(), Qt::Key(key));
    QCOMPARE(clicked.count(), clicks);
}

void TstButton::disabledButtonIgnoresClicks()
{
    m_button->setCheckable(true);
    m_button->setEnabled(false);
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    m_button->click();
    TouchTest::tap(m_window.data(), m_button);
    QCOMPARE(clicked.count(), 0);
    QVERIFY(!m_button->isChecked());
}

void TstButton::slotDeletingTheButton()
{
    m_button->setCheckable(true);
    connect(m_button.data(), &Button::toggled, this, [this] { delete m_button.data(); });
    QSignalSpy clicked(m_button.data(), &Button::clicked);
    TouchTest::tap(m_window.data(), m_button);   // must not touch the deleted button
    QVERIFY(!m_button);
    QCOMPARE(clicked.count(), 0);
}

void TstButton::viewTypesLookDifferent()
{
    m_button->setText(QString());
    m_button->setCheckable(true);
    auto render = [this] {
        QImage image(m_button->size().toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter p(&image);
        m_button->paint(&p, nullptr, nullptr);
        return image;
    };
    m_button->setViewType(QString::fromLatin1(Button::SwitchType));
    QCOMPARE(m_button->viewType(), QStringLiteral("switch"));
    TouchTest::settleLayouts();
    const QImage switchOff = render();
    m_button->setChecked(true);
    const QImage switchOn = render();
    QVERIFY(switchOff != switchOn);   // on and off can be told apart
    m_button->setViewType(QString::fromLatin1(Button::CheckboxType));
    const QImage checkbox = render();
    QVERIFY(checkbox != switchOn);
    m_button->setViewType(QString::fromLatin1(Button::IconType));
    m_button->setIconID(QStringLiteral("icon-m-common-drilldown-arrow"));
    QCOMPARE(m_button->iconID(), QStringLiteral("icon-m-common-drilldown-arrow"));
    const QImage icon = render();
    QVERIFY(icon != checkbox);
    QImage blank(icon.size(), icon.format());
    blank.fill(Qt::white);
    QVERIFY(icon != blank);
}

void TstButton::helpButtonShowsHelpWithoutBlocking()
{
    auto* help = new Touch::HelpButton(QStringLiteral("Ask your network administrator."));
    QCOMPARE(help->helpText(), QStringLiteral("Ask your network administrator."));
    auto* policy = static_cast<Touch::Layout*>(m_button->parentWidget()->layout())->policy();
    policy->addItem(help);
    TouchTest::settleLayouts();
    const int before = m_window->sceneWindows().size();

    TouchTest::tap(m_window.data(), help);   // returns at once: nothing blocks
    QPointer<Touch::Dialog> dialog = help->helpDialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->applicationWindow(), m_window.data());
    QCOMPARE(m_window->sceneWindows().size(), before + 1);
    auto* text = qobject_cast<Touch::Label*>(dialog->centralWidget());
    QVERIFY(text);
    QCOMPARE(text->text(), help->helpText());
    QVERIFY(dialog->button(Touch::Dialog::Ok));

    QTRY_COMPARE(dialog->sceneWindowState(), Touch::SceneWindow::Appeared);
    TouchTest::settleLayouts();
    TouchTest::tap(m_window.data(), dialog->button(Touch::Dialog::Ok));
    QTRY_VERIFY(!dialog);   // closed and deleted
    QCOMPARE(m_window->sceneWindows().size(), before);
}

QTEST_MAIN(TstButton)
#include "tst_button.moc"
