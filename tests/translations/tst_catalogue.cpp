// Every logical text id that the code or the shipped data uses must have an
// English text in the compiled catalogue; otherwise users see raw ids.
#include <QtTest>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTranslator>

class TestCatalogue : public QObject
{
    Q_OBJECT

private:
    static QMap<QString, QStringList> idsInTree()
    {
        static const QRegularExpression idPattern(QStringLiteral("\\bqtn_[a-z0-9_]+\\b"));
        static const QStringList roots = {
            QStringLiteral("platform"), QStringLiteral("wlanui"), QStringLiteral("wlantype"),
            QStringLiteral("tools"), QStringLiteral("data")};
        QMap<QString, QStringList> ids;  // id -> files that use it
        const QDir source(QStringLiteral(VELIN_SOURCE_DIR));
        for (const QString &root : roots) {
            QDirIterator it(source.filePath(root), {QStringLiteral("*.cpp"), QStringLiteral("*.h"),
                                                    QStringLiteral("*.ini"), QStringLiteral("*.keyfile"),
                                                    QStringLiteral("*.conf")},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                QFile file(it.next());
                if (!file.open(QIODevice::ReadOnly))
                    continue;
                const QString text = QString::fromUtf8(file.readAll());
                auto match = idPattern.globalMatch(text);
                while (match.hasNext())
                    ids[match.next().captured()].append(source.relativeFilePath(file.fileName()));
            }
        }
        return ids;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_translator.load(QStringLiteral(VELIN_QM_FILE)), VELIN_QM_FILE);
    }

    void codeUsesIds()
    {
        // Guards the scan itself: the toolkit's dialog buttons alone use ids.
        QVERIFY(idsInTree().contains(QStringLiteral("qtn_comm_cancel")));
    }

    void everyIdHasEnglish_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("usedIn");
        const auto ids = idsInTree();
        for (auto it = ids.cbegin(); it != ids.cend(); ++it)
            QTest::newRow(qPrintable(it.key())) << it.key() << it.value().first();
    }

    void everyIdHasEnglish()
    {
        QFETCH(QString, id);
        QFETCH(QString, usedIn);
        const QString english = m_translator.translate(nullptr, id.toLatin1().constData());
        QVERIFY2(!english.isEmpty(), qPrintable(id + QLatin1String(" has no English text (used in ") + usedIn + QLatin1Char(')')));
        QVERIFY2(english != id, qPrintable(id));
    }

private:
    QTranslator m_translator;
};

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
