#include "touch/locale.h"

#include <QLocale>
#include <QRegularExpression>
#include <QTest>

using Touch::Locale;

class TstLocale : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void formatNumber_data();
    void formatNumber();
    void arabicDigits();
    void directionForText_data();
    void directionForText();
    void textDirection_data();
    void textDirection();
    void defaultLocale();
    void unknownLocale();
};

void TstLocale::cleanup()
{
    Locale::setDefault(Locale(QStringLiteral("en_US")));
}

void TstLocale::formatNumber_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qlonglong>("number");
    QTest::addColumn<QString>("expected");

    QTest::newRow("en 5") << "en_US" << 5LL << "5";
    QTest::newRow("en 1234: no grouping below 10000") << "en_US" << 1234LL << "1234";
    QTest::newRow("en 9999") << "en_US" << 9999LL << "9999";
    QTest::newRow("en 12345 grouped") << "en_US" << 12345LL << "12,345";
    QTest::newRow("de 12345 grouped") << "de_DE" << 12345LL << "12.345";
    QTest::newRow("en negative") << "en_US" << -3LL << "-3";
    QTest::newRow("ar_EG 5") << "ar_EG" << 5LL << QString::fromUtf8("\u0665");
    QTest::newRow("ar_EG 42") << "ar_EG" << 42LL << QString::fromUtf8("\u0664\u0662");
    QTest::newRow("ar_EG 2012") << "ar_EG" << 2012LL << QString::fromUtf8("\u0662\u0660\u0661\u0662");
}

void TstLocale::formatNumber()
{
    QFETCH(QString, name);
    QFETCH(qlonglong, number);
    QFETCH(QString, expected);

    const Locale locale(name);
    QCOMPARE(locale.name(), name);
    QCOMPARE(locale.formatNumber(number), expected);
    if (number >= INT_MIN && number <= INT_MAX)
        QCOMPARE(locale.formatNumber(int(number)), expected);
}

void TstLocale::arabicDigits()
{
    // Every digit of a channel list comes out in Arabic-Indic form.
    const Locale locale(QStringLiteral("ar_EG"));
    for (int n = 0; n <= 14; ++n) {
        const QString text = locale.formatNumber(n);
        for (const QChar c : text)
            QVERIFY2(c.unicode() >= 0x0660 && c.unicode() <= 0x0669, qPrintable(text));
        QCOMPARE(text.size(), QString::number(n).size());
    }
}

void TstLocale::directionForText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Qt::LayoutDirection>("expected");

    QTest::newRow("latin") << "Office" << Qt::LeftToRight;
    QTest::newRow("hebrew") << QString::fromUtf8("\u05e9\u05dc\u05d5\u05dd") << Qt::RightToLeft;
    QTest::newRow("arabic") << QString::fromUtf8("\u0645\u0631\u062d\u0628\u0627") << Qt::RightToLeft;
    QTest::newRow("digits then hebrew") << QString::fromUtf8("123 \u05e9\u05dc\u05d5\u05dd") << Qt::RightToLeft;
    QTest::newRow("latin then arabic") << QString::fromUtf8("wlan \u0645\u0631\u062d\u0628\u0627") << Qt::LeftToRight;
    QTest::newRow("digits only") << "12345" << Qt::LeftToRight;
    QTest::newRow("empty") << QString() << Qt::LeftToRight;
}

void TstLocale::directionForText()
{
    QFETCH(QString, text);
    QFETCH(Qt::LayoutDirection, expected);
    QCOMPARE(Locale::directionForText(text), expected);
}

void TstLocale::textDirection_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<Qt::LayoutDirection>("expected");
    QTest::newRow("ar_EG") << "ar_EG" << Qt::RightToLeft;
    QTest::newRow("he_IL") << "he_IL" << Qt::RightToLeft;
    QTest::newRow("en_GB") << "en_GB" << Qt::LeftToRight;
    QTest::newRow("fi_FI") << "fi_FI" << Qt::LeftToRight;
}

void TstLocale::textDirection()
{
    QFETCH(QString, name);
    QFETCH(Qt::LayoutDirection, expected);
    QCOMPARE(Locale(name).textDirection(), expected);
}

void TstLocale::defaultLocale()
{
    Locale::setDefault(Locale(QStringLiteral("ar_EG")));
    QCOMPARE(Locale::defaultLocale().name(), QStringLiteral("ar_EG"));
    QCOMPARE(Locale().name(), QStringLiteral("ar_EG"));
    QCOMPARE(Locale().formatNumber(3), QString::fromUtf8("\u0663"));
    QCOMPARE(QLocale().language(), QLocale::Arabic);   // Qt's own formatting agrees

    const Locale copy = Locale();
    Locale::setDefault(Locale(QStringLiteral("fi_FI")));
    QCOMPARE(copy.name(), QStringLiteral("ar_EG"));   // a value: unaffected
    QCOMPARE(Locale().textDirection(), Qt::LeftToRight);
}

void TstLocale::unknownLocale()
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("unknown locale"));
    const Locale locale(QStringLiteral("xx_YY"));
    QCOMPARE(locale.formatNumber(7), QStringLiteral("7"));
    QCOMPARE(locale.textDirection(), Qt::LeftToRight);
}

QTEST_MAIN(TstLocale)
#include "tst_locale.moc"
