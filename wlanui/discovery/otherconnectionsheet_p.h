#pragma once

#include <QObject>
#include <QPointer>

namespace Velin {

class OtherConnectionSheet;
class SSIDTextEdit;

class OtherConnectionSheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit OtherConnectionSheetPrivate(OtherConnectionSheet* q);

    OtherConnectionSheet* const q;
    // Belongs to its frame in the content.
    QPointer<SSIDTextEdit> ssidEdit;

public Q_SLOTS:
    void ssidChanged();
};

} // namespace Velin
