#pragma once

#include "wlanui/wlanuiglobal.h"

#include "base/keytextedit.h"

namespace Velin {

/*!
 * The field for the SSID of a hidden network: plain text, without
 * input-method prediction, correction or capitalisation, and guarded by an
 * SSIDValidator (which it owns) while the user types or pastes.
 */
class VELINWLANUI_EXPORT SSIDTextEdit : public KeyTextEdit
{
    Q_OBJECT

public:
    explicit SSIDTextEdit(QGraphicsItem* parent = nullptr);
    ~SSIDTextEdit() override;

    //! True when an SSID has been typed; otherwise shows a banner and
    //! returns false.
    bool validateKey() const;
};

} // namespace Velin
