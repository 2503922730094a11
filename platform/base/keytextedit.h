#pragma once

#include "base/baseglobal.h"
#include "touch/textedit.h"

namespace Velin {

class KeyTextEditPrivate;

/*!
 * The text edit for keys, SSIDs and passwords.  Pasting is one change judged
 * as a whole by the validator: a clipboard text that would make the field
 * invalid is refused entirely, never inserted in part.  The paste shortcut of
 * the hosted editor goes through paste() too.
 */
class VELINBASE_EXPORT KeyTextEdit : public Touch::TextEdit
{
    Q_OBJECT

public:
    explicit KeyTextEdit(QGraphicsItem* parent = nullptr);
    explicit KeyTextEdit(const QString& text, QGraphicsItem* parent = nullptr);
    ~KeyTextEdit() override;

public Q_SLOTS:
    void paste() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class KeyTextEditPrivate;
    KeyTextEditPrivate* const d;
};

} // namespace Velin
