#pragma once

#include "touch/touchglobal.h"

#include <QSharedDataPointer>
#include <QString>

namespace Touch {

class LocalePrivate;

// Number formatting and text direction of a locale (a value class).
class VELINTOUCH_EXPORT Locale
{
public:
    // The default locale (see setDefault()).
    Locale();
    explicit Locale(const QString& name);
    Locale(const Locale& other);
    Locale& operator=(const Locale& other);
    ~Locale();

    QString name() const;

    // In the locale's digits; group separators only from 10000 on.
    QString formatNumber(int number) const;
    QString formatNumber(qlonglong number) const;

    Qt::LayoutDirection textDirection() const;
    // Direction of the first strong character; left-to-right when none.
    static Qt::LayoutDirection directionForText(const QString& text);

    // Also becomes QLocale's default, so Qt's own formatting agrees.
    static void setDefault(const Locale& locale);
    static Locale defaultLocale();

private:
    QSharedDataPointer<LocalePrivate> d;
};

} // namespace Touch
