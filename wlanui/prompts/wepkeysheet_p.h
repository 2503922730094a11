#pragma once

#include <QObject>
#include <QPointer>

namespace Velin {

class WepKeySheet;
class WepKeyTextEdit;

class WepKeySheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit WepKeySheetPrivate(WepKeySheet* q);

    WepKeySheet* const q;
    // Belongs to its frame in the content.
    QPointer<WepKeyTextEdit> keyEdit;

public Q_SLOTS:
    void wepKeyChanged();
};

} // namespace Velin
