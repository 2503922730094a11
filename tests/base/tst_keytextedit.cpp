#include "windowfixture.h"

#include "base/keytextedit.h"
#include "touch/applicationwindow.h"
#include "touch/scenewindow.h"

#include <QClipboard>
#include <QGraphicsLinearLayout>
#include <QGuiApplication>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QSignalSpy>
#include <QtTest>

using Velin::KeyTextEdit;

namespace {

// Hexadecimal WEP-style key: up to 10 digits.
QValidator* hexValidator(QObject* parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Fa-f]{0,10}")), parent);
}

} // namespace

class TestKeyTextEdit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void constructors();
    void paste_data();
    void paste();
    void pasteIsOneUndoStep();
    void pasteIntoReadOnlyDoesNothing();
    void pasteShortcutGoesThroughValidator_data();
    void pasteShortcutGoesThroughValidator();
    void typedKeysGoThroughValidator();
};

void TestKeyTextEdit::constructors()
{
    KeyTextEdit empty;
    QVERIFY(empty.text().isEmpty());
    KeyTextEdit filled(QStringLiteral("0123"));
    QCOMPARE(filled.text(), QStringLiteral("0123"));
    QVERIFY(qobject_cast<Touch::TextEdit*>(&filled));
}

void TestKeyTextEdit::paste_data()
{
    QTest::addColumn<bool>("withValidator");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("selectionStart");   // -1: no selection, cursor at the end
    QTest::addColumn<int>("selectionLength");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");

    QTest::newRow("valid, appended") << true << -1 << "12" << -1 << 0 << "ab34" << "12ab34";
    QTest::newRow("valid, replaces selection") << true << -1 << "12345" << 1 << 3 << "ff" << "1ff5";
    QTest::newRow("valid, into empty field") << true << -1 << "" << -1 << 0 << "0123456789" << "0123456789";
    // Refused as a whole: not even the valid head goes in.
    QTest::newRow("invalid character at the end") << true << -1 << "12" << -1 << 0 << "abz" << "12";
    QTest::newRow("invalid character in the middle") << true << -1 << "" << -1 << 0 << "ab!cd" << "";
    QTest::newRow("too long for the validator") << true << -1 << "123456" << -1 << 0 << "78901" << "123456";
    QTest::newRow("invalid replacement keeps the selection's text") << true << -1 << "12345" << 1 << 3 << "xy" << "12345";
    QTest::newRow("longer than the field allows") << false << 4 << "12" << -1 << 0 << "345" << "12";
    QTest::newRow("no validator takes anything") << false << -1 << "k" << -1 << 0 << "ey !" << "key !";
}

void TestKeyTextEdit::paste()
{
    QFETCH(bool, withValidator);
    QFETCH(int, maxLength);
    QFETCH(QString, initial);
    QFETCH(int, selectionStart);
    QFETCH(int, selectionLength);
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);

    KeyTextEdit edit(initial);
    if (withValidator)
        edit.setValidator(hexValidator(&edit));
    if (maxLength >= 0)
        edit.lineEdit()->setMaxLength(maxLength);
    if (selectionStart >= 0)
        edit.lineEdit()->setSelection(selectionStart, selectionLength);
    else
        edit.setCursorPosition(initial.length());
    QGuiApplication::clipboard()->setText(clipboard);
    QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    QSignalSpy changed(&edit, &Touch::TextEdit::textChanged);

    edit.paste();

    QCOMPARE(edit.text(), expected);
    // One change when taken, none when refused.
    QCOMPARE(changed.count(), expected == initial ? 0 : 1);
}

void TestKeyTextEdit::pasteIsOneUndoStep()
{
    KeyTextEdit edit(QStringLiteral("ab"));
    edit.setValidator(hexValidator(&edit));
    edit.setCursorPosition(2);
    QGuiApplication::clipboard()->setText(QStringLiteral("cdef"));
    edit.paste();
    QCOMPARE(edit.text(), QStringLiteral("abcdef"));
    edit.lineEdit()->undo();
    QCOMPARE(edit.text(), QStringLiteral("ab"));
}

void TestKeyTextEdit::pasteIntoReadOnlyDoesNothing()
{
    KeyTextEdit edit(QStringLiteral("ab"));
    edit.setReadOnly(true);
    QGuiApplication::clipboard()->setText(QStringLiteral("cd"));
    edit.paste();
    QCOMPARE(edit.text(), QStringLiteral("ab"));
}

void TestKeyTextEdit::pasteShortcutGoesThroughValidator_data()
{
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("expected");
    QTest::newRow("valid") << "beef" << "12beef";
    QTest::newRow("invalid") << "bee!" << "12";
}

void TestKeyTextEdit::pasteShortcutGoesThroughValidator()
{
    QFETCH(QString, clipboard);
    QFETCH(QString, expected);

    WindowFixture fx;
    auto edit = new KeyTextEdit;
    edit->setValidator(hexValidator(edit));
    fx.showOnPage({edit});
    QVERIFY(fx.typeText(edit, QStringLiteral("12")));
    QCOMPARE(edit->text(), QStringLiteral("12"));

    QGuiApplication::clipboard()->setText(clipboard);
    fx.keyClick(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), expected);
}

void TestKeyTextEdit::typedKeysGoThroughValidator()
{
    WindowFixture fx;
    auto edit = new KeyTextEdit;
    edit->setValidator(hexValidator(edit));
    fx.showOnPage({edit});
    QSignalSpy changed(edit, &Touch::TextEdit::textChanged);

    // Typing is judged key by key: the bad keys alone are dropped.
    QVERIFY(fx.typeText(edit, QStringLiteral("1g2-A")));
    QCOMPARE(edit->text(), QStringLiteral("12A"));
    QCOMPARE(changed.count(), 3);

    fx.keyClick(Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("12"));
}

QTEST_MAIN(TestKeyTextEdit)
#include "tst_keytextedit.moc"
