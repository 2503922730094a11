#pragma once

#include "net/internetaccesspoint.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace Touch {
class Label;
class TextEdit;
}

namespace Velin {

class MschapPasswordChangeSheet;

class MschapPasswordChangeSheetPrivate : public QObject
{
    Q_OBJECT

public:
    explicit MschapPasswordChangeSheetPrivate(MschapPasswordChangeSheet* q);

    // A masked field without input-method help, watched by checkCredentials().
    Touch::TextEdit* createPasswordTextEdit();

    MschapPasswordChangeSheet* const q;
    InternetAccessPoint iap;
    QString username;
    QString password;
    // All four belong to the content.
    QPointer<Touch::Label> usernameLabel;
    QPointer<Touch::TextEdit> oldPasswordEdit;
    QPointer<Touch::TextEdit> newPasswordEdit;
    QPointer<Touch::TextEdit> verifyPasswordEdit;

public Q_SLOTS:
    void checkCredentials();
};

} // namespace Velin
