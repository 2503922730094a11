#pragma once

#include <QObject>
#include <QPointer>

namespace Velin {

class WpaPskSheet;
class WpaPskTextEdit;

class WpaPskSheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit WpaPskSheetPrivate(WpaPskSheet* q);

    WpaPskSheet* const q;
    // Belongs to its frame in the content.
    QPointer<WpaPskTextEdit> keyEdit;

public Q_SLOTS:
    void wpaPskKeyChanged();
};

} // namespace Velin
