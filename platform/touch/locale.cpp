#include "touch/locale.h"

#include <QLocale>
#include <QSharedData>

namespace Touch {

class LocalePrivate : public QSharedData
{
public:
    QString name;
    QLocale locale;
};

namespace {

// The default set through Locale::setDefault(); empty name until then.
LocalePrivate& defaultData()
{
    static LocalePrivate data;
    return data;
}

} // namespace

Locale::Locale()
    : d(new LocalePrivate)
{
    if (!defaultData().name.isEmpty()) {
        d->name = defaultData().name;
        d->locale = defaultData().locale;
    } else {
        d->locale = QLocale();
        d->name = d->locale.name();
    }
}

Locale::Locale(const QString& name)
    : d(new LocalePrivate)
{
    d->locale = QLocale(name);
    d->name = name.isEmpty() ? d->locale.name() : name;
    if (!name.isEmpty() && d->locale == QLocale::c() && name != QLatin1String("C")
        && name != QLatin1String("POSIX"))
        qWarning("Touch::Locale: unknown locale \"%s\", formatting as C", qPrintable(name));
}

Locale::Locale(const Locale& other) = default;
Locale& Locale::operator=(const Locale& other) = default;
Locale::~Locale() = default;

QString Locale::name() const
{
    return d->name;
}

QString Locale::formatNumber(int number) const
{
    return formatNumber(qlonglong(number));
}

QString Locale::formatNumber(qlonglong number) const
{
    // Short numbers (channels, counts, years) read better without grouping.
    QLocale locale = d->locale;
    if (number > -10000 && number < 10000)
        locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    return locale.toString(number);
}

Qt::LayoutDirection Locale::textDirection() const
{
    return d->locale.textDirection();
}

Qt::LayoutDirection Locale::directionForText(const QString& text)
{
    // isRightToLeft() looks at the first strong character (isolates skipped).
    return text.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
}

void Locale::setDefault(const Locale& locale)
{
    defaultData().name = locale.d->name;
    defaultData().locale = locale.d->locale;
    QLocale::setDefault(locale.d->locale);
}

Locale Locale::defaultLocale()
{
    return Locale();
}

} // namespace Touch
