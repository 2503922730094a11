#pragma once

#include <QString>
#include <QTranslator>

// Stands in for the platform's catalogue of texts: every logical id comes
// back marked, so a test sees that a text went through qtTrId().
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char*, const char* sourceText, const char* = nullptr, int = -1) const override
    {
        return QStringLiteral("English:") + QLatin1String(sourceText);
    }
    bool isEmpty() const override { return false; }
};
