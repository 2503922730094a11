#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

namespace Touch {
class TextEdit;
}

namespace Velin {

class ConnectionListItem;
class EapGtcResponseSheet;

class EapGtcResponseSheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit EapGtcResponseSheetPrivate(EapGtcResponseSheet* q);

    void createContent();

    // Both belong to the content.
    QPointer<Touch::TextEdit> responseEdit;
    QPointer<ConnectionListItem> item;
    QString message;
    QString connectionName;
    EapGtcResponseSheet* const q;
};

} // namespace Velin
