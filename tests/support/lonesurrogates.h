// Texts that are not valid UTF-16: a high or a low surrogate without its
// pair, alone, after valid text, after a line break, and inside a word.
// Regular expressions find no match in such text, so character checks
// built on them let it through.
#pragma once

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>

namespace LoneSurrogates {

// (row name, text) pairs.
inline QList<QPair<QString, QString>> texts()
{
    QList<QPair<QString, QString>> rows;
    const QList<QPair<QString, QChar>> units = {{QStringLiteral("high"), QChar(0xD800)},
                                                {QStringLiteral("low"), QChar(0xDFFF)}};
    for (const auto& unit : units) {
        const QString name = QStringLiteral("lone ") + unit.first + QStringLiteral(" surrogate");
        rows.append({name + QStringLiteral(" alone"), QString(unit.second)});
        rows.append({name + QStringLiteral(" after text"), QStringLiteral("ab") + unit.second});
        rows.append({name + QStringLiteral(" after a line feed"), QStringLiteral("ab\n") + unit.second});
        rows.append({name + QStringLiteral(" inside"), QStringLiteral("x") + unit.second + QStringLiteral("y")});
    }
    return rows;
}

} // namespace LoneSurrogates
