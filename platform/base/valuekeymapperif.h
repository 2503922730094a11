#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace Velin {

// Maps an editor field to the settings key it stores and the value to store.
class ValueKeyMapperIf
{
public:
    virtual ~ValueKeyMapperIf() {}
    virtual QString key() const = 0;
    virtual QVariant value() const = 0;
    virtual QStringList invalidKeys() const = 0;
};

} // namespace Velin
