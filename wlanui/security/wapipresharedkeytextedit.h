#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/keytextedit.h"

namespace Velin {

class WapiPresharedKeyTextEditPrivate;

/*!
 * The field for a WAPI pre-shared key, typed either as ASCII text or as
 * hexadecimal digits: masked, without input-method prediction, correction or
 * capitalisation, and guarded by a WapiPskValidator (which it owns) that
 * follows the current mode.  Starts in ASCII mode.
 *
 * Switching the mode leaves the text as it is; whoever switches clears the
 * field, since a text typed for one mode need not obey the other.
 */
class VELINWLANUI_EXPORT WapiPresharedKeyTextEdit : public KeyTextEdit
{
    Q_OBJECT
    Q_PROPERTY(bool hexMode READ isHexMode)

public:
    //! The two ways of typing the key.
    enum Mode { AsciiMode = 0, HexMode = 1 };

    explicit WapiPresharedKeyTextEdit(QGraphicsItem* parent = nullptr);
    ~WapiPresharedKeyTextEdit() override;

    bool isHexMode() const;

    //! Always true: the validator has already enforced every rule while typing.
    bool validateKey() const;

public Q_SLOTS:
    void setHexMode();
    void setAsciiMode();

private:
    friend class WapiPresharedKeyTextEditPrivate;
    WapiPresharedKeyTextEditPrivate* const d;
};

} // namespace Velin
