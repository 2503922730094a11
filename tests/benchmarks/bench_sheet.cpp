// How long a sheet takes to appear, and how long typing takes in a validated
// secret field.  The goal for both is to fit into one 60 Hz frame (16.7 ms).
#include "base/dialoghelperwidget.h"
#include "base/keytextedit.h"
#include "base/simpleframe.h"
#include "base/simplesheet.h"
#include "touch/applicationwindow.h"
#include "touch/layout.h"
#include "touch/linearlayoutpolicy.h"

#include <QLineEdit>
#include <QRegExpValidator>
#include <QtTest>

class BenchSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        m_window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&m_window));
    }

    void buildAndFirstPaintSheetWithTenFields()
    {
        QBENCHMARK {
            auto sheet = new Velin::SimpleSheet;
            sheet->setStyleName(QStringLiteral("Inverted"));
            sheet->setTitle(QStringLiteral("Ten fields"));
            sheet->setAcceptLabel(QStringLiteral("Connect"));
            sheet->setRejectLabel(QStringLiteral("Cancel"));
            auto panel = new Touch::Widget;
            auto policy = new Touch::LinearLayoutPolicy(new Touch::Layout(panel), Qt::Vertical);
            for (int i = 0; i < 10; ++i) {
                auto frame = new Velin::SimpleFrame(QStringLiteral("Field %1").arg(i + 1));
                auto edit = new Velin::KeyTextEdit(frame);
                edit->setStyleName(QStringLiteral("CommonSingleInputFieldLabeled"));
                frame->setContent(edit);
                policy->addItem(frame);
            }
            sheet->setContent(new Velin::DialogHelperWidget(panel));
            sheet->appear(&m_window);
            const QImage frame = m_window.grabImage();
            Q_UNUSED(frame)
            delete sheet;
        }
    }

    void typeSixtyFourCharactersIntoValidatedPasswordEdit()
    {
        Velin::KeyTextEdit edit;
        edit.setEchoMode(Touch::TextEdit::Password);
        const QRegExpValidator validator(QRegExp(QStringLiteral("[\\x0020-\\x007E]{0,64}")));
        edit.setValidator(&validator);
        const QString keys = QStringLiteral("0123456789abcdef").repeated(4);
        QBENCHMARK {
            edit.clear();
            for (const QChar key : keys)
                QTest::keyClick(edit.lineEdit(), key.toLatin1());
        }
        QCOMPARE(edit.text(), keys);
    }

private:
    Touch::ApplicationWindow m_window;
};

QTEST_MAIN(BenchSheet)
#include "bench_sheet.moc"
