#pragma once

#include "wlanui/security/wapisheet.h"

#include <QObject>
#include <QPointer>

namespace Touch {
class ComboBox;
}

namespace Velin {

class WapiCertificateModel;
class WapiPresharedKeyTextEdit;
class WapiPskPropertyMapper;

class WapiSheetPrivate : public QObject
{
    Q_OBJECT

public:
    WapiSheetPrivate(WapiSheet* q, WapiSheet::Type type);
    ~WapiSheetPrivate() override;

    WapiSheet* const q;
    const WapiSheet::Type type;

    // Pre-shared key variant.  The widgets belong to the content.
    QPointer<WapiPresharedKeyTextEdit> keyEdit;
    QPointer<Touch::ComboBox> keyTypeCombo;
    WapiPskPropertyMapper* mapper = nullptr; // owned

    // Certificate variant.  The models are children of the sheet.
    QPointer<WapiCertificateModel> rootModel;
    QPointer<Touch::ComboBox> rootCombo;
    QPointer<WapiCertificateModel> userModel;
    QPointer<Touch::ComboBox> userCombo;

public Q_SLOTS:
    void rootCertificateSelectionChanged(int row);
    void userCertificateSelectionChanged(int row);
    void wapiKeyTypeChanged(int modelIndex);
    void wapiPskChanged();
};

} // namespace Velin
