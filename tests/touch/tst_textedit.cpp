#include "touchtesthelpers.h"

#include "touch/textedit.h"

#include <QClipboard>
#include <QGraphicsProxyWidget>
#include <QIntValidator>
#include <QLineEdit>
#include <QRegExpValidator>
#include <QScopedPointer>

using Touch::TextEdit;

namespace {

// Messages logged while a test runs: nothing typed may ever show up there.
QStringList g_messages;
QtMessageHandler g_previousHandler = nullptr;

void captureMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    g_messages.append(message);
    if (g_previousHandler)
        g_previousHandler(type, context, message);
}

} // namespace

class TstTextEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void typedTextGoesThroughValidator_data();
    void typedTextGoesThroughValidator();
    void pastedTextGoesThroughValidator_data();
    void pastedTextGoesThroughValidator();
    void pasteKeyThroughView();
    void insertedTextGoesThroughValidator_data();
    void insertedTextGoesThroughValidator();
    void setTextIsNotValidated();
    void textChangedOnEveryChange();
    void returnPressed();
    void focusSignals();
    void tapGivesFocus();
    void echoModes_data();
    void echoModes();
    void inputMethodHints_data();
    void inputMethodHints();
    void readOnlyRefusesTyping();
    void promptAndAlignment();
    void cursorAndSelection();
    void secretsAreNeverLogged();
    void touchSizedRow();

private:
    QScopedPointer<Touch::ApplicationWindow> m_window;
    QPointer<TextEdit> m_edit;
};

void TstTextEdit::init()
{
    m_window.reset(new Touch::ApplicationWindow);
    QVERIFY(TouchTest::showActive(m_window.data()));
    m_edit = new TextEdit;
    TouchTest::appearSheet(m_window.data(), {m_edit});
    QVERIFY(m_edit->scene());
}

void TstTextEdit::cleanup()
{
    m_window.reset();
    QVERIFY(!m_edit);   // the scene took the sheet and the edit with it
}

// Real key events on the view, the way a keyboard would deliver them.
static void typeInto(Touch::ApplicationWindow* window, TextEdit* edit, const QString& text)
{
    edit->setFocus(Qt::OtherFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    TouchTest::typeText(window, text);
}

void TstTextEdit::typedTextGoesThroughValidator_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    const QString hex = QStringLiteral("[0-9A-Fa-f]{0,10}");
    QTest::newRow("hex, all valid") << hex << "00aFf9" << "00aFf9";
    QTest::newRow("hex, letters refused") << hex << "zq" << "";
    QTest::newRow("hex, mixed") << hex << "a1zb2!" << "a1b2";
    QTest::newRow("hex, too long") << hex << "0123456789AB" << "0123456789";
    QTest::newRow("printable ascii") << "[\\x0020-\\x007E]*" << QString::fromUtf8("ab\u00e9c d") << "abc d";
    QTest::newRow("no validator") << QString() << "any Thing 42" << "any Thing 42";
}

void TstTextEdit::typedTextGoesThroughValidator()
{
    QFETCH(QString, pattern);
    QFETCH(QString, typed);
    QFETCH(QString, expected);

    QRegExpValidator validator{QRegExp(pattern)};
    if (!pattern.isEmpty())
        m_edit->setValidator(&validator);
    QCOMPARE(m_edit->validator(), pattern.isEmpty() ? nullptr : &validator);

    typeInto(m_window.data(), m_edit, typed);
    QCOMPARE(m_edit->text(), expected);
    QCOMPARE(m_edit->lineEdit()->text(), expected);
    m_edit->setValidator(nullptr);
}

void TstTextEdit::pastedTextGoesThroughValidator_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");

    QTest::newRow("valid appended") << "12" << "34" << "1234";
    QTest::newRow("invalid refused") << "12" << "3x" << "12";
    QTest::newRow("too long refused") << "123" << "456" << "123";
    QTest::newRow("into empty") << "" << "255" << "255";
}

void TstTextEdit::pastedTextGoesThroughValidator()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);

    QIntValidator validator(0, 9999);   // at most four digits
    m_edit->setValidator(&validator);
    m_edit->setText(before);
    m_edit->setCursorPosition(before.size());
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    m_edit->paste();
    QCOMPARE(m_edit->text(), expected);
}

void TstTextEdit::pasteKeyThroughView()
{
    QRegExpValidator validator{QRegExp(QStringLiteral("[0-9]*"))};
    m_edit->setValidator(&validator);
    m_edit->setFocus();
    QTRY_VERIFY(m_edit->hasFocus());

    QGuiApplication::clipboard()->setText(QStringLiteral("12a"));
    QTest::keyClick(m_window->viewport(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), QString());

    QGuiApplication::clipboard()->setText(QStringLiteral("4711"));
    QTest::keyClick(m_window->viewport(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_edit->text(), QStringLiteral("4711"));
}

void TstTextEdit::insertedTextGoesThroughValidator_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<QString>("inserted");
    QTest::addColumn<QString>("expected");

    QTest::newRow("at end") << "ab" << 2 << "cd" << "abcd";
    QTest::newRow("in the middle") << "ad" << 1 << "bc" << "abcd";
    QTest::newRow("refused: digit") << "ab" << 1 << "1" << "ab";
    QTest::newRow("refused: too long") << "abcde" << 5 << "f" << "abcde";
}

void TstTextEdit::insertedTextGoesThroughValidator()
{
    QFETCH(QString, before);
    QFETCH(int, cursor);
    QFETCH(QString, inserted);
    QFETCH(QString, expected);

    QRegExpValidator validator{QRegExp(QStringLiteral("[a-z]{0,5}"))};
    m_edit->setValidator(&validator);
    m_edit->setText(before);
    m_edit->setCursorPosition(cursor);
    m_edit->insert(inserted);
    QCOMPARE(m_edit->text(), expected);
}

void TstTextEdit::setTextIsNotValidated()
{
    QRegExpValidator validator{QRegExp(QStringLiteral("[0-9]*"))};
    m_edit->setValidator(&validator);
    m_edit->setText(QStringLiteral("not digits"));
    QCOMPARE(m_edit->text(), QStringLiteral("not digits"));
    m_edit->clear();
    QCOMPARE(m_edit->text(), QString());
}

void TstTextEdit::textChangedOnEveryChange()
{
    QSignalSpy changed(m_edit.data(), &TextEdit::textChanged);
    m_edit->setText(QStringLiteral("x"));
    QCOMPARE(changed.count(), 1);
    QVERIFY(changed.first().isEmpty());   // the signal carries no argument

    m_edit->setText(QStringLiteral("x"));   // no change, no signal
    QCOMPARE(changed.count(), 1);

    typeInto(m_window.data(), m_edit, QStringLiteral("abc"));
    QCOMPARE(changed.count(), 4);
    QTest::keyClick(m_window->viewport(), Qt::Key_Backspace);
    QCOMPARE(changed.count(), 5);
    QCOMPARE(m_edit->text(), QStringLiteral("xab"));

    // A refused key press changes nothing and says nothing.
    QRegExpValidator validator{QRegExp(QStringLiteral("[a-z]*"))};
    m_edit->setValidator(&validator);
    QTest::keyClick(m_window->viewport(), Qt::Key_1);
    QCOMPARE(changed.count(), 5);
}

void TstTextEdit::returnPressed()
{
    QSignalSpy pressed(m_edit.data(), &TextEdit::returnPressed);
    typeInto(m_window.data(), m_edit, QStringLiteral("ssid"));
    QCOMPARE(pressed.count(), 0);
    QTest::keyClick(m_window->viewport(), Qt::Key_Return);
    QCOMPARE(pressed.count(), 1);
    QTest::keyClick(m_window->viewport(), Qt::Key_Enter);
    QCOMPARE(pressed.count(), 2);
}

void TstTextEdit::focusSignals()
{
    auto* other = new TextEdit;
    auto* policy = static_cast<Touch::Layout*>(m_edit->parentWidget()->layout())->policy();
    policy->addItem(other);

    QSignalSpy gained(m_edit.data(), &TextEdit::gainedFocus);
    QSignalSpy lost(m_edit.data(), &TextEdit::lostFocus);
    QVERIFY(!m_edit->hasFocus());

    m_edit->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(gained.count(), 1);
    QCOMPARE(gained.first().first().value<Qt::FocusReason>(), Qt::TabFocusReason);
    QVERIFY(m_edit->hasFocus());
    QVERIFY(m_edit->lineEdit()->hasFocus());
    QCOMPARE(lost.count(), 0);

    other->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(lost.count(), 1);
    QCOMPARE(lost.first().first().value<Qt::FocusReason>(), Qt::MouseFocusReason);
    QVERIFY(!m_edit->hasFocus());
    QVERIFY(other->hasFocus());

    // Typing goes to the focused field only.
    QTest::keyClicks(m_window->viewport(), QStringLiteral("zz"));
    QCOMPARE(other->text(), QStringLiteral("zz"));
    QCOMPARE(m_edit->text(), QString());
}

void TstTextEdit::tapGivesFocus()
{
    QSignalSpy gained(m_edit.data(), &TextEdit::gainedFocus);
    TouchTest::tap(m_window.data(), m_edit);
    QTRY_VERIFY(m_edit->hasFocus());
    QCOMPARE(gained.count(), 1);
    QTest::keyClicks(m_window->viewport(), QStringLiteral("hi"));
    QCOMPARE(m_edit->text(), QStringLiteral("hi"));
}

void TstTextEdit::echoModes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("textShown");
    QTest::addColumn<bool>("anythingShown");

    QTest::newRow("normal") << int(TextEdit::Normal) << true << true;
    QTest::newRow("no echo") << int(TextEdit::NoEcho) << false << false;
    QTest::newRow("password (2)") << 2 << false << true;
}

void TstTextEdit::echoModes()
{
    QFETCH(int, mode);
    QFETCH(bool, textShown);
    QFETCH(bool, anythingShown);

    m_edit->setEchoMode(TextEdit::EchoMode(mode));
    QCOMPARE(int(m_edit->echoMode()), mode);
    QCOMPARE(int(m_edit->lineEdit()->echoMode()), mode);
    QCOMPARE(m_edit->property("echoMode").toInt(), mode);

    typeInto(m_window.data(), m_edit, QStringLiteral("s3cret"));
    QCOMPARE(m_edit->text(), QStringLiteral("s3cret"));
    const QString shown = m_edit->lineEdit()->displayText();
    QCOMPARE(shown == m_edit->text(), textShown);
    QCOMPARE(!shown.isEmpty(), anythingShown);
    if (anythingShown && !textShown) {
        QCOMPARE(shown.size(), m_edit->text().size());
        QVERIFY(!shown.contains(QLatin1Char('s')));
    }
}

void TstTextEdit::inputMethodHints_data()
{
    QTest::addColumn<bool>("correction");
    QTest::addColumn<bool>("prediction");
    QTest::addColumn<bool>("autoCaps");
    QTest::addColumn<int>("echo");
    QTest::addColumn<int>("expected");

    const int noPredict = Qt::ImhNoPredictiveText;
    const int noCaps = Qt::ImhNoAutoUppercase;
    const int secret = Qt::ImhSensitiveData | Qt::ImhHiddenText;
    QTest::newRow("all on") << true << true << true << int(TextEdit::Normal) << 0;
    QTest::newRow("correction off") << false << true << true << int(TextEdit::Normal) << noPredict;
    QTest::newRow("prediction off") << true << false << true << int(TextEdit::Normal) << noPredict;
    QTest::newRow("caps off") << true << true << false << int(TextEdit::Normal) << noCaps;
    QTest::newRow("all off") << false << false << false << int(TextEdit::Normal) << (noPredict | noCaps);
    QTest::newRow("password") << true << true << true << int(TextEdit::Password) << secret;
    QTest::newRow("no echo, all off") << false << false << false << int(TextEdit::NoEcho)
                                      << (noPredict | noCaps | secret);
    QTest::newRow("echo on edit") << true << true << false << int(TextEdit::PasswordEchoOnEdit) << noCaps;
}

void TstTextEdit::inputMethodHints()
{
    QFETCH(bool, correction);
    QFETCH(bool, prediction);
    QFETCH(bool, autoCaps);
    QFETCH(int, echo);
    QFETCH(int, expected);

    // Echo mode first and last: the order of the calls must not matter.
    m_edit->setEchoMode(TextEdit::EchoMode(echo));
    m_edit->setInputMethodCorrectionEnabled(correction);
    m_edit->setInputMethodPredictionEnabled(prediction);
    m_edit->setInputMethodAutoCapitalizationEnabled(autoCaps);
    m_edit->setEchoMode(TextEdit::EchoMode(echo));

    QCOMPARE(m_edit->inputMethodCorrectionEnabled(), correction);
    QCOMPARE(m_edit->inputMethodPredictionEnabled(), prediction);
    QCOMPARE(m_edit->inputMethodAutoCapitalizationEnabled(), autoCaps);
    QCOMPARE(int(m_edit->inputMethodHints()), expected);
    QCOMPARE(int(m_edit->lineEdit()->inputMethodHints()), expected);
    QVERIFY(m_edit->lineEdit()->graphicsProxyWidget());
    QCOMPARE(int(m_edit->lineEdit()->graphicsProxyWidget()->inputMethodHints()), expected);
    QVERIFY(m_edit->flags() & QGraphicsItem::ItemAcceptsInputMethod);
}

void TstTextEdit::readOnlyRefusesTyping()
{
    m_edit->setText(QStringLiteral("fixed"));
    m_edit->setReadOnly(true);
    QVERIFY(m_edit->isReadOnly());
    typeInto(m_window.data(), m_edit, QStringLiteral("more"));
    QCOMPARE(m_edit->text(), QStringLiteral("fixed"));
    m_edit->setReadOnly(false);
    QTest::keyClick(m_window->viewport(), Qt::Key_End);
    QTest::keyClicks(m_window->viewport(), QStringLiteral("!"));
    QCOMPARE(m_edit->text(), QStringLiteral("fixed!"));
}

void TstTextEdit::promptAndAlignment()
{
    m_edit->setPrompt(QStringLiteral("Network name"));
    QCOMPARE(m_edit->prompt(), QStringLiteral("Network name"));
    QCOMPARE(m_edit->lineEdit()->placeholderText(), QStringLiteral("Network name"));

    m_edit->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    QCOMPARE(m_edit->defaultTextOption().alignment(), Qt::AlignRight | Qt::AlignVCenter);
    QTextOption option;
    option.setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_edit->setDefaultTextOption(option);
    QCOMPARE(m_edit->textAlignment(), Qt::AlignHCenter | Qt::AlignVCenter);
    QCOMPARE(m_edit->lineEdit()->alignment(), Qt::AlignHCenter | Qt::AlignVCenter);
}

void TstTextEdit::cursorAndSelection()
{
    m_edit->setText(QStringLiteral("abcdef"));
    m_edit->setCursorPosition(2);
    QCOMPARE(m_edit->cursorPosition(), 2);
    QCOMPARE(m_edit->property("cursorPosition").toInt(), 2);
    m_edit->selectAll();
    QCOMPARE(m_edit->lineEdit()->selectedText(), QStringLiteral("abcdef"));
    m_edit->insert(QStringLiteral("z"));   // replaces the selection
    QCOMPARE(m_edit->text(), QStringLiteral("z"));
}

void TstTextEdit::secretsAreNeverLogged()
{
    const QString secret = QStringLiteral("hunter2pass");
    g_messages.clear();
    g_previousHandler = qInstallMessageHandler(captureMessage);
    QRegExpValidator validator{QRegExp(QStringLiteral("[a-z0-9]{0,20}"))};
    m_edit->setValidator(&validator);
    m_edit->setEchoMode(TextEdit::Password);
    typeInto(m_window.data(), m_edit, secret + QStringLiteral("!"));
    QGuiApplication::clipboard()->setText(secret + QStringLiteral("?"));
    m_edit->paste();
    m_edit->insert(secret + QStringLiteral("#"));
    m_edit->setEchoMode(TextEdit::EchoMode(7));   // bad input: warns, but without the text
    qInstallMessageHandler(g_previousHandler);

    QCOMPARE(m_edit->text(), secret);
    QVERIFY(!g_messages.isEmpty());   // the bad echo mode was reported
    for (const QString& message : qAsConst(g_messages))
        QVERIFY2(!message.contains(QStringLiteral("hunter")), qPrintable(message));
}

void TstTextEdit::touchSizedRow()
{
    TouchTest::settleLayouts();
    QVERIFY(m_edit->size().height() >= 64);
    QCOMPARE(m_edit->size().width(), qreal(m_window->viewport()->width()));
    // The editor sits inside the field, not over its frame.
    const QRectF editor = m_edit->lineEdit()->graphicsProxyWidget()->geometry();
    QVERIFY(m_edit->rect().contains(editor));
    QVERIFY(editor.height() > 0);
}

QTEST_MAIN(TstTextEdit)
#include "tst_textedit.moc"
